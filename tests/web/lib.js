// Shared by the page tests: serves a folder on 127.0.0.1, starts Debian's
// chromium headless with software WebGL, collects page errors and failed
// requests, and counts checks for the summary line.
'use strict';
const http = require('http');
const fs = require('fs');
const path = require('path');
const puppeteer = require('puppeteer-core');

const types = { '.html': 'text/html', '.js': 'text/javascript', '.wasm': 'application/wasm',
                '.data': 'application/octet-stream', '.png': 'image/png' };

// A static server on a free port; resolves to its base address.
function serve(folder) {
  return new Promise((resolve) => {
    const server = http.createServer((request, response) => {
      const name = decodeURIComponent(new URL(request.url, 'http://x').pathname);
      const file = path.join(folder, name === '/' ? 'index.html' : name);
      fs.readFile(file, (error, body) => {
        if (error || !file.startsWith(folder)) {
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
                       '--ignore-gpu-blocklist', '--autoplay-policy=no-user-gesture-required'];

async function launch(extraFlags = []) {
  return puppeteer.launch({ executablePath: process.env.CHROMIUM || '/usr/bin/chromium', headless: true,
                            args: chromiumFlags.concat(extraFlags), defaultViewport: { width: 800, height: 700 } });
}

// Opens a page that records its errors and failed requests.
async function open(browser, url) {
  const page = await browser.newPage();
  page.problems = [];
  page.on('pageerror', (error) => page.problems.push(`page error: ${error.message}`));
  page.on('console', (m) => { if (m.type() === 'error') page.problems.push(`console error: ${m.text()}`); });
  page.on('requestfailed', (r) => page.problems.push(`request failed: ${r.url()}`));
  page.on('response', (r) => { if (r.status() >= 400) page.problems.push(`HTTP ${r.status()}: ${r.url()}`); });
  await page.goto(url);
  return page;
}

// Colour of one pixel of the page's screenshot, [r, g, b].
async function pixels(page) {
  const png = await page.screenshot({ encoding: 'base64', clip: { x: 0, y: 0, width: 800, height: 700 } });
  return png;
}

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

module.exports = { serve, launch, open, pixels, check, summary };
