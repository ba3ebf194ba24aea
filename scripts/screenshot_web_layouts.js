// Regenerates docs/screenshot_web_phone.png and docs/screenshot_web_big.png:
// the page's layout on a phone (390x844, touch) and on a big screen
// (1920x1080), with seed 42, shrunk and reduced to 128 colours by
// ImageMagick to keep them small.
//   node scripts/screenshot_web_layouts.js [WEB_FOLDER [DOCS_FOLDER]]
// Defaults: build/web, docs (make web and make web-test-deps first).
'use strict';
const { execFileSync } = require('child_process');
const path = require('path');
const lib = require('../tests/web/lib.js');

const root = path.resolve(__dirname, '..');
const layouts = [
  { file: 'screenshot_web_phone.png', width: 390,
    device: { viewport: { width: 390, height: 844, deviceScaleFactor: 1, isMobile: true, hasTouch: true },
              userAgent: 'Mozilla/5.0 (Linux; Android 14) Mobile' } },
  { file: 'screenshot_web_big.png', width: 960, device: { width: 1920, height: 1080 } },
];

(async () => {
  const folder = path.resolve(process.argv[2] || path.join(root, 'build/web'));
  const docs = path.resolve(process.argv[3] || path.join(root, 'docs'));
  const { server, base } = await lib.serve(folder);
  const browser = await lib.launch();
  let status = 0;
  try {
    for (const layout of layouts) {
      const page = await lib.open(browser, base + '?seed=42&nr=12', layout.device);
      await page.waitForFunction(() => window.vennaloft.firstFrameAt() !== null, { timeout: 20000 });
      await lib.sleep(1500);
      const png = await page.screenshot();
      const out = path.join(docs, layout.file);
      execFileSync('/usr/bin/convert', ['png:-', '-resize', `${layout.width}x`, '-colors', '128', '-strip', out],
                   { input: png });
      console.log(`wrote ${out}`);
      await page.close();
    }
  } catch (error) {
    console.error(`screenshot_web_layouts: ${error.message}`);
    status = 1;
  } finally {
    await browser.close();
    server.close();
  }
  process.exitCode = status;
})();
