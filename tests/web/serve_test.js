// The site's server (tools/serve_site.js) as a browser meets it: compressed as asked,
// kept and asked again with validators, never a stale body, nothing outside the site.
'use strict';
const assert = require('node:assert/strict');
const fs = require('fs');
const http = require('http');
const os = require('os');
const path = require('path');
const test = require('node:test');
const zlib = require('zlib');
const { serve } = require('../../tools/serve_site.js');

const kProgram = Buffer.from('(module)'.repeat(4000));
const kPicture = Buffer.alloc(4000, 7);

let root, server;
test.before(async () => {
  root = fs.mkdtempSync(path.join(os.tmpdir(), 'krax-serve-'));
  fs.writeFileSync(path.join(root, 'index.html'), '<!DOCTYPE html><title>KRAX</title>'.repeat(50));
  fs.writeFileSync(path.join(root, 'krax.wasm'), kProgram);
  fs.writeFileSync(path.join(root, 'icon.png'), kPicture);
  fs.writeFileSync(`${root}-secret.txt`, 'not the site');
  server = await serve(root, 0);
});
test.after(() => {
  server.close();
  fs.rmSync(root, { recursive: true, force: true });
  fs.rmSync(`${root}-secret.txt`);
});

// { status, headers, body } of METHOD NAME with HEADERS.
function ask(name, headers = {}, method = 'GET') {
  return new Promise((resolve, reject) => {
    const request = http.request({ host: '127.0.0.1', port: server.address().port, path: name, method, headers }, (response) => {
      const parts = [];
      response.on('data', (part) => parts.push(part));
      response.on('end', () => resolve({ status: response.statusCode, headers: response.headers, body: Buffer.concat(parts) }));
    });
    request.once('error', reject);
    request.end();
  });
}

test('the program goes out compressed in the best encoding the browser takes', async () => {
  const br = await ask('/krax.wasm', { 'Accept-Encoding': 'gzip, deflate, br' });
  assert.equal(br.headers['content-encoding'], 'br');
  assert.deepEqual(zlib.brotliDecompressSync(br.body), kProgram);
  assert.ok(br.body.length < kProgram.length / 10);
  assert.equal(br.headers.vary, 'Accept-Encoding');
  assert.equal(br.headers['content-type'], 'application/wasm');

  const gzip = await ask('/krax.wasm', { 'Accept-Encoding': 'gzip, br;q=0' });
  assert.equal(gzip.headers['content-encoding'], 'gzip');
  assert.deepEqual(zlib.gunzipSync(gzip.body), kProgram);

  for (const accepted of [undefined, 'identity', 'br;q=0, gzip;q=0.0']) {
    const plain = await ask('/krax.wasm', accepted ? { 'Accept-Encoding': accepted } : {});
    assert.equal(plain.headers['content-encoding'], undefined, `for ${accepted}`);
    assert.deepEqual(plain.body, kProgram);
  }
});

test('pictures compressed already go out as they are', async () => {
  const png = await ask('/icon.png', { 'Accept-Encoding': 'br, gzip' });
  assert.equal(png.headers['content-encoding'], undefined);
  assert.deepEqual(png.body, kPicture);
});

test('a kept copy is asked again and answered not modified until the file changes', async () => {
  const first = await ask('/', { 'Accept-Encoding': 'br' });
  assert.equal(first.status, 200);
  assert.equal(first.headers['cache-control'], 'no-cache');
  const tag = first.headers.etag;
  assert.ok(tag);

  const again = await ask('/', { 'Accept-Encoding': 'br', 'If-None-Match': tag });
  assert.equal(again.status, 304);
  assert.equal(again.body.length, 0);
  const since = await ask('/', { 'Accept-Encoding': 'br', 'If-Modified-Since': first.headers['last-modified'] });
  assert.equal(since.status, 304);
  // Another encoding is another body: the tag of the Brotli one does not stand for it.
  assert.equal((await ask('/', { 'Accept-Encoding': 'gzip', 'If-None-Match': tag })).status, 200);

  const page = path.join(root, 'index.html');
  fs.writeFileSync(page, '<!DOCTYPE html><title>KRAX 2</title>');
  const later = new Date(Date.now() + 5000);
  fs.utimesSync(page, later, later);
  const changed = await ask('/', { 'Accept-Encoding': 'br', 'If-None-Match': tag });
  assert.equal(changed.status, 200);
  assert.equal(zlib.brotliDecompressSync(changed.body).toString(), '<!DOCTYPE html><title>KRAX 2</title>');
});

test('HEAD tells the headers alone', async () => {
  const head = await ask('/krax.wasm', { 'Accept-Encoding': 'gzip' }, 'HEAD');
  assert.equal(head.status, 200);
  assert.equal(head.headers['content-encoding'], 'gzip');
  assert.ok(Number(head.headers['content-length']) > 0);
  assert.equal(head.body.length, 0);
});

test('nothing outside the site, no other methods', async () => {
  assert.equal((await ask(`/..%2f${path.basename(root)}-secret.txt`)).status, 403);
  assert.equal((await ask('/missing.js')).status, 404);
  assert.equal((await ask('/fonts/')).status, 404);
  assert.equal((await ask('/', {}, 'POST')).status, 405);
  assert.equal((await ask('/%zz')).status, 400);
});
