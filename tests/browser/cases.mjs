// The browser tests themselves (run.mjs runs one by its name).
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { mkdirSync, readFileSync, readdirSync, writeFileSync } from 'node:fs';
import { join } from 'node:path';
import * as P from './page.mjs';
import { decodePng } from './png.mjs';

const TEST = 'test&seed=7&data=demo-ja&lang=ja';

async function toTitle(page) {
  await P.wait(page, 2200);
  assert.equal((await P.state(page)).GameMode, 1);
}

// The game's state without what differs between two runs of the same game: the clock,
// the sounds heard and the aids.
function gameOf(state) {
  const { t, sounds, aids, ...rest } = state;
  return rest;
}

// The native game on the same demo: runs `lines`, returns its state lines and shots.
function native(env, name, lines) {
  const dir = join(env.work, name);
  mkdirSync(dir, { recursive: true });
  const out = execFileSync(env.native, ['--headless', '--data', join(env.site, '..', 'demo-ja'), '--seed', '7',
    '--replay', '-', '--shots', dir], { input: lines.join('\n') + '\n', encoding: 'utf8' });
  return { states: out.trim().split('\n').map((l) => JSON.parse(l)), dir };
}

async function play(page, ...clicks) {
  for (const [x, y] of clicks) {
    await P.click(page, x, y);
    await P.settle(page);
  }
}

// How the canvas fits the page: its steps, whether it shows them whole, and whether a
// bigger whole step would leave the room.
const fitted = (page) => page.evaluate(() => {
  const c = document.getElementById('screen'), room = document.getElementById('stage').getBoundingClientRect();
  const steps = c.width / 640, shown = (c.getBoundingClientRect().width * devicePixelRatio) / 640;
  return { whole: shown === steps, fills: (steps + 1) * 640 > room.width * devicePixelRatio || (steps + 1) * 480 > room.height * devicePixelRatio };
});

const noticeSays = (page, text) => page.waitForFunction((t) => document.getElementById('notice').textContent.includes(t), {}, text);

async function openList(page, which) {
  await P.menuClick(page, 'saves', which);
  await page.waitForSelector('dialog[open] ul.slots');
}

export const tests = {
  async whole_game(env) {
    const page = await P.openPage(env, TEST);
    const shots = await env.playReplay(page, join(env.source, 'tests/replays/whole_game.replay'),
      join(env.source, 'tests/golden/whole_game'));
    assert.equal(shots, 14);
    // The HTML menu bar: ヘルプ > バージョン情報 opens the version box as a dialog; the
    // game takes no menu command while it is open, and goes on once it is closed.
    await P.menuClick(page, ...(await P.gameMenuPath(page, 'About_Btn')));
    await page.waitForSelector('dialog[open] .about');
    assert.equal((await P.state(page)).dialog, 'about');
    await page.click('dialog[open] button');
    await page.waitForFunction(() => !document.querySelector('dialog[open]'));
    await P.menuClick(page, ...(await P.gameMenuPath(page, 'Start_Btn')));
    await P.settle(page);
    assert.equal((await P.state(page)).Adv.Day, 1);
  },

  async saves(env) {
    const page = await P.openPage(env, TEST);
    await toTitle(page);
    // Refused on the title, with the reasons in the page's language.
    await page.keyboard.press('F5');
    await noticeSays(page, 'クイックスロットにセーブできません: まだゲームが始まっていません');
    await page.keyboard.press('F9');
    await noticeSays(page, 'クイックスロットをロードできません: セーブデータがありません');
    await play(page, [300, 286], [320, 240], [320, 240]);
    const saved = gameOf(await P.state(page)), screen = await P.canvasPixels(page);
    // F5 and the save list's slot 3, then a reload: the list shows both with thumbnails.
    await page.keyboard.press('F5');
    await noticeSays(page, 'クイックスロットにセーブしました');
    await openList(page, 'save-list');
    await page.click('dialog[open] li[data-slot="3"] button.choose');
    await noticeSays(page, 'スロット 3にセーブしました');
    await page.reload();
    await page.evaluate(() => window.shirakaba.ready);
    await toTitle(page);
    await openList(page, 'load-list');
    for (const slot of ['quick', '3'])
      assert.match(await page.$eval(`dialog[open] li[data-slot="${slot}"] img`, (i) => i.src), /^data:image\/png;base64,/);
    await page.click('dialog[open] li[data-slot="3"] button.choose');
    await noticeSays(page, 'スロット 3をロードしました');
    assert.deepEqual(gameOf(await P.state(page)), saved);
    assert.equal(P.sameImage(await P.canvasPixels(page), screen), null);

    // The save downloaded goes on in the native game: the same state, the same screen.
    mkdirSync(env.work, { recursive: true });
    const cdp = await page.createCDPSession();
    await cdp.send('Browser.setDownloadBehavior', { behavior: 'allow', downloadPath: env.work });
    await openList(page, 'load-list');
    await page.click('dialog[open] li[data-slot="3"] button:nth-of-type(2)');
    const file = join(env.work, 'shirakaba-slot03.sav');
    for (let i = 0; i < 100 && !readdirSync(env.work).includes('shirakaba-slot03.sav'); ++i) await new Promise((r) => setTimeout(r, 50));
    await page.keyboard.press('Escape');
    const inNative = native(env, 'from_page', [`load ${file}`, 'shot loaded', 'state']);
    assert.deepEqual(gameOf(inNative.states[0]), saved);
    assert.equal(P.sameImage(screen, decodePng(readFileSync(join(inNative.dir, 'loaded.png'))).rgba), null);

    // A save of the native game loads in the page from the disk.
    const nativeSave = join(env.work, 'native.sav');
    const made = native(env, 'to_page', ['wait 2200', 'click 300 286', 'settle', 'click 320 240', 'settle',
      `save ${nativeSave}`, 'shot saved', 'state']);
    await openList(page, 'load-list');
    const [chooser] = await Promise.all([page.waitForFileChooser(), page.click('dialog[open] .file-button')]);
    await chooser.accept([nativeSave]);
    await noticeSays(page, 'native.savをロードしました');
    assert.deepEqual(gameOf(await P.state(page)), gameOf(made.states[0]));
    assert.equal(P.sameImage(await P.canvasPixels(page), decodePng(readFileSync(join(made.dir, 'saved.png'))).rgba), null);

    // Leaving the page keeps the game in the autosave; "Continue" goes on from it.
    const left = gameOf(await P.state(page));
    await page.goto(`${env.url}?${TEST}`);
    await page.evaluate(() => window.shirakaba.ready);
    await P.wait(page, 2200);
    await page.click('#continue:not([hidden])');
    await noticeSays(page, 'オートセーブをロードしました');
    assert.deepEqual(gameOf(await P.state(page)), left);
    assert.equal(await page.$eval('#continue', (b) => b.hidden), true);
  },

  async own_data(env) {
    const page = await P.openPage(env, TEST);
    await toTitle(page);
    const english = decodePng(readFileSync(join(env.source, 'tests/golden/whole_game_en/title.png'))).rgba;
    const choose = async (files) => {
      await P.menuClick(page, 'page', 'open-data');
      const [chooser] = await Promise.all([page.waitForFileChooser(), page.click('dialog[open] .file-button:nth-of-type(2)')]);
      await chooser.accept(files);
    };
    // The English demo's files, chosen one by one, play as "your game data".
    const pack = join(env.site, '..', 'demo-en');
    const wavs = readdirSync(join(pack, 'data/wav')).map((f) => join(pack, 'data/wav', f));
    await choose([join(pack, 'data/lumora.red'), join(pack, 'readme.txt'), ...wavs]);
    await noticeSays(page, 'ゲームデータをこのブラウザーに保存しました');
    await P.wait(page, 2200);
    assert.equal(await page.evaluate(() => window.shirakaba.page.data), 'own');
    assert.equal(P.sameImage(await P.canvasPixels(page), english), null);
    // A file that is not a pack is refused and the game goes on where it was.
    const junk = join(env.work, 'lumora.red');
    mkdirSync(env.work, { recursive: true });
    writeFileSync(junk, 'not a pack at all');
    await choose([junk]);
    await noticeSays(page, 'ゲームデータではありません');
    assert.equal(await page.evaluate(() => window.shirakaba.page.data), 'own');
    await P.click(page, 300, 286);
    await P.settle(page);
    assert.equal((await P.state(page)).Adv.Day, 1);
    // The next visit plays it again, from the browser's storage.
    await page.goto(`${env.url}?test&lang=ja`);
    await page.evaluate(() => window.shirakaba.ready);
    await P.wait(page, 2200);
    assert.equal(P.sameImage(await P.canvasPixels(page), english), null);
  },

  async no_storage(env) {
    const page = await P.openPage(env, TEST, {
      before: (p) => p.evaluateOnNewDocument(() => {
        indexedDB.open = () => {
          throw new DOMException('The user denied permission to access the database.', 'SecurityError');
        };
      }),
    });
    await noticeSays(page, 'セーブは残りません');
    await toTitle(page);
    await play(page, [300, 286], [320, 240]);
    assert.equal((await P.state(page)).Adv.Day, 1);
    await page.keyboard.press('F5');  // kept for this visit only
    await noticeSays(page, 'クイックスロットにセーブしました');
    await page.keyboard.press('F9');
    await noticeSays(page, 'クイックスロットをロードしました');

    // Storage that fails on writing: the save is reported and the one before stays.
    const failing = await P.openPage(env, TEST, {
      before: (p) => p.evaluateOnNewDocument(() => {
        const put = IDBObjectStore.prototype.put;
        IDBObjectStore.prototype.put = function (...args) {
          if (window.failWrites) throw new DOMException('The quota has been exceeded.', 'QuotaExceededError');
          return put.apply(this, args);
        };
      }),
    });
    await toTitle(failing);
    await play(failing, [300, 286], [320, 240]);
    await failing.keyboard.press('F5');
    await noticeSays(failing, 'クイックスロットにセーブしました');
    const kept = gameOf(await P.state(failing));
    await play(failing, [320, 240]);
    await failing.evaluate(() => (window.failWrites = true));
    await failing.keyboard.press('F5');
    await noticeSays(failing, 'ブラウザーが保存しませんでした');
    await failing.keyboard.press('F9');
    await noticeSays(failing, 'クイックスロットをロードしました');
    assert.deepEqual(gameOf(await P.state(failing)), kept);
  },

  async touch(env) {
    const page = await P.openPage(env, TEST, { viewport: { width: 800, height: 600, hasTouch: true, isMobile: true } });
    await toTitle(page);
    const [x, y] = await P.pagePoint(page, 300, 286);
    await page.touchscreen.tap(x, y);
    await P.settle(page);
    const s = await P.state(page);
    assert.equal(s.Adv.Day, 1);
    assert.equal(s.SceneLabel, '*op');
    // A long press opens the aids' menu where the finger is, and the game takes no click.
    const [px, py] = await P.pagePoint(page, 320, 240);
    await page.touchscreen.touchStart(px, py);
    await page.waitForSelector('ul.menu.popup [data-item="rollback"]', { timeout: 2000 });
    await page.touchscreen.touchEnd();
    assert.deepEqual(gameOf(await P.state(page)), gameOf(s));
  },

  // In real time, without a network once the page has been visited (its service worker
  // serves it): the share of 10 s the page's main thread works while the game waits.
  async idle(env) {
    const page = await P.openPage(env, 'data=demo-ja&lang=ja');
    await page.evaluate(() => navigator.serviceWorker.ready);
    env.stopServer();
    await page.reload();
    await page.evaluate(() => window.shirakaba.ready);
    assert.ok(await page.evaluate(() => Boolean(navigator.serviceWorker.controller)), 'the page did not come from its service worker');
    assert.equal(await page.evaluate(() => fetch('not-in-the-site').then(() => 'the server answers', () => 'offline')), 'offline');
    const cdp = await page.createCDPSession();
    await cdp.send('Performance.enable');
    const busyFor = async (ms) => {
      const taskTime = async () => (await cdp.send('Performance.getMetrics')).metrics.find((m) => m.name === 'TaskDuration').value;
      const before = await taskTime();
      await new Promise((r) => setTimeout(r, ms));
      return (await taskTime()) - before;
    };
    await page.waitForFunction(() => window.shirakaba.state().GameMode === 1, { polling: 100 });
    await new Promise((r) => setTimeout(r, 1500));  // the wipe ends
    const onTitle = await busyFor(10000);
    await P.click(page, 300, 286);
    await page.waitForFunction(() => window.shirakaba.state().Page.length > 0, { polling: 200 });
    await new Promise((r) => setTimeout(r, 3000));
    const onPage = await busyFor(10000);
    console.log(`main thread busy: ${(onTitle * 100 / 10).toFixed(2)} % on the title, ${(onPage * 100 / 10).toFixed(2)} % on a waiting page`);
    assert.ok(onTitle < 0.1 && onPage < 0.1, 'more than 1 % of 10 s');
  },

  // The aids through the page's input: the wheel, the right button's menu, the keys.
  async aids(env) {
    const page = await P.openPage(env, TEST);
    await env.browser.defaultBrowserContext().overridePermissions(new URL(env.url).origin, ['clipboard-read', 'clipboard-write', 'clipboard-sanitized-write']);
    await page.bringToFront();
    await toTitle(page);
    await play(page, [300, 286]);
    const first = (await P.state(page)).Page;
    await play(page, [320, 240]);
    const second = (await P.state(page)).Page;
    assert.notDeepEqual(second, first);
    const [x, y] = await P.pagePoint(page, 320, 240);
    await page.mouse.move(x, y);
    await page.mouse.wheel({ deltaY: -100 });  // one notch up: back before the last click
    assert.deepEqual((await P.state(page)).Page, first);
    await P.click(page, 320, 240, 'right');
    await page.click('ul.menu.popup [data-item="rollforward"]');
    assert.deepEqual((await P.state(page)).Page, second);
    await page.keyboard.down('Control');
    await page.keyboard.press('KeyC');
    await page.keyboard.up('Control');
    await page.waitForFunction((t) => navigator.clipboard.readText().then((c) => c === t), {}, second.join('\n'));
    const mark = () => page.$eval('#mark', (m) => m.textContent);
    await page.keyboard.press('KeyA');
    assert.equal(await mark(), 'オート');
    await page.keyboard.press('KeyA');
    assert.equal(await mark(), '');
    // Skipping all pages (the menu's "Skip mode"), on and off with Tab.
    await P.click(page, 320, 240, 'right');
    await page.click('ul.menu.popup [data-item="skip-mode"]');
    await page.click('ul.menu.popup [data-item="skip-all"]');
    await page.keyboard.press('Tab');
    assert.equal(await mark(), 'スキップ');
    await page.keyboard.press('Tab');
    assert.equal(await mark(), '');
    // Full screen by the bar's button and by F11: the screen then fills the display in
    // whole steps of its pixels.
    await page.click('#fullscreen');
    await page.waitForFunction(() => document.fullscreenElement);
    // Headless Chromium's screen is the window: a display of 1920 x 1080 at 150 % stands in.
    await page.setViewport({ width: 1920, height: 1080, deviceScaleFactor: 1.5 });
    await page.waitForFunction(() => document.getElementById('screen').width === 640 * 3);
    assert.deepEqual(await fitted(page), { whole: true, fills: true });
    await page.keyboard.press('F11');
    await page.waitForFunction(() => !document.fullscreenElement);
    await page.keyboard.press('F11');
    await page.waitForFunction(() => document.fullscreenElement);
    await page.keyboard.press('F11');
    await page.waitForFunction(() => !document.fullscreenElement);
    await page.keyboard.press('KeyH');
    const history = await page.$eval('dialog[open] .history', (h) => h.textContent);
    assert.ok(history.includes(first[0]) && history.includes(second[0]), history);
  },
};
