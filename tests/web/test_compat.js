// The GL layer's checks in chromium: every check passes with the layer as
// built, and the lighting check fails when the lighting mend is switched
// off ("?nofix=lighting"), which shows that the check sees what the mend
// is for.
//
//   node test_compat.js CHECKS_FOLDER
'use strict';
const path = require('path');
const lib = require('./lib.js');

async function runChecks(browser, url) {
  const page = await lib.open(browser, url);
  await page.waitForFunction(() => window.checksDone === true, { timeout: 20000 });
  const lines = await page.evaluate(() => window.checkLines);
  await page.close();
  return { lines, problems: page.problems };
}

(async () => {
  const folder = path.resolve(process.argv[2]);
  const { server, base } = await lib.serve(folder);
  const browser = await lib.launch();
  try {
    const mended = await runChecks(browser, base + 'compat_check.html');
    for (const line of mended.lines) {
      const m = /^(PASS|FAIL) ([^:]*)(.*)$/.exec(line);
      if (m) lib.check(m[2], m[1] === 'PASS', m[3].replace(/^: /, ''));
    }
    lib.check('the check page ran all six checks', mended.lines.filter((l) => /^(PASS|FAIL) /.test(l)).length === 6,
              mended.lines.join(' | '));
    lib.check('the check page raised no errors', mended.problems.length === 0, mended.problems.join('; '));

    const unmended = await runChecks(browser, base + 'compat_check.html?nofix=lighting');
    const lighting = unmended.lines.find((l) => l.includes('lit by a positional light'));
    lib.check('without the lighting mend the lighting check fails', lighting !== undefined && lighting.startsWith('FAIL'),
              lighting || 'no lighting line');
    if (lighting) console.log(`  (unmended: ${lighting})`);
  } catch (error) {
    lib.check('the checks ran', false, error.message);
  } finally {
    await browser.close();
    server.close();
  }
  process.exitCode = lib.summary();
})();
