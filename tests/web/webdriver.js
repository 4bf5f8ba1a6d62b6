// WebKit for the browser test: WebKitGTK's MiniBrowser under an X server of its own
// (Xvfb), driven through WebKitWebDriver's W3C WebDriver over plain HTTP. Its pages
// answer the part of puppeteer's Page that the round uses (player.js, play_test.js),
// so the same round plays in every engine. WebDriver has no touch emulation, no
// device scale and no console events: errors are caught in the page itself and told
// to the page's 'console' and 'pageerror' listeners at the next look.
'use strict';
const { spawn } = require('child_process');
const fs = require('fs');
const net = require('net');
const path = require('path');

const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));
const kDriver = '/usr/bin/WebKitWebDriver';
// WebDriver's codes for the named keys the round presses; a letter is itself.
const kKeys = { ArrowUp: '\uE013' };
const kButtons = { left: 0, right: 2 };
// The name WebDriver gives an element's reference.
const kElementKey = 'element-6066-11e4-a52e-4f735466cecf';

// MiniBrowser lives in the multiarch library folder.
function miniBrowser() {
  for (const dir of ['/usr/lib', ...fs.readdirSync('/usr/lib').map((name) => path.join('/usr/lib', name))]) {
    const file = path.join(dir, 'webkit2gtk-4.1', 'MiniBrowser');
    if (fs.existsSync(file)) return file;
  }
  return null;
}

// Why WebKit cannot be played here, or null.
function missingWebKit() {
  if (!fs.existsSync(kDriver)) return `no WebKitWebDriver at ${kDriver} (Debian's webkit2gtk-driver)`;
  if (!miniBrowser()) return 'no MiniBrowser (Debian\'s webkit2gtk-driver brings it)';
  if (!fs.existsSync('/usr/bin/Xvfb')) return 'no Xvfb to show MiniBrowser in';
  return null;
}

// Xvfb on a display it finds free: { display, server }.
function startXvfb() {
  return new Promise((resolve, reject) => {
    const server = spawn('Xvfb', ['-displayfd', '3', '-screen', '0', '1280x1024x24', '-nolisten', 'tcp'],
      { stdio: ['ignore', 'ignore', 'ignore', 'pipe'] });
    let number = '';
    server.stdio[3].on('data', (chunk) => {
      number += chunk;
      if (number.endsWith('\n')) resolve({ display: `:${number.trim()}`, server });
    });
    server.once('error', reject);
    server.once('exit', (code) => reject(new Error(`Xvfb ended with status ${code}`)));
  });
}

function freePort() {
  return new Promise((resolve, reject) => {
    const probe = net.createServer().listen(0, '127.0.0.1', () => {
      const { port } = probe.address();
      probe.close(() => resolve(port));
    });
    probe.once('error', reject);
  });
}

// One WebDriver session: call(METHOD, PATH, BODY) below /session/ID.
class Session {
  constructor(base) {
    this.base = base;
  }

  async request(method, where, body) {
    const response = await fetch(this.base + where, {
      method, headers: { 'Content-Type': 'application/json' }, body: body === undefined ? undefined : JSON.stringify(body),
    });
    const { value } = await response.json();
    if (value && value.error) {
      const error = new Error(`WebDriver ${method} ${where}: ${value.error}: ${value.message}`);
      error.code = value.error;
      throw error;
    }
    return value;
  }

  async start() {
    const options = { binary: miniBrowser(), args: ['--automation'] };
    const { sessionId } = await this.request('POST', '/session',
      { capabilities: { alwaysMatch: { 'webkitgtk:browserOptions': options } } });
    this.id = sessionId;
  }

  call(method, where, body) {
    return this.request(method, `/session/${this.id}${where}`, body);
  }
}

class Element {
  constructor(page, id) {
    this.page = page;
    this.id = id;
  }

  boundingBox() {
    return this.page.evaluate((element) => {
      const box = element.getBoundingClientRect();
      return { x: box.x, y: box.y, width: box.width, height: box.height };
    }, this.reference());
  }

  // Cut from a shot of the whole page: WebKitWebDriver's own shot of an element leaves
  // as many rows black at its foot as the element is down the page. At one device
  // pixel per CSS pixel, as the page always is here. A PNG in base64.
  async screenshot() {
    const whole = await this.page.session.call('GET', '/screenshot');
    return this.page.evaluate(async (png, element) => {
      const box = element.getBoundingClientRect();
      const picture = new Image();
      picture.src = `data:image/png;base64,${png}`;
      await picture.decode();
      const canvas = document.createElement('canvas');
      canvas.width = box.width;
      canvas.height = box.height;
      canvas.getContext('2d').drawImage(picture, -box.x, -box.y);
      return canvas.toDataURL('image/png').slice('data:image/png;base64,'.length);
    }, whole, this.reference());
  }

  reference() {
    return { [kElementKey]: this.id };
  }
}

// The page in MiniBrowser's one window, as puppeteer's Page for the calls the round makes.
class Page {
  constructor(session) {
    this.session = session;
    this.dialogHandlers = [];
    this.listeners = { console: [], pageerror: [] };
    this.mouse = { click: (x, y, { button = 'left' } = {}) => this.click(x, y, button) };
    this.keyboard = { press: (key) => this.press(key) };
  }

  async goto(address) {
    await this.tellProblems();
    await this.session.call('POST', '/url', { url: address });
    await this.watchProblems();
  }

  async reload() {
    await this.tellProblems();
    await this.session.call('POST', '/refresh', {});
    await this.watchProblems();
  }

  // Catches the errors of the page just loaded, for tellProblems.
  watchProblems() {
    return this.evaluate(() => {
      const problems = window.kraxProblems = [];
      const error = console.error;
      console.error = (...parts) => {
        problems.push({ event: 'console', text: parts.join(' ') });
        error.apply(console, parts);
      };
      addEventListener('error', (event) => problems.push({ event: 'pageerror', text: event.message }));
      addEventListener('unhandledrejection', (event) => problems.push({ event: 'pageerror', text: String(event.reason) }));
    });
  }

  on(event, listener) {
    if (!this.listeners[event]) throw new Error(`the WebKit page has no '${event}' events`);
    this.listeners[event].push(listener);
  }

  // Tells the listeners what went wrong in the page since the last look.
  async tellProblems() {
    const problems = await this.evaluate(() => (window.kraxProblems || []).splice(0)).catch(() => []);
    for (const { event, text } of problems) {
      const told = event === 'console' ? { type: () => 'error', text: () => text } : new Error(text);
      for (const listener of this.listeners[event]) listener(told);
    }
  }

  // FUNCTION (or its source) run in the page with ARGS; a promise is waited for.
  async evaluate(code, ...args) {
    const { value, error } = await this.session.call('POST', '/execute/async', {
      script: `const done = arguments[arguments.length - 1];
               const args = Array.prototype.slice.call(arguments, 0, -1);
               Promise.resolve().then(() => (${code}).apply(null, args)).then(
                 (value) => done({ value }), (error) => done({ error: String(error && error.message || error) }));`,
      args,
    });
    if (error !== undefined) throw new Error(error);
    return value;
  }

  $eval(selector, code) {
    return this.evaluate(`(selector) => (${code})(document.querySelector(selector))`, selector);
  }

  async $(selector) {
    try {
      const found = await this.session.call('POST', '/element', { using: 'css selector', value: selector });
      return new Element(this, found[kElementKey]);
    } catch (error) {
      if (error.code === 'no such element') return null;
      throw error;
    }
  }

  async waitForFunction(code, { timeout = 30000 } = {}) {
    for (const end = Date.now() + timeout; Date.now() < end; await sleep(50))
      if (await this.evaluate(code)) return;
    throw new Error(`waited ${timeout} ms in vain for ${code}`);
  }

  waitForSelector(selector, options) {
    return this.waitForFunction(`() => document.querySelector(${JSON.stringify(selector)}) !== null`, options);
  }

  // Answers the next prompt that an input opens.
  once(event, handler) {
    if (event !== 'dialog') throw new Error(`the WebKit page has no '${event}' events`);
    this.dialogHandlers.push(handler);
  }

  async click(x, y, button) {
    if (typeof x === 'string') {
      const element = await this.$(x);
      if (!element) throw new Error(`nothing in the page matches ${x}`);
      await this.session.call('POST', `/element/${element.id}/click`, {});
    } else {
      await this.act({ type: 'pointer', id: 'mouse', parameters: { pointerType: 'mouse' }, actions: [
        { type: 'pointerMove', x: Math.round(x), y: Math.round(y), origin: 'viewport' },
        { type: 'pointerDown', button: kButtons[button] }, { type: 'pointerUp', button: kButtons[button] }] });
    }
  }

  press(key) {
    const value = kKeys[key] || key;
    return this.act({ type: 'key', id: 'keys', actions: [{ type: 'keyDown', value }, { type: 'keyUp', value }] });
  }

  // Performs ACTIONS; a prompt they open goes to the waiting dialog handler.
  async act(actions) {
    await this.session.call('POST', '/actions', { actions: [actions] });
    await this.session.call('DELETE', '/actions');
    if (!this.dialogHandlers.length) return;
    for (const end = Date.now() + 5000; Date.now() < end; await sleep(20)) {
      let message;
      try {
        message = await this.session.call('GET', '/alert/text');
      } catch (error) {
        if (error.code === 'no such alert') continue;
        throw error;
      }
      await this.dialogHandlers.shift()({
        message: () => message,
        accept: async (text) => {
          if (text !== undefined) await this.session.call('POST', '/alert/text', { text });
          await this.session.call('POST', '/alert/accept', {});
        },
      });
      return;
    }
  }

  viewport() {
    return this.size;
  }

  // The window is made as big as the page should be (at one device pixel per CSS pixel).
  async setViewport({ width, height, deviceScaleFactor = 1 }) {
    if (deviceScaleFactor !== 1) throw new Error('WebKitWebDriver cannot emulate a display density');
    const [innerWidth, innerHeight] = await this.evaluate(() => [window.innerWidth, window.innerHeight]);
    const outer = await this.session.call('GET', '/window/rect');
    await this.session.call('POST', '/window/rect',
      { width: width + outer.width - innerWidth, height: height + outer.height - innerHeight });
    this.size = { width, height, deviceScaleFactor };
  }

  async close() {
    await this.tellProblems();
    await this.session.call('POST', '/url', { url: 'about:blank' });
  }
}

// MiniBrowser started under its own Xvfb: { newPage(), close() }, as puppeteer's
// Browser. Its one window is the one page.
async function launchWebKit() {
  const { display, server } = await startXvfb();
  const port = await freePort();
  const driver = spawn(kDriver, [`--port=${port}`], { env: { ...process.env, DISPLAY: display }, stdio: 'ignore' });
  const session = new Session(`http://127.0.0.1:${port}`);
  const stop = () => {
    driver.kill();
    server.kill();
  };
  try {
    for (const end = Date.now() + 10000; ; await sleep(50)) {
      const ready = await session.request('GET', '/status').then((status) => status.ready, () => false);
      if (ready) break;
      if (Date.now() > end) throw new Error('WebKitWebDriver did not start');
    }
    await session.start();
  } catch (error) {
    stop();
    throw error;
  }
  const page = new Page(session);
  return {
    newPage: async () => page,
    close: async () => {
      await page.tellProblems();
      await session.request('DELETE', `/session/${session.id}`).catch(() => {});
      stop();
    },
  };
}

module.exports = { launchWebKit, missingWebKit };
