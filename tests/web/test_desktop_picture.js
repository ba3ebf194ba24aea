// The page's half of test_desktop_picture.sh: replays the recording at
// 640 x 480 with the CPU slowed six times, so that it draws fewer frames
// than it runs steps, and compares the end with the desktop's, the pause
// label (the desktop's font) included.
//
//   node test_desktop_picture.js WEB_DIR RECORDING DESKTOP_PNG DESKTOP_VERDICT
'use strict';
const fs = require('fs');
const path = require('path');
const lib = require('./lib.js');
const { check, grab, sleep } = lib;

// More than 10 % of the range in any channel.
const far = (p, q) => Math.max(Math.abs(p[0] - q[0]), Math.abs(p[1] - q[1]), Math.abs(p[2] - q[2])) > 25;

(async () => {
  const [folder, recording, desktopPng] = process.argv.slice(2, 5).map((p) => path.resolve(p));
  const desktopVerdict = process.argv[5];
  const desktop = lib.decodePng(fs.readFileSync(desktopPng));
  const site = await lib.serve(folder, [], { 'picture.vlr': fs.readFileSync(recording) });
  const browser = await lib.launch();
  try {
    const page = await lib.open(browser, 'about:blank');
    await page.emulateCPUThrottling(6);
    await page.goto(site.base + '?replay=picture.vlr');
    await page.waitForFunction(() => /replay (matches|diverges|ends)/.test(document.getElementById('replay').textContent),
                               { timeout: 90000 });
    const line = await page.evaluate(() => document.getElementById('replay').textContent);
    check('the page replays picture.vlr to the desktop\'s end', line === `picture.vlr: ${desktopVerdict}`,
          `${line} / desktop: ${desktopVerdict}`);
    await sleep(800);
    const shot = await grab(page, process.env.VL_PAGE_SHOT);
    let off = 0;
    const counted = desktop.width * desktop.height;
    for (let y = 0; y < desktop.height; y++) {
      for (let x = 0; x < desktop.width; x++) if (far(desktop.at(x, y), shot.at(x, y))) off++;
    }
    const percent = (100 * off) / counted;
    console.log(`  ${off} of ${counted} pixels differ by more than 10 % (${percent.toFixed(3)} %)`);
    check('sizes alike', shot.width === desktop.width && shot.height === desktop.height,
          `page ${shot.width}x${shot.height}, desktop ${desktop.width}x${desktop.height}`);
    check('at most 0.1 % of the pixels differ by more than 10 % from the desktop', percent <= 0.1,
          `${percent.toFixed(3)} %`);
    check('no page errors', page.problems.length === 0, page.problems.join('; '));
  } catch (error) {
    check('the picture check ran', false, error.stack);
  } finally {
    await browser.close();
    site.server.close();
  }
  process.exitCode = lib.summary();
})();
