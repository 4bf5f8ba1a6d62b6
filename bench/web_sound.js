// What sound costs the page: a site without it beside one with it, in turns in one run,
// in headless Chromium on a 1024x768 window. Over 10 s of the menu left alone, of a
// round without input (from its 4th second) and of a round with a shot a second (R
// after every fifth): the share of a core of the page's main thread (Chromium's own
// metrics) and of the whole browser (its processes from /proc, Web Audio's threads and
// the audio service among them). Medians of 3.
//   NODE_PATH=build-web/npm/node_modules node bench/web_sound.js SILENT_SITE SOUND_SITE
'use strict';
const fs = require('fs');
const { withSitesInChromium } = require('./sites_in_chromium.js');
const { Player, sleep } = require('../tests/web/player.js');

const kSeconds = 10;
const kRuns = 3;
const kGround = [3000, 7800];  // twips of bare ground on the game screen
const kTicksPerSecond = 100;   // of /proc/PID/stat's times

// The processor time of a process and all its descendants, in seconds.
function treeSeconds(root) {
  const parents = new Map();
  const ticks = new Map();
  for (const pid of fs.readdirSync('/proc').filter((name) => /^\d+$/.test(name))) {
    try {
      const fields = fs.readFileSync(`/proc/${pid}/stat`, 'utf8').split(') ')[1].split(' ');
      parents.set(pid, fields[1]);
      ticks.set(pid, Number(fields[11]) + Number(fields[12]));
    } catch {
      // gone meanwhile
    }
  }
  const inTree = (pid) => pid === String(root) || (parents.has(pid) && pid !== '1' && inTree(parents.get(pid)));
  let total = 0;
  for (const [pid, t] of ticks) if (inTree(pid)) total += t;
  return total / kTicksPerSecond;
}

async function measure(browser, address, scenario) {
  const page = await browser.newPage();
  await page.setViewport({ width: 1024, height: 768, deviceScaleFactor: 1 });
  await page.goto(address);
  await page.waitForFunction(() => performance.getEntriesByName('krax-first-frame').length > 0);
  const player = new Player(page);
  if (scenario !== 'menu') {
    await player.clickControl('Form1', 'Image5');  // START: also the gesture that lets sound begin
    await player.waitFor('App.ActiveForm', 'Form2');
  }
  await sleep(4000);  // START's click has played, and the audio rested again
  const pid = browser.process().pid;
  const before = { main: (await page.metrics()).TaskDuration, all: treeSeconds(pid), at: Date.now() };
  for (let shot = 1; Date.now() - before.at < kSeconds * 1000; ++shot) {
    if (scenario !== 'shots') {
      await sleep(kSeconds * 1000);
      break;
    }
    await player.clickAt('Form2', ...kGround);
    if (shot % 5 === 0) await page.keyboard.press('r');
    await sleep(Math.max(0, before.at + shot * 1000 - Date.now()));
  }
  const seconds = (Date.now() - before.at) / 1000;
  const main = ((await page.metrics()).TaskDuration - before.main) / seconds;
  const all = (treeSeconds(pid) - before.all) / seconds;
  const sounds = await page.evaluate(() => (window.krax.sounds ? window.krax.sounds().length : 0));
  await page.close();
  return { main, all, sounds };
}

const median = (values) => values.slice().sort((a, b) => a - b)[Math.floor(values.length / 2)];
const percent = (share) => `${(share * 100).toFixed(2)}%`;

async function main() {
  const sites = process.argv.slice(2, 4);
  await withSitesInChromium(sites, async (browser, addresses) => {
    console.log(`${kSeconds} s each, median of ${kRuns}: main thread, whole browser (sounds started)`);
    for (const [scenario, what] of [['menu', 'menu left alone'], ['round', 'round without input'],
      ['shots', 'round, a shot a second']]) {
      const results = sites.map(() => []);
      for (let run = 0; run < kRuns; ++run)
        for (const [n, address] of addresses.entries()) results[n].push(await measure(browser, address, scenario));
      const line = results.map((r) => `${percent(median(r.map((x) => x.main)))}, ${percent(median(r.map((x) => x.all)))}` +
                                      ` (${median(r.map((x) => x.sounds))})`);
      console.log(`${what}: ${line.join(' | ')}`);
    }
  });
}

main().catch((error) => {
  console.error(`krax web sound: ${error.message}`);
  process.exit(1);
});
