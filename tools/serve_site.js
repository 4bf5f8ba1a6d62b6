// A static file server for the site: node tools/serve_site.js FOLDER [PORT]
// Serves FOLDER on http://127.0.0.1:PORT (8000 by default; 0 picks a free port) and
// prints the address on its first line. Only GET and HEAD, only files inside FOLDER.
'use strict';
const http = require('http');
const fs = require('fs');
const path = require('path');

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

function serve(root, port) {
  root = path.resolve(root);
  const server = http.createServer((request, response) => {
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
    fs.readFile(file, (error, body) => {
      if (error) return reply(404, 'not found');
      response.writeHead(200, { 'Content-Type': kinds[path.extname(file)] || 'application/octet-stream',
                                'Cache-Control': 'no-cache' });
      response.end(request.method === 'HEAD' ? undefined : body);
    });
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
