// The browser engines the site is played in: Chromium and Firefox through
// puppeteer-core (Chrome's protocol and WebDriver BiDi), WebKit through webdriver.js.
// open(ENGINE) gives { openPage(viewport), problems, allowClipboard(origin), close() },
// whose pages speak puppeteer's Page API as far as the round needs.
'use strict';
const fs = require('fs');
const os = require('os');
const path = require('path');
const { launchWebKit, missingWebKit } = require('./webdriver.js');

const kChromium = process.env.CHROMIUM || '/usr/bin/chromium';
const kFirefox = process.env.FIREFOX || '/usr/bin/firefox-esr';

function puppeteer() {
  try {
    return require('puppeteer-core');
  } catch {
    return null;
  }
}

const kPuppeteerMissing = 'puppeteer-core is not installed (tools/build.sh test installs it)';

const kEngines = {
  chromium: {
    missing: () => (!puppeteer() ? kPuppeteerMissing : !fs.existsSync(kChromium) ? `no Chromium at ${kChromium}` : null),
    launch: (profile) => puppeteer().launch({
      executablePath: kChromium,
      headless: true,
      args: ['--no-sandbox', '--disable-background-networking', '--disable-component-update', '--disable-sync',
        '--no-first-run', '--disable-quic', `--user-data-dir=${profile}`],
    }),
    // The permissions a person would give the site.
    allowClipboard: async (browser, origin) => {
      await browser.defaultBrowserContext().overridePermissions(origin, ['clipboard-read', 'clipboard-write', 'clipboard-sanitized-write']);
      return true;
    },
  },
  firefox: {
    missing: () => (!puppeteer() ? kPuppeteerMissing : !fs.existsSync(kFirefox) ? `no Firefox at ${kFirefox}` : null),
    // Puppeteer makes a profile of its own for Firefox, with its automation settings.
    // The testing switch lets the page's script read the clipboard without the paste
    // menu a person would answer.
    launch: () => puppeteer().launch({ browser: 'firefox', executablePath: kFirefox, headless: true,
      extraPrefsFirefox: { 'dom.events.testing.asyncClipboard': true } }),
    allowClipboard: async () => true,
  },
  // WebKitWebDriver has no call that grants the page the clipboard.
  webkit: { missing: missingWebKit, launch: launchWebKit, allowClipboard: async () => false },
};

// Why ENGINE cannot be played here (unknown, or not installed), or null.
function missing(engine) {
  if (!kEngines[engine]) return `no engine called "${engine}" (${Object.keys(kEngines).join(', ')})`;
  return kEngines[engine].missing();
}

async function open(engine) {
  const profile = fs.mkdtempSync(path.join(os.tmpdir(), `krax-${engine}-`));
  const browser = await kEngines[engine].launch(profile);
  const problems = [];
  // A new tab on a screen of the given size, its errors noted.
  const openPage = async (viewport) => {
    const page = await browser.newPage();
    await page.setViewport(viewport);
    page.on('console', (message) => {
      if (message.type() === 'error') problems.push(`console error: ${message.text()}`);
    });
    page.on('pageerror', (error) => problems.push(`page error: ${error.message}`));
    return page;
  };
  return {
    openPage,
    problems,
    // Lets the site's pages write and read the clipboard, where the driver can: true if so.
    allowClipboard: (origin) => kEngines[engine].allowClipboard(browser, origin),
    close: async () => {
      await browser.close();
      fs.rmSync(profile, { recursive: true, force: true });
    },
  };
}

module.exports = { missing, open };
