// A static file server for the site: node tools/serve_site.js FOLDER [PORT]
// Serves FOLDER on http://127.0.0.1:PORT (8000 by default; 0 picks a free port) and
// prints the address on its first line. Only GET and HEAD, only files inside FOLDER.
// As a static host does: text and the program compressed (Brotli or gzip, as the
// browser accepts), and every file kept by the browser but asked again each time
// (its names carry no version), answered "not modified" while it is the same.
'use strict';
const http = require('http');
const fs = require('fs');
const path = require('path');
const zlib = require('zlib');

const kinds = {
  '.html': 'text/html; charset=utf-8',
  '.js': 'text/javascript; charset=utf-8',
  '.css': 'text/css; charset=utf-8',
  '.wasm': 'application/wasm',
  '.svg': 'image/svg+xml',
  '.png': 'image/png',
  '.woff2': 'font/woff2',
  '.txt': 'text/plain; charset=utf-8',
  '.webmanifest': 'application/manifest+json',
};
// PNG and WOFF2 are compressed already.
const kCompressible = new Set(['.html', '.js', '.css', '.wasm', '.svg', '.txt', '.webmanifest']);
// Compressed as they are served, at the quality hosts use on the fly: Brotli's best
// takes seconds over the program and saves a tenth more.
const kEncoders = {
  br: (body) => zlib.brotliCompressSync(body, { params: { [zlib.constants.BROTLI_PARAM_QUALITY]: 5 } }),
  gzip: (body) => zlib.gzipSync(body, { level: 9 }),
};

// The best of our encodings that an Accept-Encoding header allows, or null.
function encodingFor(accepted = '') {
  const allowed = new Set();
  for (const part of accepted.split(',')) {
    const [name, ...options] = part.trim().toLowerCase().split(';').map((text) => text.trim());
    const q = options.find((option) => option.startsWith('q='));
    if (!q || Number(q.slice(2)) > 0) allowed.add(name);
  }
  return Object.keys(kEncoders).find((name) => allowed.has(name) || allowed.has('*')) || null;
}

// Whether the browser's copy, by its validators, is the file as it is now.
function unchanged(headers, tag, modified) {
  if (headers['if-none-match']) return headers['if-none-match'].split(',').some((t) => [tag, '*'].includes(t.trim()));
  const since = Date.parse(headers['if-modified-since'] || '');
  return since >= Math.floor(modified.getTime() / 1000) * 1000;
}

function serve(root, port) {
  root = path.resolve(root);
  const compressed = new Map();  // file and encoding: { tag, body }
  // FILE's body in ENCODING (or as it is), with its entity tag.
  const body = async (file, stat, encoding) => {
    const tag = `"${stat.mtimeMs.toString(16)}-${stat.size.toString(16)}${encoding ? '-' + encoding : ''}"`;
    const kept = compressed.get(`${file}\n${encoding}`);
    if (kept && kept.tag === tag) return kept;
    const raw = await fs.promises.readFile(file);
    const made = { tag, body: encoding ? kEncoders[encoding](raw) : raw };
    if (encoding) compressed.set(`${file}\n${encoding}`, made);
    return made;
  };
  const server = http.createServer(async (request, response) => {
    const reply = (status, text) => {
      response.writeHead(status, { 'Content-Type': 'text/plain; charset=utf-8' });
      response.end(text + '\n');
    };
    if (request.method !== 'GET' && request.method !== 'HEAD') return reply(405, 'only GET and HEAD');
    let name;
    try {
      name = decodeURIComponent(new URL(request.url, 'http://x').pathname);
    } catch {
      return reply(400, 'bad address');
    }
    if (name.endsWith('/')) name += 'index.html';
    const file = path.join(root, name);
    if (!file.startsWith(root + path.sep)) return reply(403, 'outside the site');
    const extension = path.extname(file);
    const encoding = kCompressible.has(extension) ? encodingFor(request.headers['accept-encoding']) : null;
    let stat, served;
    try {
      stat = await fs.promises.stat(file);
      if (!stat.isFile()) return reply(404, 'not found');
      served = await body(file, stat, encoding);
    } catch {
      return reply(404, 'not found');
    }
    const headers = { 'Cache-Control': 'no-cache', 'ETag': served.tag, 'Last-Modified': stat.mtime.toUTCString() };
    if (kCompressible.has(extension)) headers.Vary = 'Accept-Encoding';
    if (unchanged(request.headers, served.tag, stat.mtime)) {
      response.writeHead(304, headers);
      return response.end();
    }
    if (encoding) headers['Content-Encoding'] = encoding;
    response.writeHead(200, { ...headers, 'Content-Type': kinds[extension] || 'application/octet-stream',
                              'Content-Length': served.body.length });
    response.end(request.method === 'HEAD' ? undefined : served.body);
  });
  return new Promise((resolve, reject) => {
    server.once('error', reject);
    server.listen(port, '127.0.0.1', () => resolve(server));
  });
}

module.exports = { serve };

if (require.main === module) {
  const [root, port = process.env.PORT || '8000'] = process.argv.slice(2);
  if (!root || !fs.existsSync(root)) {
    console.error('usage: node tools/serve_site.js FOLDER [PORT]');
    process.exit(2);
  }
  serve(root, Number(port)).then(
    (server) => console.log(`KRAX is at http://127.0.0.1:${server.address().port}/ (Ctrl+C stops it)`),
    (error) => { console.error(`krax: cannot serve ${root}: ${error.message}`); process.exit(1); });
}
