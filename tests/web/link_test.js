// Rounds as links between the page and the desktop, in a browser engine: a round
// played by mouse and, where the engine's driver can touch, one by touch, each kept in
// the page's storage and shared as its link;
// each link opened in a fresh page plays to the state `krax --headless --script LINK`
// ends in, whatever the watcher clicks meanwhile; a link made by `krax --link` plays in
// the page, and one made by the page plays in `krax --replay`; a damaged link plays
// nothing and says why. Prints the links' lengths, and with --pictures FOLDER writes
// the screenshots of the share control and of a link playing on a phone.
//   node link_test.js ENGINE SITE_FOLDER NATIVE_KRAX [--pictures FOLDER]
// ENGINE is chromium, firefox or webkit (engines.js). Exit status 0 passed, 1 failed,
// 77 skipped (the engine or its driver missing, or no native krax).
'use strict';
const { spawnSync } = require('child_process');
const fs = require('fs');
const os = require('os');
const path = require('path');
const { serve } = require('../../tools/serve_site.js');
const engines = require('./engines.js');
const { Player, check, sleep } = require('./player.js');
const { checkFit, kDevices } = require('./touch.js');

const kSkipped = 77;
const [engine, site, nativeKrax, picturesFlag, picturesFolder] = process.argv.slice(2);
const pictures = picturesFlag === '--pictures' ? picturesFolder : null;
const kChatMessage = 2000;
const kDesktop = { width: 1024, height: 768, deviceScaleFactor: 1 };
const kGround = { x: 3000, y: 7800 };
const kXvfbRun = '/usr/bin/xvfb-run';

function skip(reason) {
  console.log(`SKIPPED: ${reason}`);
  process.exit(kSkipped);
}

const missing = engines.missing(engine);
if (missing) skip(missing);
if (!nativeKrax || !fs.existsSync(nativeKrax)) skip(`no native krax at "${nativeKrax}"`);

// The native krax, keeping its rounds in a folder of its own.
function nativeVia(program, args, input) {
  const state = fs.mkdtempSync(path.join(os.tmpdir(), 'krax-state-'));
  const run = spawnSync(program, args, { input, encoding: 'utf8', timeout: 120000,
    env: { ...process.env, XDG_STATE_HOME: state } });
  fs.rmSync(state, { recursive: true, force: true });
  return { status: run.status, out: run.stdout, err: run.stderr };
}
const native = (args, input) => nativeVia(nativeKrax, args, input);

// The state `krax --headless --script LINK` ends in, as `dump` prints it: the link must
// play to its end (status 0), and `dump` can only follow its script, as the page read
// it, since a link holds no line of its own.
function nativeEnd(link, script) {
  const played = native(['--headless', '--script', link]);
  check(played.status === 0, `krax --headless --script LINK ended with ${played.status}: ${played.err}`);
  const dumped = native(['--headless', '--script', '-'], `${script}\ndump\n`);
  check(dumped.status === 0, `the link's script with a dump ended with ${dumped.status}: ${dumped.err}`);
  return JSON.parse(dumped.out);
}

async function shoot(page, name) {
  if (!pictures) return;
  fs.mkdirSync(pictures, { recursive: true });
  await page.screenshot({ path: path.join(pictures, name) });
}

// START, shots on the ground and at a pig, the code 47 that leaves ten seconds, the
// round's end; the share control comes on only then.
async function playRound(page, player) {
  await page.goto(`${page.kraxSite}?seed=${player.byTouch ? 5 : 4}`);
  await page.waitForFunction(() => performance.getEntriesByName('krax-first-frame').length > 0);
  check(await page.$eval('#share', (b) => b.disabled), 'the share control is on before any round');
  await player.clickControl('Form1', 'Image5');  // START
  await player.waitFor('App.ActiveForm', 'Form2');
  for (let shot = 0; shot < 3; ++shot) await player.clickAt('Form2', kGround.x + 500 * shot, kGround.y);
  await player.hitAPig();
  await player.enterCode('47');
  check(await page.$eval('#share', (b) => b.disabled), 'the share control is on before the round is played out');
  await player.waitFor('Form2.Image8.Visible', 'True', 15000);  // Continue
  await page.waitForSelector('#share:not([disabled])');
  return Number(await player.print('Form2.intHits'));
}

// The link the share control hands over: to the clipboard, or to the share sheet
// where the browser has one (a phone's, stood in for here).
async function share(page, { sheet }) {
  if (sheet) {
    await page.evaluate(() => {
      navigator.share = (data) => { window.kraxShared = data; return Promise.resolve(); };
    });
  }
  await page.click('#share');
  if (sheet) {
    await page.waitForFunction(() => window.kraxShared || !document.getElementById('said').hidden);
    const shared = await page.evaluate(() => window.kraxShared);
    check(shared, `the share sheet got nothing: ${await page.$eval('#said', (e) => e.textContent)}`);
    return shared.url;
  }
  await page.waitForSelector('#said:not([hidden])');
  return page.evaluate(() => navigator.clipboard.readText());
}

// The round ended by Play Again is kept, with its hits, in a few storage calls.
async function checkKept(page, player, hits) {
  await player.clickControl('Form2', 'Image8');  // Continue
  await player.waitFor('App.ActiveForm', 'Form4');
  await player.clickControl('Form4', 'Image3');  // Play Again: the next round begins
  await player.waitFor('App.ActiveForm', 'Form2');
  await page.waitForFunction(async () => (await window.krax.rounds()).some((r) => r.ended));
  const [round] = await page.evaluate(() => window.krax.rounds());
  const script = await page.evaluate((id) => window.krax.roundScript(id), round.id);
  const cost = await page.evaluate(() => window.krax.keeping());
  check(round.hits === hits, `the kept round has ${round.hits} hits, not ${hits}: ${JSON.stringify(round)} ${script.slice(-600)}`);
  check(script.split('\n')[0].startsWith('round '), `the kept round does not begin with its round line: ${script.slice(0, 80)}`);
  const played = native(['--headless', '--script', '-'], script);
  check(played.status === 0, `the kept round does not play to its end in krax --headless: ${played.err}`);
  check(cost.calls <= 10, `keeping a round took ${cost.calls} storage calls`);
  console.log(`kept: round ${round.id}, ${hits} hits, ${script.split('\n').length} lines in ${round.pieces} pieces; ` +
              `${cost.calls} storage calls, ${cost.ms.toFixed(1)} ms of the page's own time`);
}

// The watcher of a replay on the game screen, which fits the screen, clicks and
// presses keys: M turns the page's sound off and on, and reaches no game.
async function meddle(page, player, what) {
  await page.waitForSelector('[data-form="Form2"] canvas', { timeout: 20000 });
  await checkFit(player, 'Form2', what);
  for (let click = 0; click < 3; ++click) await player.clickAt('Form2', kGround.x, kGround.y).catch(() => {});
  await page.keyboard.press('r');
  for (const off of ['true', 'false']) {
    await page.keyboard.press('m');
    check(await page.$eval('#sound', (b) => b.getAttribute('aria-pressed')) === off, `${what}: M does not turn sound off and on`);
  }
}

// VALUE with every object's keys in order: a driver may hand an object's keys over in
// an order of its own (WebKitWebDriver does).
function sorted(value) {
  if (Array.isArray(value)) return value.map(sorted);
  if (value === null || typeof value !== 'object') return value;
  return Object.fromEntries(Object.keys(value).sort().map((key) => [key, sorted(value[key])]));
}

// The link opened in a fresh page plays at its pace to where the headless driver ends;
// clicks and keys of the watcher's change nothing. LASTING: the round plays long
// enough to meddle with (a round of the desktop's here is over in a second or so).
async function watch(openPage, link, device, what, { lasting = true } = {}) {
  const page = await openPage(device);
  const player = new Player(page, { byTouch: Boolean(device.hasTouch) });
  await page.goto(page.kraxSite);
  const keptBefore = (await page.evaluate(() => window.krax.rounds())).length;
  // From elsewhere, as a link opened in a new tab is: not as the page's own hash changing.
  await page.goto('about:blank');
  await page.goto(link);
  await page.waitForFunction(() => window.krax.replay && window.krax.replay());
  const replay = await page.evaluate(() => window.krax.replay());
  check(replay.hits >= 0 && !replay.refused, `${what}: the link does not play: ${replay.refused}`);
  const line = await page.$eval('#replay', (e) => (e.hidden ? '' : e.textContent.replace(/\s+/g, ' ').trim()));
  check(line.includes('Replay') && line.includes(`${replay.hits} hit`), `${what}: the replay's line says "${line}"`);
  console.log(`${what}: "${line}", found in ${replay.playedMs.toFixed(0)} ms`);
  if (lasting) await meddle(page, player, what);
  await page.waitForSelector('#ended:not([hidden])', { timeout: 120000 });
  const end = sorted(await page.evaluate(() => window.krax.dump()));
  const wanted = sorted(nativeEnd(link, replay.script));
  check(JSON.stringify(end) === JSON.stringify(wanted), `${what}: the page's replay ends elsewhere than krax --headless:\n` +
        `page:   ${JSON.stringify(end).slice(0, 400)}\nnative: ${JSON.stringify(wanted).slice(0, 400)}`);
  const kept = (await page.evaluate(() => window.krax.rounds())).length;
  check(kept === keptBefore, `${what}: the replay was kept (${keptBefore} rounds before, ${kept} after)`);
  await page.close();
  return replay.hits;
}

// krax --replay plays the page's link in windows of its own, to its end, fast: under
// an X server of its own where there is no display.
function replayOnDesktop(link) {
  const args = ['--replay', link, '--speed', '8', '--mute'];
  const display = process.env.DISPLAY || process.env.WAYLAND_DISPLAY;
  if (!display && !fs.existsSync(kXvfbRun)) {
    console.log('krax --replay LINK: no display and no xvfb-run here; the headless play stands');
    return;
  }
  const run = display ? native(args) : nativeVia(kXvfbRun, ['-a', nativeKrax, ...args]);
  check(run.status === 0, `krax --replay LINK ended with ${run.status}: ${run.err}`);
  console.log('krax --replay LINK: the page\'s round played in the desktop\'s windows to its end');
}

// The newest 100 rounds and the 10 best stay, numbered as they were; the switch keeps
// none; forgetting leaves none.
async function keepsTheNewestAndTheBest(openPage) {
  const page = await openPage(kDesktop);
  await page.goto(`${page.kraxSite}?seed=1`);
  await page.waitForFunction(() => performance.getEntriesByName('krax-first-frame').length > 0);
  const kept = await page.evaluate(async () => {
    const keep = Module.kraxKeep;
    await keep.forget();
    // The best are among the oldest: rounds 11 to 20, with 111 to 120 hits.
    const hits = (n) => (n <= 20 ? 100 + n : n % 37);
    for (let n = 1; n <= 130; ++n) {
      keep.round = { began: n, hits: 0, length: 0, ended: false, pieces: 0 };
      keep.piece(keep.round, `round ${n}\n`, hits(n), 1000, false);
      keep.piece(keep.round, 'catchup 1000\n', hits(n), 2000, true);
    }
    await keep.chain;
    const rounds = await keep.list();
    const first = await keep.script(rounds[0].id);
    localStorage.setItem('krax-keep', 'off');
    return { ids: rounds.map((r) => r.id), first };
  });
  const newest = Array.from({ length: 100 }, (_, i) => 31 + i);
  const wanted = [...Array.from({ length: 10 }, (_, i) => 11 + i), ...newest];
  const ids = kept.ids.map((id) => id - kept.ids[kept.ids.length - 1] + 130);
  check(JSON.stringify(ids) === JSON.stringify(wanted), `the rounds kept are ${ids}, not ${wanted}`);
  check(/^round \d+\ncatchup 1000\n$/.test(kept.first), `a kept round reads back as ${JSON.stringify(kept.first)}`);

  // With the switch off, a round played is not kept; forgetting leaves nothing.
  const player = new Player(page);
  await page.reload();
  await page.waitForFunction(() => performance.getEntriesByName('krax-first-frame').length > 0);
  await player.clickControl('Form1', 'Image5');
  await player.waitFor('App.ActiveForm', 'Form2');
  await page.evaluate(() => Module.ccall('krax_keep_now', null, [], []));
  const afterOff = await page.evaluate(async () => { await Module.kraxKeep.chain; return (await Module.kraxKeep.list()).length; });
  check(afterOff === kept.ids.length, `with the switch off a round was kept (${afterOff} rounds)`);
  await page.click('#rounds');
  check(!(await page.$eval('#keep', (box) => box.checked)), 'the switch does not show that rounds are not kept');
  await page.click('#forget');
  await page.waitForFunction(async () => (await window.krax.rounds()).length === 0);
  await page.evaluate(() => localStorage.removeItem('krax-keep'));
  await page.close();
  console.log(`kept: the newest 100 rounds and the 10 best of 130; the switch keeps none; forgetting leaves none`);
}

// Says which stage a failure came in.
let stage = 'starting';
const at = (what) => { stage = what; };

// Firefox's driver synthesises no touches and WebKitWebDriver emulates none: there
// the rounds are played and watched by mouse on a desktop.
const kByTouch = { chromium: true, firefox: false, webkit: false };

async function main() {
  const server = await serve(site, 0);
  const address = `http://127.0.0.1:${server.address().port}/`;
  const browser = await engines.open(engine);
  const byTouch = kByTouch[engine];
  const phone = (held) => (byTouch ? kDevices[`phone held ${held}`] : kDesktop);
  const lengths = {};
  try {
    const openPage = async (device) => {
      const page = await browser.openPage(device);
      page.kraxSite = address;
      return page;
    };
    const clipboard = await browser.allowClipboard(address);

    at('a kept round of the desktop');
    // A kept round of the desktop's, which starts where the round before left the game.
    const desktopLink = native(['--link', path.join(__dirname, '..', 'scenarios', 'kept_round.script'), '--site', address]);
    check(desktopLink.status === 0, `krax --link ended with ${desktopLink.status}: ${desktopLink.err}`);
    lengths['by krax --link'] = desktopLink.out.trim().length;
    await watch(openPage, desktopLink.out.trim(), phone('upright'), 'a round of the desktop', { lasting: false });

    at('damaged links');
    await refused(openPage, address);

    at('a round by mouse');
    const mouse = await openPage(kDesktop);
    const mouseHits = await playRound(mouse, new Player(mouse));
    if (!clipboard) console.log(`the share control: ${engine}'s driver cannot let the page read the clipboard; the share sheet's link stands`);
    const mouseLink = await share(mouse, { sheet: !clipboard });
    await checkKept(mouse, new Player(mouse), mouseHits);
    await mouse.close();
    const rounds = [['by mouse', mouseLink, mouseHits, kDesktop]];

    if (byTouch) {
      at('a round by touch');
      const upright = await openPage(kDevices['phone held upright']);
      const touch = new Player(upright, { byTouch: true });
      const touchHits = await playRound(upright, touch);
      await shoot(upright, 'share_upright.png');
      await upright.setViewport(kDevices['phone held sideways']);
      await sleep(300);
      await checkFit(touch, 'Form2', 'the share control on a phone held sideways');
      await shoot(upright, 'share_sideways.png');
      rounds.push(['by touch', await share(upright, { sheet: true }), touchHits, kDevices['phone held sideways']]);
      await upright.close();
    }

    for (const [what, link, hits, device] of rounds) {
      check(link.startsWith(`${address}#r=`), `the link ${what} is not on the page's site: ${link.slice(0, 60)}`);
      lengths[what] = link.length;
      at(`watching the round played ${what}`);
      const watched = await watch(openPage, link, device, `the round played ${what}`);
      check(watched === hits, `the round played ${what} had ${hits} hits, its replay says ${watched}`);
    }
    at('krax --replay');
    replayOnDesktop(mouseLink);
    at('the newest and the best kept');
    await keepsTheNewestAndTheBest(openPage);
    const lastLink = rounds[rounds.length - 1][1];
    at('pictures');
    // Pictures of a phone's screen, where the engine's driver emulates one.
    if (pictures && byTouch) await picturesOfAReplay(openPage, lastLink);
    at('offline');
    await watchOffline(openPage, server, lastLink, phone('upright'));
  } finally {
    await browser.close();
    if (server.listening) server.close();
  }
  check(browser.problems.length === 0, browser.problems.join('\n'));
  for (const [what, length] of Object.entries(lengths)) {
    console.log(`link of the round ${what}: ${length} characters (a chat message holds ${kChatMessage})`);
    check(length <= kChatMessage, `the link of the round ${what} is ${length} characters long`);
  }
}

// A damaged link, one of a newer format and one of other rules: one line each, and
// no window.
async function refused(openPage, address) {
  const page = await openPage(kDesktop);
  for (const [fragment, says] of [['#r=AUAAAAGY', 'ends too soon'], ['#r=AgAA', 'newer format'], ['#r=%%%', 'damaged']]) {
    await page.goto(`about:blank`);
    await page.goto(address + fragment);
    await page.waitForSelector('#refused:not([hidden])');
    const line = await page.$eval('#refused p', (p) => p.textContent);
    check(line.includes(says), `the link ${fragment} says "${line}"`);
    check(!(await page.$('[data-form]')), `the link ${fragment} opened a window`);
    console.log(`${fragment}: "${line}"`);
  }
  await page.close();
}

// With the server gone, a link still plays, from what the service worker kept.
async function watchOffline(openPage, server, link, device) {
  const page = await openPage(device);
  await page.goto(page.kraxSite);
  await page.evaluate(() => navigator.serviceWorker.ready);
  server.close();
  server.closeAllConnections();
  await page.goto('about:blank');
  await page.goto(link);
  await page.waitForFunction(() => window.krax.replay && window.krax.replay());
  await page.waitForSelector('[data-form="Form2"] canvas', { timeout: 20000 });
  await page.close();
  console.log('offline: the link played with the server gone');
}

async function picturesOfAReplay(openPage, link) {
  for (const [name, device] of [['replay_upright.png', kDevices['phone held upright']],
    ['replay_sideways.png', kDevices['phone held sideways']]]) {
    const page = await openPage(device);
    await page.goto(link);
    await page.waitForSelector('[data-form="Form2"] canvas', { timeout: 20000 });
    await sleep(6000);
    await shoot(page, name);
    await page.close();
  }
}

main().then(() => console.log(`links played through in ${engine}`), (error) => {
  console.error(`FAILED in ${engine}, ${stage}: ${error.message}`);
  process.exit(1);
});
