// Lighthouse's audit of the site as `tools/build.sh web` serves it, as a phone on a
// slow network (its default mobile run) in Debian's Chromium: the four categories'
// scores and the largest contentful paint, each the median of RUNS runs, since the
// figures move with the machine's load.
//   node bench/site_audit.js [SITE_FOLDER [RUNS]]      (build-web/site and 3 by default)
// Lighthouse is no package of the tests: the first run installs the version that
// bench/lighthouse/ pins into build-web/lighthouse.
'use strict';
const { execFileSync, execFile } = require('child_process');
const fs = require('fs');
const path = require('path');
const { serve } = require('../tools/serve_site.js');

const kRoot = path.join(__dirname, '..');
const kInstalled = path.join(kRoot, 'build-web', 'lighthouse');
const kChromium = process.env.CHROMIUM || '/usr/bin/chromium';
const kCategories = { performance: 'performance', accessibility: 'accessibility',
                      'best-practices': 'best practices', seo: 'SEO' };

// Lighthouse's command line, installed again only when the lock file changed.
function lighthouse() {
  const lock = path.join(__dirname, 'lighthouse', 'package-lock.json');
  const done = path.join(kInstalled, 'installed.lock');
  if (!fs.existsSync(done) || !fs.readFileSync(done).equals(fs.readFileSync(lock))) {
    fs.mkdirSync(kInstalled, { recursive: true });
    for (const file of ['package.json', 'package-lock.json'])
      fs.copyFileSync(path.join(__dirname, 'lighthouse', file), path.join(kInstalled, file));
    execFileSync('npm', ['ci', '--no-audit', '--no-fund'], { cwd: kInstalled, stdio: ['ignore', 2, 2] });
    fs.copyFileSync(lock, done);
  }
  return path.join(kInstalled, 'node_modules', 'lighthouse', 'cli', 'index.js');
}

// One audit of ADDRESS: { scores by category, lcp in ms }.
function audit(cli, address) {
  const args = [cli, address, '--output=json', '--output-path=stdout', '--quiet',
    '--chrome-flags=--headless=new --no-sandbox --disable-background-networking --no-first-run'];
  return new Promise((resolve, reject) => {
    execFile(process.execPath, args, { env: { ...process.env, CHROME_PATH: kChromium }, maxBuffer: 256 << 20 },
      (error, stdout) => {
        if (error) return reject(new Error(`lighthouse failed: ${error.message}`));
        const report = JSON.parse(stdout);
        if (report.runtimeError) return reject(new Error(`lighthouse: ${report.runtimeError.message}`));
        const scores = {};
        for (const id of Object.keys(kCategories)) scores[id] = Math.round(report.categories[id].score * 100);
        resolve({ scores, lcp: report.audits['largest-contentful-paint'].numericValue });
      });
  });
}

const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];

async function main() {
  const [site = path.join(kRoot, 'build-web', 'site'), runs = '3'] = process.argv.slice(2);
  if (!fs.existsSync(path.join(site, 'index.html'))) throw new Error(`no site at ${site} (tools/build.sh site builds it)`);
  if (!fs.existsSync(kChromium)) throw new Error(`no Chromium at ${kChromium}`);
  const cli = lighthouse();
  const server = await serve(site, 0);
  const results = [];
  try {
    for (let run = 0; run < Number(runs); ++run)
      results.push(await audit(cli, `http://127.0.0.1:${server.address().port}/`));
  } finally {
    server.close();
  }
  for (const [id, name] of Object.entries(kCategories)) {
    const each = results.map((result) => result.scores[id]);
    console.log(`${name}: ${median(each)} (runs: ${each.join(' ')})`);
  }
  const lcps = results.map((result) => result.lcp / 1000);
  console.log(`largest contentful paint: ${median(lcps).toFixed(1)} s (runs: ${lcps.map((s) => s.toFixed(1)).join(' ')})`);
}

main().catch((error) => {
  console.error(`krax: ${error.message}`);
  process.exit(1);
});
