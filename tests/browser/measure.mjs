// Measures the page in headless Chromium (not a test):  node tests/browser/measure.mjs SITE
//   the title shown after opening the page with an empty cache (5 runs), a save and a
//   load by slot (20 each, IndexedDB included), and the page's code compressed.
import { readFileSync, readdirSync } from 'node:fs';
import { join } from 'node:path';
import { gzipSync } from 'node:zlib';
import * as P from './page.mjs';

const site = process.argv[2] || 'build-web/site';
const median = (xs) => [...xs].sort((a, b) => a - b)[Math.floor(xs.length / 2)];

const title = [];
for (let run = 0; run < 5; ++run) {
  const env = await P.startBrowser(site);  // a new profile: an empty cache
  const page = await env.browser.newPage();
  await page.setViewport({ width: 1024, height: 768 });
  await page.goto(`${env.url}?data=demo-ja&lang=ja`);
  // Shown: the title's mode has begun and its picture is on the canvas.
  await page.waitForFunction(() => window.shirakaba?.page?.texts && window.shirakaba.state().GameMode === 1, { polling: 'raf', timeout: 20000 });
  await page.evaluate(() => window.shirakaba.drawn());
  title.push(await page.evaluate(() => performance.now()));
  await env.close();
}
console.log(`title shown after opening: ${title.map((t) => t.toFixed(0)).join(', ')} ms (median ${median(title).toFixed(0)})`);

const env = await P.startBrowser(site);
const page = await P.openPage(env, 'data=demo-ja&lang=ja');
// A new game from the title (its buttons take clicks once the wipe is over).
for (let i = 0; i < 50 && !(await page.evaluate(() => window.shirakaba.page.news.underWay)); ++i) {
  await P.click(page, 300, 286);
  await new Promise((r) => setTimeout(r, 200));
}
await new Promise((r) => setTimeout(r, 3000));
const times = await page.evaluate(async () => {
  const { saveActions } = await import('./saves.js');
  const saves = saveActions(window.shirakaba.page);
  const save = [], load = [];
  for (let i = 0; i < 20; ++i) {
    let t = performance.now();
    if (!(await saves.save('3'))) throw new Error('the save failed');
    save.push(performance.now() - t);
    t = performance.now();
    if (!saves.load('3')) throw new Error('the load failed');
    load.push(performance.now() - t);
  }
  return { save, load };
});
console.log(`save to a slot (IndexedDB included): median ${median(times.save).toFixed(1)} ms, max ${Math.max(...times.save).toFixed(1)} ms`);
console.log(`load from a slot: median ${median(times.load).toFixed(1)} ms, max ${Math.max(...times.load).toFixed(1)} ms`);
await env.close();

let code = 0, raw = 0;
for (const f of readdirSync(site)) {
  if (!/\.(wasm|js|html|css|webmanifest|svg)$/.test(f)) continue;
  const bytes = readFileSync(join(site, f));
  raw += bytes.length;
  code += gzipSync(bytes, { level: 9 }).length;
}
const data = ['data/demo-ja.tar.gz', 'data/demo-en.tar.gz', 'fonts/ipag.ttf.gz'].map((f) => readFileSync(join(site, f)).length);
console.log(`the page's code: ${(raw / 1e6).toFixed(2)} MB, ${(code / 1e6).toFixed(2)} MB compressed (gzip -9)`);
console.log(`on top: demos ${(data[0] / 1e6).toFixed(2)} + ${(data[1] / 1e6).toFixed(2)} MB, font ${(data[2] / 1e6).toFixed(2)} MB (compressed)`);
