// Shared by the page tests (the default viewport makes the picture 640 x 480): serves a folder on 127.0.0.1, starts Debian's
// chromium headless with software WebGL, collects page errors and failed
// requests, and counts checks for the summary line.
'use strict';
const { execFileSync } = require('child_process');
const http = require('http');
const fs = require('fs');
const path = require('path');
const puppeteer = require('puppeteer-core');

const types = { '.html': 'text/html', '.js': 'text/javascript', '.wasm': 'application/wasm',
                '.data': 'application/octet-stream', '.png': 'image/png', '.svg': 'image/svg+xml',
                '.webmanifest': 'application/manifest+json' };

// A static server on a free port; resolves to its base address. Names in
// `hidden` answer 404, as on a host where they were not put; `extra` maps
// more names at the top to their contents.
function serve(folder, hidden = [], extra = {}) {
  return new Promise((resolve) => {
    const server = http.createServer((request, response) => {
      const name = decodeURIComponent(new URL(request.url, 'http://x').pathname);
      if (Object.prototype.hasOwnProperty.call(extra, name.slice(1))) {
        response.writeHead(200, { 'Content-Type': 'application/octet-stream' });
        response.end(extra[name.slice(1)]);
        return;
      }
      const file = path.join(folder, name === '/' ? 'index.html' : name);
      fs.readFile(file, (error, body) => {
        if (error || !file.startsWith(folder) || hidden.includes(path.basename(file))) {
          response.writeHead(404);
          response.end('File not found');
          return;
        }
        response.writeHead(200, { 'Content-Type': types[path.extname(file)] || 'application/octet-stream' });
        response.end(body);
      });
    });
    server.listen(0, '127.0.0.1', () => resolve({ server, base: `http://127.0.0.1:${server.address().port}/` }));
  });
}

const chromiumFlags = ['--headless', '--no-sandbox', '--use-angle=swiftshader', '--enable-unsafe-swiftshader',
                       '--ignore-gpu-blocklist'];

async function launch(extraFlags = []) {
  return puppeteer.launch({ executablePath: process.env.CHROMIUM || '/usr/bin/chromium', headless: true,
                            args: chromiumFlags.concat(extraFlags), defaultViewport: { width: 640, height: 480 } });
}

// Opens a page that records its errors and failed requests; `device` is a
// viewport, or { viewport, userAgent } for page.emulate.
async function open(browser, url, device) {
  const page = await browser.newPage();
  if (device && device.viewport) await page.emulate(device);
  else if (device) await page.setViewport(device);
  page.problems = [];
  page.on('pageerror', (error) => page.problems.push(`page error: ${error.message}`));
  page.on('console', (m) => { if (m.type() === 'error') page.problems.push(`console error: ${m.text()}`); });
  page.on('requestfailed', (r) => page.problems.push(`request failed: ${r.url()}`));
  page.on('response', (r) => { if (r.status() >= 400) page.problems.push(`HTTP ${r.status()}: ${r.url()}`); });
  await page.goto(url);
  return page;
}

// A PNG as { width, height, at(x, y) -> [r, g, b] }, read by ImageMagick (a
// reader that is not ours, so the page's own PNG writer is checked too).
function decodePng(buffer) {
  const run = (...args) => execFileSync('/usr/bin/convert', ['png:-', ...args], { input: buffer, maxBuffer: 1 << 26 });
  const [width, height] = run('-format', '%w %h', 'info:').toString().split(' ').map(Number);
  const rgb = run('-depth', '8', 'rgb:-');
  return { width, height, at: (x, y) => [0, 1, 2].map((k) => rgb[(y * width + x) * 3 + k]) };
}

// The drawing area (GL canvas with the text above it) as a decoded picture;
// also written to `file` when one is given.
async function grab(page, file) {
  const stage = await page.$('#stage');
  const png = await stage.screenshot(file ? { path: file } : {});
  return decodePng(Buffer.from(png));
}

// Pixels of `picture` inside the box [x0, x1) x [y0, y1) for which test(rgb) holds.
function count(picture, test, x0 = 0, y0 = 0, x1 = picture.width, y1 = picture.height) {
  let n = 0;
  for (let y = y0; y < y1; y++) for (let x = x0; x < x1; x++) if (test(picture.at(x, y))) n++;
  return n;
}

// Pixels that differ by more than a colour step or two between two pictures,
// over `a`'s size, but for those where skip(x, y) holds.
function differing(a, b, skip = () => false) {
  let n = 0;
  for (let y = 0; y < a.height; y++) {
    for (let x = 0; x < a.width; x++) {
      if (skip(x, y)) continue;
      const p = a.at(x, y), q = b.at(x, y);
      if (Math.abs(p[0] - q[0]) + Math.abs(p[1] - q[1]) + Math.abs(p[2] - q[2]) > 6) n++;
    }
  }
  return n;
}

const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));

let passed = 0;
let failed = 0;
function check(name, ok, detail = '') {
  if (ok) {
    passed += 1;
    console.log(`PASS ${name}`);
  } else {
    failed += 1;
    console.log(`FAIL ${name}${detail ? ': ' + detail : ''}`);
  }
}
function summary() {
  console.log(`${passed} passed, ${failed} failed`);
  return failed === 0 ? 0 : 1;
}

module.exports = { decodePng, serve, launch, open, grab, count, differing, sleep, check, summary };
