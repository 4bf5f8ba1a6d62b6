// The web benchmarks' common ground: each site served on a port of its own, and one
// headless Chromium with a fresh profile, so that no cache or storage of an earlier
// run (or of the other site) tells on the figures.
'use strict';
const fs = require('fs');
const os = require('os');
const path = require('path');
const puppeteer = require('puppeteer-core');
const { serve } = require('../tools/serve_site.js');

// Calls measure(browser, addresses), one address a site (its seed fixed), and tidies up.
async function withSitesInChromium(sites, measure) {
  const servers = await Promise.all(sites.map((site) => serve(site, 0)));
  const addresses = servers.map((server) => `http://127.0.0.1:${server.address().port}/?seed=1`);
  const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'krax-bench-'));
  const browser = await puppeteer.launch({
    executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
    headless: true,
    args: ['--no-sandbox', '--disable-background-networking', '--disable-component-update', '--disable-sync',
      '--no-first-run', '--disable-quic', `--user-data-dir=${profile}`],
  });
  try {
    return await measure(browser, addresses);
  } finally {
    await browser.close();
    servers.forEach((server) => server.close());
    fs.rmSync(profile, { recursive: true, force: true });
  }
}

module.exports = { withSitesInChromium };
