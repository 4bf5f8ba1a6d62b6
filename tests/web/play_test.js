// Plays the site in a browser engine as a person would: real mouse clicks on the
// canvases at the controls' places, real keys, the prompt answered. Checks what the
// game holds through window.krax.print, that no error reaches the console, and that
// the menu and a fresh game screen look as `krax --headless` draws them. Then, where
// the engine's driver can, plays by touch on an emulated phone and tablet (touch.js)
// and last, with the server gone, offline, from what the service worker kept.
//   node play_test.js ENGINE SITE_FOLDER NATIVE_KRAX
// ENGINE is chromium, firefox or webkit (engines.js). Exit status 0 passed, 1 failed,
// 77 skipped (the engine or its driver missing, or no native krax to compare with).
'use strict';
const { execFileSync } = require('child_process');
const fs = require('fs');
const os = require('os');
const path = require('path');
const { serve } = require('../../tools/serve_site.js');
const engines = require('./engines.js');
const { Player, check, sleep } = require('./player.js');
const { playByTouch, playOffline } = require('./touch.js');

const kSkipped = 77;
const [engine, site, nativeKrax] = process.argv.slice(2);

function skip(reason) {
  console.log(`SKIPPED: ${reason}`);
  process.exit(kSkipped);
}

const missing = engines.missing(engine);
if (missing) skip(missing);
if (!nativeKrax || !fs.existsSync(nativeKrax)) skip(`no native krax to compare with at "${nativeKrax}"`);

// Fraction of pixels of two PNGs (data URLs) differing by more than a font's
// antialiasing would, measured in the page itself.
function differingShare(page, a, b) {
  return page.evaluate(async (first, second) => {
    const pixels = async (url) => {
      const picture = new Image();
      picture.src = url;
      await picture.decode();
      const canvas = document.createElement('canvas');
      canvas.width = picture.width;
      canvas.height = picture.height;
      const context = canvas.getContext('2d');
      context.drawImage(picture, 0, 0);
      return context.getImageData(0, 0, canvas.width, canvas.height);
    };
    const [x, y] = await Promise.all([pixels(first), pixels(second)]);
    if (x.width !== y.width || x.height !== y.height) return `sizes ${x.width}x${x.height} and ${y.width}x${y.height}`;
    let differing = 0;
    for (let i = 0; i < x.data.length; i += 4) {
      const most = Math.max(...[0, 1, 2].map((c) => Math.abs(x.data[i + c] - y.data[i + c])));
      if (most > 96) ++differing;
    }
    return differing / (x.width * x.height);
  }, a, b);
}

// The same screen as `krax --headless` draws it after SCRIPT, as a data URL.
function nativeShot(script, form) {
  const file = path.join(os.tmpdir(), `krax-web-${process.pid}-${form}.png`);
  execFileSync(nativeKrax, ['--headless', '--seed', '1'], { input: `${script}\nshot ${form} ${file}\n` });
  const url = 'data:image/png;base64,' + fs.readFileSync(file).toString('base64');
  fs.rmSync(file);
  return url;
}

// At one CSS pixel per pixel of the client area: the page is made as tall as the window,
// and wide enough for the page's controls in the corners beside it.
async function looksLikeNative(player, form, script) {
  const viewport = player.page.viewport();
  const client = await player.client(form);
  await player.page.setViewport({ width: client.width + 8 + 2 * 64, height: client.height + 34, deviceScaleFactor: 1 });
  await sleep(100);
  const shot = await (await player.canvas(form)).screenshot({ encoding: 'base64' });
  await player.page.setViewport(viewport);
  const share = await differingShare(player.page, 'data:image/png;base64,' + shot, nativeShot(script, form));
  check(typeof share === 'number', `${form} is drawn at the wrong size: ${share}`);
  console.log(`${form}: ${(share * 100).toFixed(2)}% of pixels differ`);
  check(share < 0.005, `${form} differs from krax --headless's shot in ${(share * 100).toFixed(1)}% of its pixels`);
}

async function play(page, address) {
  const player = new Player(page);
  await page.goto(`${address}?seed=1`);
  await page.waitForSelector('[data-form="Form1"] canvas');
  await page.waitForFunction(() => performance.getEntriesByName('krax-first-frame').length > 0);
  await player.expect('App.ActiveForm', 'Form1');
  await looksLikeNative(player, 'Form1', '');

  await player.clickControl('Form1', 'Image5');  // START
  await player.waitFor('App.ActiveForm', 'Form2');
  check(!(await page.$('[data-form="Form1"]')), 'the menu window stays in the page after START');
  await player.expectSounds(['click'], 'START, the first click, makes the page\'s audio and clicks');

  // The bare ground, before the first target can come up: a carrot and a second.
  await player.clickAt('Form2', 3000, 7800);
  await player.expect('Form2.intBullets', '5');
  // The shot's second, and on a slow machine the round clock's first tick as well.
  const afterShot = Number(await player.print('Form2.intTimeLeft'));
  check(afterShot === 59 || afterShot === 58, `a shot on the bare ground left ${afterShot} seconds`);
  await player.expectSounds(['click', 'throw'], 'a shot at the ground throws');

  const heardBefore = (await page.evaluate(() => window.krax.sounds())).length;
  await player.hitAPig();
  await player.expect('Form2.lblHits.Caption', 'Hits: 1');
  const sounds = await page.evaluate(() => window.krax.sounds());
  check(sounds[sounds.length - 1] === 'pig' && sounds.slice(heardBefore).filter((s) => s === 'pig').length === 1,
    `a hit on a pig starts the pig's sound once: ${sounds.slice(heardBefore)}`);

  // Off with the speaker control, on again with M; the page's storage keeps the choice.
  await page.click('#sound');
  check(await page.$eval('#sound', (b) => b.getAttribute('aria-pressed')) === 'true', 'the speaker control shows sound off');
  await player.clickAt('Form2', 3000, 7800);
  await player.expectSounds(sounds, 'with sound off, a shot starts no sound');
  check(await page.evaluate(() => localStorage.getItem('krax-sound')) === 'off', 'the page remembers sound off');
  await page.keyboard.press('m');
  check(await page.$eval('#sound', (b) => b.getAttribute('aria-pressed')) === 'false', 'M turns sound on again');
  check(await page.evaluate(() => localStorage.getItem('krax-sound')) === 'on', 'the page remembers sound on');

  await page.keyboard.press('r');
  await player.expect('Form2.intBullets', '6');

  await player.enterCode('47');
  await player.expect('Form2.strCode', '47');
  const left = Number(await player.print('Form2.intTimeLeft'));
  check(left === 10 || left === 9, `the code 47 left ${left} seconds`);

  // A page held up for three seconds (as a hidden tab's timers are) catches up with
  // one tick of the round clock, not three, as the desktop loop does.
  const before = Number(await player.print('Form2.intTimeLeft'));
  await page.evaluate(() => {
    for (const end = performance.now() + 3000; performance.now() < end;);
  });
  await sleep(200);
  const lost = before - Number(await player.print('Form2.intTimeLeft'));
  check(lost >= 1 && lost <= 2, `three seconds held up cost the round ${lost} seconds`);

  // The round ends some seconds later; one hit is a lost round.
  await player.waitFor('Form2.Image8.Visible', 'True', 15000);
  await player.expect('Form2.lblTime.Caption', '0');
  await player.clickControl('Form2', 'Image8');  // Continue
  await player.waitFor('App.ActiveForm', 'Form4');
  await player.clickControl('Form4', 'Image3');  // Play Again
  await player.waitFor('App.ActiveForm', 'Form2');
  await player.expect('Form2.intHits', '0');

  // A fresh round, frozen before its first second is up, against the headless driver.
  await player.enterCode('Cobra');
  await player.expect('Form2.tmrTime.Enabled', 'False');
  await player.expect('Form2.intTimeLeft', '60');
  await looksLikeNative(player, 'Form2', 'click Form1.Image5\nwait 100\nanswer Cobra\nkey Up');

  // Closing the last window ends the game; the page offers to start again.
  await page.click('[data-form="Form2"] .close');
  await player.expect('App.Running', 'False');
  check(!(await page.$('[data-form]')), 'windows stay in the page after the game ended');
  await page.waitForSelector('#ended:not([hidden])');
  await page.click('#ended button');
  await page.waitForSelector('[data-form="Form1"] canvas');
}

// Firefox's driver synthesises no touches and WebKitWebDriver emulates none: those
// two play by mouse alone, offline too.
const kByTouch = { chromium: true, firefox: false, webkit: false };

async function main() {
  const server = await serve(site, 0);
  const browser = await engines.open(engine);
  const byTouch = kByTouch[engine];
  try {
    const address = `http://127.0.0.1:${server.address().port}/`;
    await play(await browser.openPage({ width: 1024, height: 768, deviceScaleFactor: 1 }), address);
    if (byTouch) await playByTouch(browser.openPage, address);
    await playOffline(browser.openPage, address, server, { byTouch });
  } finally {
    await browser.close();
    server.close();
  }
  check(browser.problems.length === 0, browser.problems.join('\n'));
  return ['menu, round, result screen, new round', ...(byTouch ? ['by touch'] : []), 'offline'];
}

main().then((played) => console.log(`played through in ${engine}: ${played.join('; ')}`), (error) => {
  console.error(`FAILED in ${engine}: ${error.message}`);
  process.exit(1);
});
