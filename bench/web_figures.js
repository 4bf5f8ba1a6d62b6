// Figures of the web site: its size gzipped, the time from loading the page to the
// menu's first frame in headless Chromium, and the page's CPU while idle on the menu
// and during a round, from Chromium's own performance metrics.
//   NODE_PATH=build-web/npm/node_modules node bench/web_figures.js [build-web/site]
'use strict';
const fs = require('fs');
const os = require('os');
const path = require('path');
const zlib = require('zlib');
const puppeteer = require('puppeteer-core');
const { serve } = require('../tools/serve_site.js');

const site = process.argv[2] || 'build-web/site';
const kLoads = 5;
const kSeconds = 10;

function files(folder) {
  return fs.readdirSync(folder, { withFileTypes: true }).flatMap((entry) => {
    const file = path.join(folder, entry.name);
    return entry.isDirectory() ? files(file) : [file];
  });
}

function sizes() {
  let plain = 0, packed = 0;
  for (const file of files(site)) {
    const body = fs.readFileSync(file);
    plain += body.length;
    packed += zlib.gzipSync(body, { level: 9 }).length;
  }
  const kb = (n) => `${(n / 1024).toFixed(0)} KiB`;
  console.log(`site: ${kb(plain)}, ${kb(packed)} gzipped (each file on its own, level 9)`);
}

const median = (values) => values.slice().sort((a, b) => a - b)[Math.floor(values.length / 2)];

async function firstFrame(browser, address) {
  const times = [];
  for (let i = 0; i < kLoads; ++i) {
    const page = await browser.newPage();
    await page.setCacheEnabled(false);
    await page.goto(address);
    await page.waitForFunction(() => performance.getEntriesByName('krax-first-frame').length > 0);
    times.push(await page.evaluate(() => performance.getEntriesByName('krax-first-frame')[0].startTime));
    await page.close();
  }
  console.log(`load to the menu's first frame: median ${median(times).toFixed(0)} ms of ${kLoads} loads ` +
              `(${times.map((t) => t.toFixed(0)).join(', ')})`);
}

// Share of one core the page's main thread was busy over the next few seconds.
async function cpu(page, what) {
  const busy = async () => (await page.metrics()).TaskDuration;
  const before = await busy(), start = Date.now();
  await new Promise((resolve) => setTimeout(resolve, kSeconds * 1000));
  const share = (await busy() - before) / ((Date.now() - start) / 1000);
  console.log(`CPU ${what}: ${(share * 100).toFixed(2)}% of a core over ${kSeconds} s`);
}

async function main() {
  sizes();
  const server = await serve(site, 0);
  const address = `http://127.0.0.1:${server.address().port}/?seed=1`;
  const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'krax-figures-'));
  const browser = await puppeteer.launch({
    executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
    headless: true,
    args: ['--no-sandbox', '--disable-background-networking', '--disable-component-update', '--disable-sync',
      '--no-first-run', '--disable-quic', `--user-data-dir=${profile}`],
  });
  try {
    await firstFrame(browser, address);
    const blank = await browser.newPage();
    await cpu(blank, 'of an empty page, for comparison');
    await blank.close();
    const page = await browser.newPage();
    await page.goto(address);
    await page.waitForSelector('[data-form="Form1"] canvas');
    await cpu(page, 'idle on the menu');
    const box = await (await page.$('[data-form="Form1"] canvas')).boundingBox();
    const [left, top, width, height] = await page.evaluate(
      () => ['Left', 'Top', 'Width', 'Height'].map((p) => Number(window.krax.print(`Form1.Image5.${p}`))));
    await page.mouse.click(box.x + (left + width / 2) / 15, box.y + (top + height / 2) / 15);  // START
    await cpu(page, 'during a round');
  } finally {
    await browser.close();
    server.close();
    fs.rmSync(profile, { recursive: true, force: true });
  }
}

main().catch((error) => {
  console.error(`krax figures: ${error.message}`);
  process.exit(1);
});
