// Time from the start of loading the page (served from 127.0.0.1) to its
// first drawn frame in headless chromium, over a few fresh loads.
//
//   node bench/web_first_frame.js WEB_FOLDER [LOADS]
'use strict';
const path = require('path');
const lib = require('../tests/web/lib.js');

(async () => {
  const folder = path.resolve(process.argv[2]);
  const loads = Number(process.argv[3] || 5);
  const { server, base } = await lib.serve(folder);
  const browser = await lib.launch();
  const times = [];
  for (let i = 0; i < loads; i++) {
    const page = await browser.newPage();
    await page.setCacheEnabled(false);
    await page.goto(base + '?seed=42');
    await page.waitForFunction(() => window.vennaloft.firstFrameAt && window.vennaloft.firstFrameAt() !== null);
    // performance.now() counts from the start of the navigation.
    times.push(await page.evaluate(() => window.vennaloft.firstFrameAt()));
    await page.close();
  }
  await browser.close();
  server.close();
  times.sort((a, b) => a - b);
  console.log(`first frame: median ${Math.round(times[times.length >> 1])} ms, ` +
              `range ${Math.round(times[0])}-${Math.round(times[times.length - 1])} ms over ${loads} loads (target 2000 ms)`);
})();
