// The panels on a phone (390x844 at 3x, touch), opened with ?lab: the data
// table's text at least 12 CSS px, no panel over the picture, the controls
// or another panel, in inspect mode a tap on a ball selects it (its row
// marked in the table, the ball panel naming it), and a drag on the
// timeline jumps back without losing the steps ahead (the mouse's moves
// while held once reached the program as input, which cut them off).
//
//   node test_lab_page.js WEB_FOLDER
'use strict';
const path = require('path');
const lib = require('./lib.js');
const { check, sleep } = lib;

const phone = { viewport: { width: 390, height: 844, deviceScaleFactor: 3, isMobile: true, hasTouch: true },
                userAgent: 'Mozilla/5.0 (Linux; Android 14; Pixel 8) AppleWebKit/537.36 Mobile Safari/537.36' };

(async () => {
  const site = await lib.serve(path.resolve(process.argv[2]));
  const browser = await lib.launch();
  try {
    const page = await lib.open(browser, site.base + '?seed=7&nr=12&lab', phone);
    await page.waitForFunction(() => window.vennaloft.firstFrameAt() !== null, { timeout: 20000 });
    await page.waitForFunction(() => document.querySelectorAll('#panel-data td').length > 0, { timeout: 5000 });
    const table = await page.evaluate(() => {
      const cells = Array.from(document.querySelectorAll('#panel-data td, #panel-data th'));
      return { open: document.getElementById('panel-data').open, plots: document.getElementById('panel-plots').open,
               rows: document.querySelectorAll('#panel-data tr[data-slot]').length,
               smallest: Math.min(...cells.map((c) => parseFloat(getComputedStyle(c).fontSize))) };
    });
    check('?lab opens the data table (a row per ball) and the plots', table.open && table.plots && table.rows === 12,
          JSON.stringify(table));
    check('the data table\'s text at least 12 CSS px on the phone', table.smallest >= 12, `${table.smallest} px`);

    // Every box apart: the picture, each panel, the timeline and the touch buttons.
    const overlaps = await page.evaluate(() => {
      const boxes = ['#stage', '#timeline-box', '#touch', ...Array.from(document.querySelectorAll('#lab details'),
        (d) => '#' + d.id)].map((s) => ({ s, r: document.querySelector(s).getBoundingClientRect() }))
        .filter((b) => b.r.width > 0 && b.r.height > 0);
      const found = [];
      boxes.forEach((a, i) => boxes.slice(i + 1).forEach((b) => {
        if (a.r.left < b.r.right && b.r.left < a.r.right && a.r.top < b.r.bottom && b.r.top < a.r.bottom) {
          found.push(`${a.s} and ${b.s}`);
        }
      }));
      return found;
    });
    check('no panel covers the picture, the controls or another panel', overlaps.length === 0, overlaps.join('; '));

    const before = await page.evaluate(() => window.vennaloft.stats());
    await sleep(1500);  // steps to go back over
    await page.tap('#touch button[data-char="p"]');
    await page.tap('#touch button[data-char="i"]');
    await page.evaluate(() => document.getElementById('stage').scrollIntoView());
    await sleep(500);
    // A ball well inside the picture, tapped where it is drawn.
    const target = await page.evaluate(() => {
      const box = document.getElementById('canvas').getBoundingClientRect();
      for (let slot = 0; slot < 12; slot++) {
        const p = window.vennaloft.ballOnPage(slot);
        if (p && p.x > box.left + 20 && p.x < box.right - 20 && p.y > box.top + 20 && p.y < box.bottom - 20) {
          return { slot, x: p.x, y: p.y };
        }
      }
      return null;
    });
    if (target) await page.touchscreen.tap(target.x, target.y);
    await sleep(800);
    const after = await page.evaluate(() => ({
      stats: window.vennaloft.stats(),
      marked: Array.from(document.querySelectorAll('#panel-data tr[aria-selected="true"]'), (r) => r.dataset.slot),
      ball: document.getElementById('panel-ball').open ? document.getElementById('panel-ball').innerText : '' }));
    const selected = after.stats.selected;
    check('in inspect mode a tap on a ball selects it: its row marked, the ball panel naming it',
          target !== null && before.inspect === false && after.stats.inspect && before.selected === -1 &&
          selected >= 0 && after.marked.length === 1 && after.marked[0] === String(selected) &&
          new RegExp(`Ball\\s+${selected}\\b`).test(after.ball),
          `target ${JSON.stringify(target)}, before ${JSON.stringify(before)}, after ${JSON.stringify(after)}`);

    const range = () => page.evaluate(() => {
      const t = document.getElementById('timeline');
      return { min: Number(t.min), max: Number(t.max), value: Number(t.value) };
    });
    const kept = await range();
    const bar = await (await page.$('#timeline')).boundingBox();
    const middle = { x: bar.x + bar.width / 2, y: bar.y + bar.height / 2 };
    await page.mouse.move(middle.x - 30, middle.y);
    await page.mouse.down();
    await page.mouse.move(middle.x, middle.y, { steps: 5 });
    await page.mouse.up();
    await sleep(800);
    const jumped = await range();
    check('a drag on the timeline jumps back and keeps the steps ahead',
          kept.max >= 10 && jumped.max === kept.max && Math.abs(jumped.value - (kept.min + kept.max) / 2) <= 3,
          `before ${JSON.stringify(kept)}, after ${JSON.stringify(jumped)}`);
    check('no page errors', page.problems.length === 0, page.problems.join('; '));
  } catch (error) {
    check('the panel test ran', false, error.stack);
  } finally {
    await browser.close();
    site.server.close();
  }
  process.exitCode = lib.summary();
})();
