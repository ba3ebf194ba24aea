// Replays in the page, with a session recorded by the native build: given
// in the address (with other options there, which the file's must beat) it
// ends with the final state native vl_replay prints; a refused file shows
// the reader's reason and starts nothing; dropped on a running demo, a
// refused file leaves the demo as it was and an accepted one replays.
//
//   node test_replay_page.js WEB_FOLDER RECORD_SESSION NATIVE_VL_REPLAY
'use strict';
const { execFileSync, spawnSync } = require('child_process');
const fs = require('fs');
const os = require('os');
const path = require('path');
const lib = require('./lib.js');
const { check, differing, grab, sleep } = lib;

// Short, since the page replays at the program's 20 steps a second; still
// past the checkpoint of step 100.
const kSteps = 130;

const replayLine = (page) => page.evaluate(() => document.getElementById('replay').textContent);

async function waitForLine(page, pattern, timeout) {
  await page.waitForFunction((source) => new RegExp(source).test(document.getElementById('replay').textContent),
                             { timeout }, pattern.source);
  return replayLine(page);
}

// Drops `bytes` as a file called `name` on the canvas.
function drop(page, name, bytes) {
  return page.evaluate((fileName, base64) => {
    const data = Uint8Array.from(atob(base64), (c) => c.charCodeAt(0));
    const transfer = new DataTransfer();
    transfer.items.add(new File([data], fileName));
    document.getElementById('canvas').dispatchEvent(
      new DragEvent('drop', { dataTransfer: transfer, bubbles: true, cancelable: true }));
  }, name, Buffer.from(bytes).toString('base64'));
}

(async () => {
  const [folder, recorder, nativeReplay] = process.argv.slice(2).map((p) => path.resolve(p));
  const tmp = fs.mkdtempSync(path.join(os.tmpdir(), 'vl-replay-page-'));
  execFileSync(recorder, ['session.vlr', String(kSteps)], { cwd: tmp });
  const session = fs.readFileSync(path.join(tmp, 'session.vlr'));
  const native = execFileSync(nativeReplay, ['session.vlr'], { cwd: tmp, encoding: 'utf8' }).trim();
  // Bytes no recording has: the reader refuses them at once.
  const garbage = Buffer.from(Array.from({ length: 600 }, (_, i) => (i * 37 + 11) % 256));
  fs.writeFileSync(path.join(tmp, 'garbage.vlr'), garbage);
  const refusal = spawnSync(nativeReplay, ['garbage.vlr'], { cwd: tmp, encoding: 'utf8' });
  const reason = refusal.stderr.trim().replace(/^vl_replay: garbage\.vlr: /, '');
  fs.rmSync(tmp, { recursive: true });
  console.log(`native: ${native}; refuses garbage (status ${refusal.status}): ${reason}`);

  const site = await lib.serve(folder, [], { 'session.vlr': session, 'garbage.vlr': garbage });
  const browser = await lib.launch();
  const verdict = /replay (matches|diverges|ends)/;
  try {
    const started = Date.now();
    const page = await lib.open(browser, site.base + '?replay=session.vlr&seed=1&nr=3&radius=5');
    const line = await waitForLine(page, verdict, 40000);
    check('?replay=: the page ends with the final state native vl_replay printed, a match',
          line === `session.vlr: ${native}` && /^replay matches: /.test(native), line);
    console.log(`  replayed in ${((Date.now() - started) / 1000).toFixed(1)} s`);
    check('no page errors while replaying', page.problems.length === 0, page.problems.join('; '));
    await page.close();

    const refused = await lib.open(browser, site.base + '?replay=garbage.vlr');
    const refusedLine = await waitForLine(refused, /cannot replay/, 15000);
    await sleep(500);
    const nothing = await refused.evaluate(() => ({ frame: window.vennaloft.firstFrameAt(),
                                                    message: document.getElementById('message').textContent }));
    check('?replay= of a refused file: the reader\'s reason, and nothing starts',
          refusedLine === `cannot replay garbage.vlr: ${reason}` && nothing.frame === null &&
          /cannot be replayed/.test(nothing.message), `${refusedLine} / first frame ${nothing.frame}`);
    await refused.close();

    const demo = await lib.open(browser, site.base + '?seed=42');
    await demo.waitForFunction(() => window.vennaloft.firstFrameAt() !== null, { timeout: 20000 });
    const firstFrame = await demo.evaluate(() => window.vennaloft.firstFrameAt());
    await drop(demo, 'garbage.vlr', garbage);
    const dropLine = await waitForLine(demo, /cannot replay/, 10000);
    const before = await grab(demo);
    await sleep(700);
    const moved = differing(before, await grab(demo));
    console.log(`  the demo after the refused drop: ${moved} pixels changed in 0.7 s`);
    const after = await demo.evaluate(() => ({ frame: window.vennaloft.firstFrameAt(), ended: window.vennaloft.ended }));
    check('a dropped refused file: its reason, the demo runs on in the same page',
          dropLine === `cannot replay garbage.vlr: ${reason}` && after.frame === firstFrame && !after.ended &&
          moved > 200, `${dropLine} / ${JSON.stringify(after)}, ${moved} pixels moved`);

    await Promise.all([demo.waitForNavigation({ timeout: 15000 }), drop(demo, 'dropped.vlr', session)]);
    const dropped = await waitForLine(demo, verdict, 40000);
    check('a dropped recording replays after the page starts again, to the same final state',
          dropped === `dropped.vlr: ${native}`, dropped);
    check('no page errors with dropped files', demo.problems.length === 0, demo.problems.join('; '));
    await demo.close();
  } catch (error) {
    check('the replay page tests ran', false, error.stack);
  } finally {
    await browser.close();
    site.server.close();
  }
  process.exitCode = lib.summary();
})();
