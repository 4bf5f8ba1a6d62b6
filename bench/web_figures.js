// Figures of the web site: its size gzipped, the time from loading the page to the
// menu's first frame in headless Chromium, and the page's CPU while idle on the menu
// and over a whole round (and over its last 20 s alone, when the time bar blinks), from
// Chromium's own performance metrics, on a desktop window and on a phone; and what
// keeping the round cost the page (storage calls, and its own time spent keeping). Given two
// sites (a build before and after a change, say), it measures them in turns in the
// same run, as the machine's load changes. A run takes about five minutes.
//   NODE_PATH=build-web/npm/node_modules node bench/web_figures.js [SITE [OTHER_SITE]]
'use strict';
const fs = require('fs');
const path = require('path');
const zlib = require('zlib');
const { withSitesInChromium } = require('./sites_in_chromium.js');

const sites = process.argv.length > 2 ? process.argv.slice(2) : ['build-web/site'];
const kLoads = 7;
const kSeconds = 10;      // of idling on the menu, and on an empty page
const kRoundSeconds = 60;
const kBlinkSeconds = 20;  // at the end of the round
const kMenuWidth = 405;  // the menu's client area in pixels at scale 1
const kScreens = {
  'a 1024x768 desktop window': { width: 1024, height: 768, deviceScaleFactor: 1 },
  'a 390x844 phone at 3x': { width: 390, height: 844, deviceScaleFactor: 3, isMobile: true, hasTouch: true },
};

function files(folder) {
  return fs.readdirSync(folder, { withFileTypes: true }).flatMap((entry) => {
    const file = path.join(folder, entry.name);
    return entry.isDirectory() ? files(file) : [file];
  });
}

function sizes(site) {
  let plain = 0, packed = 0;
  for (const file of files(site)) {
    const body = fs.readFileSync(file);
    plain += body.length;
    packed += zlib.gzipSync(body, { level: 9 }).length;
  }
  const kb = (n) => `${(n / 1024).toFixed(0)} KiB`;
  return `${kb(plain)}, ${kb(packed)} gzipped`;
}

const median = (values) => values.slice().sort((a, b) => a - b)[Math.floor(values.length / 2)];
const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));
// One line per figure: each site's value, in the order given.
const report = (what, values) => console.log(`${what}: ${values.join(' | ')}`);

async function firstFrame(browser, address) {
  const page = await browser.newPage();
  await page.setCacheEnabled(false);
  await page.goto(address);
  await page.waitForFunction(() => performance.getEntriesByName('krax-first-frame').length > 0);
  const time = await page.evaluate(() => performance.getEntriesByName('krax-first-frame')[0].startTime);
  await page.close();
  return time;
}

// The page's main thread so far: seconds busy, at seconds on the clock.
async function busy(page) {
  return { busy: (await page.metrics()).TaskDuration, at: Date.now() / 1000 };
}

// Share of one core the page's main thread was busy from one reading to another.
const share = (from, to) => (to.busy - from.busy) / (to.at - from.at);

async function cpu(page, seconds) {
  const before = await busy(page);
  await sleep(seconds * 1000);
  return share(before, await busy(page));
}

// From START to the end of the round, and its last seconds on their own.
async function roundCpu(page) {
  const start = await busy(page);
  await sleep((kRoundSeconds - kBlinkSeconds) * 1000);
  const blinking = await busy(page);
  await page.waitForFunction(() => window.krax.print('Form2.intTimeLeft') === '0', { timeout: 0, polling: 200 });
  const end = await busy(page);
  return [share(start, end), share(blinking, end)];
}

async function openMenu(browser, address, screen) {
  const page = await browser.newPage();
  await page.setViewport(screen);
  await page.goto(address);
  await page.waitForSelector('[data-form="Form1"] canvas');
  await page.waitForFunction(() => performance.getEntriesByName('krax-first-frame').length > 0);
  return page;
}

// START with the mouse, at the middle of the button wherever the page shows the menu.
async function startRound(page) {
  const box = await (await page.$('[data-form="Form1"] canvas')).boundingBox();
  const [left, top, width, height] = await page.evaluate(
    () => ['Left', 'Top', 'Width', 'Height'].map((p) => Number(window.krax.print(`Form1.Image5.${p}`))));
  const scale = box.width / kMenuWidth;
  await page.mouse.click(box.x + (left + width / 2) / 15 * scale, box.y + (top + height / 2) / 15 * scale);
  await page.waitForSelector('[data-form="Form2"] canvas');
}

// What keeping the round has cost so far (a site that keeps none has no figure).
async function keepingCost(page) {
  const cost = await page.evaluate(() => window.krax.keeping && window.krax.keeping());
  return cost ? `${cost.calls} storage calls, ${cost.ms.toFixed(1)} ms` : '-';
}

const percent = (share) => `${(share * 100).toFixed(2)}%`;

async function main() {
  report('site (each file on its own, gzip level 9)', sites.map(sizes));
  await withSitesInChromium(sites, async (browser, addresses) => {
    const times = addresses.map(() => []);
    for (let i = 0; i < kLoads; ++i)
      for (const [n, address] of addresses.entries()) times[n].push(await firstFrame(browser, address));
    report(`load to the menu's first frame, median of ${kLoads} loads (all loads)`,
      times.map((t) => `${median(t).toFixed(0)} ms (${t.map((x) => x.toFixed(0)).join(', ')})`));

    const blank = await browser.newPage();
    report(`CPU of an empty page over ${kSeconds} s, for comparison`, [percent(await cpu(blank, kSeconds))]);
    await blank.close();
    for (const [name, screen] of Object.entries(kScreens)) {
      const pages = [];
      for (const address of addresses) pages.push(await openMenu(browser, address, screen));
      const menu = [], round = [], blink = [], keeping = [];
      for (const page of pages) menu.push(percent(await cpu(page, kSeconds)));
      report(`CPU idle on the menu, ${name}`, menu);
      for (const page of pages) {
        await startRound(page);
        const [whole, end] = await roundCpu(page);
        round.push(percent(whole));
        blink.push(percent(end));
        keeping.push(await keepingCost(page));
        await page.close();
      }
      report(`CPU over a whole round, ${name}`, round);
      report(`  of which the last ${kBlinkSeconds} s, the time bar blinking`, blink);
      report(`keeping the round, ${name}`, keeping);
    }
  });
}

main().catch((error) => {
  console.error(`krax figures: ${error.message}`);
  process.exit(1);
});
