// The site played by touch on emulated phones and tablets, with real touch events:
// the fit of the screens to the screen (also after turning the phone mid-round), no
// zoom by pinch or double tap, the shot on touch-down, two fingers as two presses, a
// tap on a pig, the swipe up that opens the code box; and the offline reload, from
// what the service worker kept.
'use strict';
const { Player, check, sleep } = require('./player.js');

const kDevices = {
  'phone held upright': { width: 390, height: 844, deviceScaleFactor: 3, isMobile: true, hasTouch: true },
  'phone held sideways': { width: 844, height: 390, deviceScaleFactor: 3, isMobile: true, hasTouch: true, isLandscape: true },
  'tablet': { width: 820, height: 1180, deviceScaleFactor: 2, isMobile: true, hasTouch: true },
};
// Bare ground of the game screen, in twips, away from the holes and the tractor.
const kGround = { x: 3000, y: 7800 };

// The screen's window is seen whole, with no zoom and nothing to scroll, fills the
// screen as far as its aspect allows and is drawn at the display's full density.
async function checkFit(player, form, what) {
  const fit = await player.page.evaluate((name) => {
    const element = document.querySelector(`[data-form="${name}"]`);
    const box = element.getBoundingClientRect();
    const canvas = element.querySelector('canvas');
    const shown = canvas.getBoundingClientRect();
    const root = document.documentElement;
    const controls = document.getElementById('controls').getBoundingClientRect();
    return {
      box: [box.left, box.top, box.right, box.bottom], screen: [root.clientWidth, root.clientHeight],
      controls: [controls.left, controls.top, controls.right, controls.bottom],
      scroll: [root.scrollWidth, root.scrollHeight], zoom: visualViewport.scale, density: devicePixelRatio,
      pixels: [canvas.width, canvas.height], css: [shown.width, shown.height],
    };
  }, form);
  const [left, top, right, bottom] = fit.box, [width, height] = fit.screen;
  const filled = Math.max((right - left) / width, (bottom - top) / height);
  console.log(`${what}: ${form}'s canvas ${fit.pixels.join('x')} device pixels, ${fit.css.map((n) => n.toFixed(1)).join('x')} ` +
              `CSS pixels, on a ${width}x${height} screen at ${fit.density}x: the window fills ${(filled * 100).toFixed(1)}% ` +
              `of the limiting side, zoom ${fit.zoom}`);
  check(fit.zoom === 1, `${what}: the page is zoomed to ${fit.zoom}`);
  check(fit.scroll[0] <= width && fit.scroll[1] <= height, `${what}: the page scrolls (${fit.scroll.join('x')})`);
  check(left >= 0 && top >= 0 && right <= width + 0.01 && bottom <= height + 0.01, `${what}: ${form} is not seen whole`);
  check(filled >= 0.8, `${what}: ${form} fills only ${(filled * 100).toFixed(1)}% of the screen`);
  const [cLeft, cTop, cRight, cBottom] = fit.controls;
  check(cLeft >= right || cRight <= left || cTop >= bottom || cBottom <= top,
    `${what}: the page's controls lie over ${form}'s window`);
  check(fit.pixels[0] === Math.round(fit.css[0] * fit.density) && fit.pixels[1] === Math.round(fit.css[1] * fit.density),
    `${what}: ${form} is not drawn at the display's density`);
}

// The shot fires as the finger lands, not as it lifts.
async function shootOnTouchDown(player, what) {
  const at = await player.pointAt('Form2', kGround.x, kGround.y);
  await player.page.keyboard.press('r');
  await player.waitFor('Form2.intBullets', '6');
  const finger = await player.page.touchscreen.touchStart(at.x, at.y);
  await player.expect('Form2.intBullets', '5');
  await sleep(500);
  await player.expect('Form2.intBullets', '5');
  await finger.end();
  await player.expect('Form2.intBullets', '5');
  console.log(`${what}: a touch-down on the ground spent the shot at once`);
}

// A second finger landing while the first is down is a new press.
async function twoFingers(player, what) {
  const left = await player.pointAt('Form2', kGround.x, kGround.y);
  const right = await player.pointAt('Form2', kGround.x + 600, kGround.y);
  await player.page.keyboard.press('r');
  await player.waitFor('Form2.intBullets', '6');
  const first = await player.page.touchscreen.touchStart(left.x, left.y);
  const second = await player.page.touchscreen.touchStart(right.x, right.y);
  await player.expect('Form2.intBullets', '4');
  await first.end();
  await second.end();
  console.log(`${what}: two fingers tapping were two shots`);
}

// Up by more than a quarter of the game screen's height, then lifted: the code box.
async function swipeUp(player, what) {
  const at = await player.pointAt('Form2', kGround.x, kGround.y);
  const rise = (await player.client('Form2')).height * at.scale * 0.3;
  await player.answerCode('47', async () => {
    const finger = await player.page.touchscreen.touchStart(at.x, at.y);
    for (let step = 1; step <= 4; ++step) await finger.move(at.x, at.y - rise * step / 4);
    await finger.end();
  });
  await player.expect('Form2.strCode', '47');
  const left = Number(await player.print('Form2.intTimeLeft'));
  check(left === 10 || left === 9, `${what}: the code 47 from the swipe left ${left} seconds`);
  console.log(`${what}: a swipe up opened the code box`);
}

// Two fingers spreading on the desk beside the menu, and a double tap: the page does
// not zoom (nor does the viewport forbid it: touch-action keeps the fingers the game's).
async function pinchAndDoubleTap(player, what) {
  const { width, height } = player.page.viewport();
  const box = await (await player.canvas('Form1')).boundingBox();
  // Along the wider of the bands of desk below and left of the window.
  const below = height - (box.y + box.height) > box.x;
  const at = below ? { x: width / 2, y: (box.y + box.height + height) / 2 } : { x: box.x / 2, y: height / 2 };
  const along = (d) => (below ? { x: at.x + d, y: at.y } : { x: at.x, y: at.y + d });
  const fingers = [];
  for (const side of [-1, 1]) fingers.push(await player.page.touchscreen.touchStart(along(side * 20).x, along(side * 20).y));
  for (let step = 1; step <= 10; ++step) {
    for (const [i, side] of [-1, 1].entries()) await fingers[i].move(along(side * (20 + 13 * step)).x, along(side * (20 + 13 * step)).y);
  }
  await Promise.all(fingers.map((finger) => finger.end()));
  for (let tap = 0; tap < 2; ++tap) await player.page.touchscreen.tap(at.x, at.y);
  await sleep(300);
  const zoom = await player.page.evaluate(() => visualViewport.scale);
  check(zoom === 1, `${what}: a pinch and a double tap zoomed the page to ${zoom}`);
}

// Turned sideways mid-round and back: the game screen fits each time, the round goes on.
async function turn(player, what) {
  const upright = player.page.viewport();
  const sideways = { ...upright, width: upright.height, height: upright.width, isLandscape: true };
  for (const [viewport, how] of [[sideways, 'turned sideways'], [upright, 'turned upright again']]) {
    await player.page.setViewport(viewport);
    await sleep(200);
    await checkFit(player, 'Form2', `${what}, ${how}`);
  }
  await player.expect('App.ActiveForm', 'Form2');
  await player.expect('Form2.tmrTime.Enabled', 'True');
}

async function playOn(openPage, address, what, device) {
  const page = await openPage(device);
  const player = new Player(page, { byTouch: true });
  await page.goto(`${address}?seed=1`);
  await page.waitForFunction(() => performance.getEntriesByName('krax-first-frame').length > 0);
  await checkFit(player, 'Form1', what);
  await pinchAndDoubleTap(player, what);
  await player.clickControl('Form1', 'Image5');  // START, tapped
  await player.waitFor('App.ActiveForm', 'Form2');
  await checkFit(player, 'Form2', what);
  await shootOnTouchDown(player, what);
  await twoFingers(player, what);
  await player.hitAPig();
  const sounds = await page.evaluate(() => window.krax.sounds());
  check(sounds[0] === 'click' && sounds[sounds.length - 1] === 'pig', `${what}: the taps started ${sounds}`);
  console.log(`${what}: a tap on a pig hit it, and the page started its sound`);
  await swipeUp(player, what);
  if (!device.isLandscape) await turn(player, what);
  await page.close();
}

async function playByTouch(openPage, address) {
  for (const [what, device] of Object.entries(kDevices)) await playOn(openPage, address, what, device);
}

// With the server gone, the site loads from the service worker's copy and plays: on
// a phone by touch, where the engine's driver can, else on a desktop by mouse.
async function playOffline(openPage, address, server, { byTouch }) {
  const page = await openPage(byTouch ? kDevices['phone held upright'] : { width: 1024, height: 768, deviceScaleFactor: 1 });
  const player = new Player(page, { byTouch });
  // The worker has the whole site once it is ready.
  await page.goto(address);
  await page.evaluate(() => navigator.serviceWorker.ready);
  server.close();
  server.closeAllConnections();
  await page.goto(`${address}?seed=2`);
  await page.waitForFunction(() => performance.getEntriesByName('krax-first-frame').length > 0);
  await player.clickControl('Form1', 'Image5');
  await player.waitFor('App.ActiveForm', 'Form2');
  if (byTouch) {
    await shootOnTouchDown(player, 'offline');
  } else {
    await player.clickAt('Form2', kGround.x, kGround.y);
    await player.expect('Form2.intBullets', '5');
  }
  await page.close();
  console.log('offline: the site loaded and played with the server gone');
}

module.exports = { checkFit, kDevices, playByTouch, playOffline };
