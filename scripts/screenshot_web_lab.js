// Regenerates docs/screenshot_web_lab_phone.png: the page on a phone
// (390x844 at 3x, touch) with ?lab, seed 42 and 12 balls, a few seconds of
// automatic fire, then paused with a ball selected in inspect mode, so the
// picture, the timeline, the ball panel, the data table and the plots show
// together, down to the touch buttons; shrunk and reduced to 128 colours
// by ImageMagick to keep it small.
//   node scripts/screenshot_web_lab.js [WEB_FOLDER [DOCS_FOLDER]]
// Defaults: build/web, docs (make web and make web-test-deps first).
'use strict';
const { execFileSync } = require('child_process');
const path = require('path');
const lib = require('../tests/web/lib.js');

const root = path.resolve(__dirname, '..');
const phone = { viewport: { width: 390, height: 844, deviceScaleFactor: 3, isMobile: true, hasTouch: true },
                userAgent: 'Mozilla/5.0 (Linux; Android 14) Mobile' };

(async () => {
  const folder = path.resolve(process.argv[2] || path.join(root, 'build/web'));
  const docs = path.resolve(process.argv[3] || path.join(root, 'docs'));
  const { server, base } = await lib.serve(folder);
  const browser = await lib.launch();
  let status = 0;
  try {
    const page = await lib.open(browser, base + '?seed=42&nr=12&lab', phone);
    await page.waitForFunction(() => window.vennaloft.firstFrameAt() !== null, { timeout: 20000 });
    await page.tap('#touch button[data-special="5"]');
    await lib.sleep(6000);
    await page.tap('#touch button[data-char="p"]');
    await page.tap('#touch button[data-char="i"]');
    await page.evaluate(() => window.scrollTo(0, 0));
    await lib.sleep(500);
    const ball = await page.evaluate(() => {
      const box = document.getElementById('canvas').getBoundingClientRect();
      for (let slot = 0; slot < 12; slot++) {
        const p = window.vennaloft.ballOnPage(slot);
        if (p && p.x > box.left + 20 && p.x < box.right - 20 && p.y > box.top + 20 && p.y < box.bottom - 20) return p;
      }
      return null;
    });
    if (ball) await page.touchscreen.tap(ball.x, ball.y);
    await lib.sleep(1000);
    const bottom = await page.evaluate(() => Math.ceil(document.getElementById('touch').getBoundingClientRect().bottom +
                                                        window.scrollY + 8));
    const png = await page.screenshot({ fullPage: true });
    const out = path.join(docs, 'screenshot_web_lab_phone.png');
    execFileSync('/usr/bin/convert', ['png:-', '-crop', `${390 * 3}x${bottom * 3}+0+0`, '+repage', '-resize', '390x',
                                      '-colors', '128', '-strip', out], { input: png });
    console.log(`wrote ${out}${ball ? '' : ' (no ball in view to select)'}`);
    if (page.problems.length > 0) throw new Error(page.problems.join('; '));
  } catch (error) {
    console.error(`screenshot_web_lab: ${error.message}`);
    status = 1;
  } finally {
    await browser.close();
    server.close();
  }
  process.exitCode = status;
})();
