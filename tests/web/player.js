// A player of the site in a browser tab (puppeteer's Page, or webdriver.js's): reads what the game holds through
// window.krax.print, and presses where a screen's controls are, with the mouse or,
// on a touch screen, with a finger.
'use strict';

const kTwipsPerPixel = 15;

const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));

function check(condition, what) {
  if (!condition) throw new Error(what);
}

class Player {
  constructor(page, { byTouch = false } = {}) {
    this.page = page;
    this.byTouch = byTouch;
  }

  print(pathText) {
    return this.page.evaluate((p) => window.krax.print(p), pathText);
  }

  async expect(pathText, wanted) {
    const actual = await this.print(pathText);
    check(actual === wanted, `expected ${pathText} = ${wanted}, got ${actual}`);
  }

  // The sounds the page has started so far, by name.
  async expectSounds(wanted, what) {
    const started = await this.page.evaluate(() => window.krax.sounds());
    check(JSON.stringify(started) === JSON.stringify(wanted), `${what}: the page started ${started}`);
  }

  // Waits until PATH reads WANTED, for at most `ms` of real time.
  async waitFor(pathText, wanted, ms = 5000) {
    for (const end = Date.now() + ms; Date.now() < end; await sleep(20))
      if ((await this.print(pathText)) === wanted) return;
    await this.expect(pathText, wanted);
  }

  async canvas(form) {
    const canvas = await this.page.$(`[data-form="${form}"] canvas`);
    check(canvas, `no window for ${form} in the page`);
    return canvas;
  }

  // The screen's client area in pixels at scale 1.
  async client(form) {
    await this.canvas(form);
    return this.page.$eval(`[data-form="${form}"]`, (element) => element.kraxClient);
  }

  // Where X, Y twips of the screen's client area are in the page, and the desk's scale.
  async pointAt(form, x, y) {
    const box = await (await this.canvas(form)).boundingBox();
    const scale = box.width / (await this.client(form)).width;
    return { x: box.x + x / kTwipsPerPixel * scale, y: box.y + y / kTwipsPerPixel * scale, scale };
  }

  // Clicks (or taps) at X, Y twips of the screen's client area.
  async clickAt(form, x, y, button = 'left') {
    const at = await this.pointAt(form, x, y);
    if (this.byTouch) await this.page.touchscreen.tap(at.x, at.y);
    else await this.page.mouse.click(at.x, at.y, { button });
  }

  async clickControl(form, control) {
    const [left, top, width, height] = await Promise.all(
      ['Left', 'Top', 'Width', 'Height'].map((p) => this.print(`${form}.${control}.${p}`).then(Number)));
    await this.clickAt(form, left + width / 2, top + height / 2);
  }

  // Answers the next prompt with TEXT once ACT opens it; checks that it asks for the code.
  async answerCode(text, act) {
    const asked = new Promise((resolve) => this.page.once('dialog', async (dialog) => {
      const message = dialog.message();
      await dialog.accept(text);
      resolve(message);
    }));
    await act();
    const never = sleep(5000).then(() => 'no prompt at all in 5 s');
    const message = await Promise.race([asked, never]);
    check(message === 'Enter in the code', `the prompt does not ask for the code: ${message}`);
  }

  // Releases the Up arrow and answers the prompt that opens with TEXT.
  enterCode(text) {
    return this.answerCode(text, () => this.page.keyboard.press('ArrowUp'));
  }

  // A pig that shows, hit; a pig that drops back before the press makes it a miss,
  // and then the next one is tried.
  async hitAPig() {
    const pigs = ['imgP1(4)', 'imgP2(2)', 'imgP3(0)', 'imgP4(1)', 'imgP5(3)'];
    const hits = Number(await this.print('Form2.intHits'));
    for (const end = Date.now() + 20000; Date.now() < end; await sleep(10)) {
      const pig = await this.page.evaluate(
        (names) => names.find((name) => window.krax.print(`Form2.${name}.Visible`) === 'True'), pigs);
      if (!pig) continue;
      if (Number(await this.print('Form2.intBullets')) < 2) await this.page.keyboard.press('r');
      await this.clickControl('Form2', pig);
      if (Number(await this.print('Form2.intHits')) > hits) return;
    }
    throw new Error('no pig could be hit in 20 seconds');
  }
}

module.exports = { Player, check, sleep };
