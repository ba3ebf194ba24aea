// The page's figures in headless chromium, served from 127.0.0.1: the time
// from the start of loading to the first drawn frame over a few fresh loads,
// and the steps and frames a second at ?nr=45 with automatic fire on a big
// screen (1920x1080) and on a phone (390x844 at 3x, touch), and with smooth
// motion (?smooth) on the big screen and at the window's 640x480, there
// also with Mesa's llvmpipe in place of SwiftShader (the desktop's renderer:
// headless Chromium reaches it through ANGLE on EGL); and with the data
// table and the plots open (?lab) on both screens.
//
//   node bench/web_page_figures.js WEB_FOLDER [LOADS [lab]]
// With "lab", only the readings with the panels open and the same without.
'use strict';
const path = require('path');
const lib = require('../tests/web/lib.js');

const windowSized = { name: '640x480', device: { width: 640, height: 480 } };
const llvmpipe = ['--use-gl=angle', '--use-angle=gl-egl'];

const screens = [
  { name: '1920x1080', device: { width: 1920, height: 1080 } },
  { name: 'phone 390x844 at 3x', device: { viewport: { width: 390, height: 844, deviceScaleFactor: 3, isMobile: true,
                                                         hasTouch: true }, userAgent: 'Mozilla/5.0 (Linux; Android 14) Mobile' } },
];

async function firstFrames(browser, base, loads) {
  const times = [];
  for (let i = 0; i < loads; i++) {
    const page = await browser.newPage();
    await page.setCacheEnabled(false);
    await page.goto(base + '?seed=42');
    await page.waitForFunction(() => window.vennaloft.firstFrameAt() !== null, { timeout: 20000 });
    // performance.now() counts from the start of the navigation.
    times.push(await page.evaluate(() => window.vennaloft.firstFrameAt()));
    await page.close();
  }
  times.sort((a, b) => a - b);
  console.log(`first frame: median ${Math.round(times[times.length >> 1])} ms, ` +
              `range ${Math.round(times[0])}-${Math.round(times[times.length - 1])} ms over ${loads} loads (target 1000 ms)`);
}

// Ten one-second readings of the overlay's meters after 3 s of automatic fire.
async function rates(browser, base, screen, extra = '', renderer = '') {
  const page = await lib.open(browser, base + '?nr=45&seed=42' + extra, screen.device);
  await page.waitForFunction(() => window.vennaloft.firstFrameAt() !== null, { timeout: 20000 });
  await page.focus('#canvas');
  await page.keyboard.press('F5');
  await lib.sleep(3000);
  const steps = [], frames = [];
  for (let i = 0; i < 10; i++) {
    await lib.sleep(1000);
    const s = await page.evaluate(() => window.vennaloft.stats());
    steps.push(s.stepsPerSecond);
    frames.push(s.framesPerSecond);
  }
  const size = await page.evaluate(() => window.vennaloft.canvasSize());
  const range = (v) => `${Math.min(...v).toFixed(1)}-${Math.max(...v).toFixed(1)} ` +
    `(mean ${(v.reduce((a, b) => a + b, 0) / v.length).toFixed(1)})`;
  console.log(`${screen.name}${renderer} (drawing buffer ${size.width}x${size.height}), nr=45${extra}, automatic fire: ` +
              `${range(steps)} steps/s (target 19-21), ${range(frames)} frames/s`);
  await page.close();
}

(async () => {
  const folder = path.resolve(process.argv[2]);
  const loads = Number(process.argv[3] || 5);
  const labOnly = process.argv[4] === 'lab';
  const { server, base } = await lib.serve(folder);
  const browser = await lib.launch();
  try {
    for (const screen of screens) await rates(browser, base, screen, '&lab');
    if (labOnly) {
      // The same without the panels, at the machine's load of the moment.
      for (const screen of screens) await rates(browser, base, screen);
      server.close();
      return;
    }
    await firstFrames(browser, base, loads);
    for (const screen of screens) await rates(browser, base, screen);
    await rates(browser, base, screens[0], '&smooth');
    await rates(browser, base, windowSized, '&smooth');
  } finally {
    await browser.close();
  }
  const mesa = await lib.launch(llvmpipe);
  try {
    await rates(mesa, base, windowSized, '&smooth', ', llvmpipe');
  } finally {
    await mesa.close();
    server.close();
  }
})();
