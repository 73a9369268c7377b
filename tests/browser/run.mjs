// The page played in Debian's Chromium:  node tests/browser/run.mjs TEST
//   whole_game   the whole demo game through the page's real input, every shot equal
//                to the golden image, then the HTML menu bar and its dialogs
//   saves        save, reload, the list with its thumbnail, load: the same screen; a
//                downloaded save in the native game, a native save in the page
//   own_data     game data opened from files, kept for the next visit; a non-pack refused
//   no_storage   IndexedDB refused: the page starts, plays and says so; a failed write
//                is reported and the save before stays
//   touch        a tap on the title's button starts the game; a long press opens the aids' menu
//   aids         the wheel, the right button's menu, Ctrl+C, Tab, full screen (button, F11) and H
//   idle         without a network once visited (the service worker); on the title and
//                on a waiting page the main thread rests
// Environment: SHIRAKABA_SITE (build-web/site), SHIRAKABA_SOURCE, SHIRAKABA_NATIVE (the
// native game, for saves), SHIRAKABA_WORK (a folder for files).
import { existsSync, readFileSync } from 'node:fs';
import { dirname, join } from 'node:path';
import { fileURLToPath } from 'node:url';
import { decodePng } from './png.mjs';

// Skipped (77) where there is nothing to run: no page built, no Chromium, no npm modules.
const here = dirname(fileURLToPath(import.meta.url));
const chromium = process.env.CHROMIUM || '/usr/bin/chromium';
for (const [need, what] of [[join(process.env.SHIRAKABA_SITE || '', 'index.html'), 'the page is not built (scripts/web.sh)'],
  [chromium, `${chromium} is not installed`], [join(here, 'node_modules/puppeteer-core'), 'npm ci has not run in tests/browser']])
  if (!existsSync(need)) {
    console.log(`skipped: ${what}`);
    process.exit(77);
  }
const P = await import('./page.mjs');
const { tests } = await import('./cases.mjs');

const env = {
  site: process.env.SHIRAKABA_SITE,
  source: process.env.SHIRAKABA_SOURCE,
  native: process.env.SHIRAKABA_NATIVE,
  work: process.env.SHIRAKABA_WORK,
};

// Plays a replay file through the page: clicks with the mouse on the canvas, menu
// commands in the HTML menu bar, the clock by the test's wait and settle; shots
// against the golden images and expectations against the game's state.
export async function playReplay(page, replay, goldenDir) {
  const lines = readFileSync(replay, 'utf8').split('\n');
  let state = null, shots = 0;
  for (let n = 0; n < lines.length; ++n) {
    const words = lines[n].replace(/#.*$/, '').trim().split(/\s+/).filter(Boolean);
    if (!words.length) continue;
    const [verb, a, b] = words;
    const where = `${replay}:${n + 1}`;
    if (verb !== 'expect') state = null;
    if (verb === 'wait') await P.wait(page, Number(a));
    else if (verb === 'settle') {
      if (!(await P.settle(page))) throw new Error(`${where}: the game did not come to rest`);
    } else if (verb === 'click') await P.click(page, Number(a), Number(b));
    else if (verb === 'menu') await P.menuClick(page, ...(await P.gameMenuPath(page, a)));
    else if (verb === 'shot') {
      const golden = decodePng(readFileSync(join(goldenDir, `${a}.png`)));
      const problem = P.sameImage(await P.canvasPixels(page), golden.rgba);
      if (problem) throw new Error(`${where}: shot ${a}: ${problem}`);
      ++shots;
    } else if (verb === 'expect') {
      state ??= await P.state(page);
      const actual = a.split('.').reduce((node, step) => (node === undefined || node === null ? undefined : node[step]), state);
      const text = words.slice(2).join(' ');
      let expected = text;  // a bare word is a string, as in the headless mode
      try {
        expected = JSON.parse(text);
      } catch {}
      if (JSON.stringify(actual) !== JSON.stringify(expected))
        throw new Error(`${where}: ${a} expected ${JSON.stringify(expected)}, got ${JSON.stringify(actual)}`);
    } else throw new Error(`${where}: the page test does not play "${verb}"`);
  }
  return shots;
}

const name = process.argv[2];
if (!tests[name]) {
  console.error(`usage: node run.mjs ${Object.keys(tests).join('|')}`);
  process.exit(2);
}
const browser = await P.startBrowser(env.site);
try {
  await tests[name]({ ...browser, ...env, playReplay });
  console.log(`${name}: passed`);
} catch (e) {
  console.error(`${name}: ${e.stack || e}`);
  process.exitCode = 1;
} finally {
  await browser.close();
}
