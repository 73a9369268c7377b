// The page: loads the game and its data, and ties the game to the canvas, the menus,
// the dialogs, the sounds, the keys and the browser's storage.
import { tarFiles } from './archive.js';
import { Game } from './game.js';
import { Screen } from './screen.js';
import { Sound } from './sound.js';
import { attachPointer, attachKeys } from './input.js';
import { popUp, menuButton, gameMenuBar } from './menus.js';
import * as dialogs from './dialogs.js';
import * as store from './store.js';
import { t, setLanguage } from './texts.js';
import { saveActions } from './saves.js';
import { openOwnData, ownDataFiles } from './own_data.js';

const start = window.shirakabaStart;  // early.js
const params = start.params;
const testing = params.has('test');  // the tests drive the game's clock (wait, settle)
const USER = '/user', FONT = '/fonts/ipag.ttf';
const kServiceWorkerAfterMs = 3000;
const $ = (id) => document.getElementById(id);

const page = {
  game: null,
  screen: null,
  sound: null,
  storageOk: false,
  data: null,       // 'demo-ja', 'demo-en' or 'own'
  news: { underWay: false, closed: false, mark: '' },
  texts: null,
  readPages: 0,
  savesPrepared: false,  // the save's code has run once (the first save is then quick)
  autosaved: false, // an autosave of this data is there to go on from
  showMenu: null,
  title: null,      // as last given to document.title
};

// ---- Notices (the window shows them in its title bar for three seconds) ----
let noticeTimer = 0;
function notice(text, failure = false) {
  $('notice').textContent = text;
  $('notice').className = failure ? 'failure' : '';
  clearTimeout(noticeTimer);
  noticeTimer = setTimeout(() => ($('notice').textContent = ''), failure ? 8000 : 3000);
  if (failure) console.warn('shirakaba:', text);
}

// ---- The file system in the game's memory ----
function writeTree(dir, files) {
  const fs = page.game.fs;
  for (const [path, bytes] of files) {
    const full = `${dir}/${path}`;
    fs.mkdirTree(full.slice(0, full.lastIndexOf('/')));
    fs.writeFile(full, bytes, { canOwn: true });  // no copy: the bytes are the file's from now on
  }
}

function readFile(path) {
  try {
    return page.game.fs.readFile(path);
  } catch {
    return null;
  }
}

function removeTree(dir) {
  const fs = page.game.fs;
  if (!fs.analyzePath(dir).exists) return;
  for (const name of fs.readdir(dir)) {
    if (name === '.' || name === '..') continue;
    const path = `${dir}/${name}`;
    if (fs.isDir(fs.stat(path).mode)) removeTree(path);
    else fs.unlink(path);
  }
  fs.rmdir(dir);
}

// Keeps the file at `path` in the browser; on failure puts `previous` back (a failed
// save leaves the one before) and returns the reason.
async function keep(path, previous) {
  if (!page.storageOk) return null;  // said once at the start
  const bytes = readFile(path);
  try {
    if (bytes) await store.put('files', path, bytes);
    else await store.remove('files', path);
    return null;
  } catch (e) {
    if (previous) page.game.fs.writeFile(path, previous);
    else if (bytes) page.game.fs.unlink(path);
    return String(e.message || e);
  }
}

// ---- The game data ----
const demoFiles = async (tar) => [...tarFiles(await tar)];

async function dataFiles(name) {
  return name === 'own' ? ownDataFiles() : demoFiles(start.fetchGzip(`data/${name}.tar.gz`));
}

function startGame(seed) {
  const settings = store.remembered('settings', '');
  const saveReasons = { noData: t('noData', '%1'), noGame: t('noGame'), empty: t('slotEmpty') };
  page.game.start({ gameDir: `/games/${page.data}`, userDir: USER, settings, saveReasons, fonts: FONT, seed, virtual: testing });
  page.texts = page.game.json('windowTexts');
  document.title = page.texts.caption;
  page.readPages = page.game.api.readPagesCount();
  page.sound.forget();
  $('ended').hidden = true;
  checkAutosave();
}

function checkAutosave() {
  const slots = page.game.json('slots', 0).slots || [];
  page.autosaved = slots.some((s) => s.name === 'auto' && s.state === 'filled');
  showState();
}

// Another game data: the game under way is kept in its autosave first.
async function switchData(name, files) {
  await writeAutosave();
  if (files) {
    removeTree(`/games/${name}`);
    writeTree(`/games/${name}`, files);
  } else if (!page.game.fs.analyzePath(`/games/${name}/data/lumora.red`).exists) {
    writeTree(`/games/${name}`, await dataFiles(name));
  }
  page.data = name;
  store.remember('data', name);
  startGame(-1);
}

// ---- What the game asked for ----
function onNews(news) {
  if (news.menu) {
    page.menu = news.menu;
    page.showMenu(news.menu);
  }
  page.news = news;
  if (news.underWay && !page.savesPrepared) {
    page.savesPrepared = true;
    (window.requestIdleCallback || setTimeout)(() => page.game.api.prepareSaves());
  }
  for (const e of news.events) {
    if (e.type === 'sound') page.sound.play(e.path);
    else if (e.type === 'text') $('screen-text').textContent = e.text;
    else if (e.type === 'copy') navigator.clipboard?.writeText(e.text).catch(() => {});
    else if (e.type === 'dialog') setTimeout(() => runDialog(e));
    else if (e.type === 'close') $('ended').hidden = false;
    else if (e.type === 'saved') keep(e.path, null);
    else if (e.type === 'readPagesProblem') notice(t('readPagesProblem', e.text), true);
    else if (e.type === 'log') console.warn('shirakaba:', e.text);
  }
  const count = page.game.api.readPagesCount();
  if (count !== page.readPages) {
    page.readPages = count;
    keepReadPagesSoon();
  }
  showState();
}

let readPagesTimer = 0;
function keepReadPagesSoon() {
  clearTimeout(readPagesTimer);
  readPagesTimer = setTimeout(() => {
    const path = page.game.api.readPagesPath();
    if (path) keep(path, null);
  }, 1000);
}

async function runDialog(e) {
  if (e.kind === 1) await dialogs.messageBox(page.texts.messageTitle, e.text);
  else if (e.kind === 2) await dialogs.aboutBox(page.texts);
  else if (e.kind === 3) await dialogs.readmeBox(page.texts, page.game.api.readme());
  page.game.call((wall) => page.game.api.dialogClosed(wall));
}

// Each wake of the game ends here: only what changed is touched, since every change of
// the page's text makes the browser lay it out and paint it again.
function showState() {
  const { mark, underWay, closed } = page.news;
  const markText = mark === 'skip' ? t('markSkip') : mark === 'auto' ? t('markAuto') : '';
  const title = (page.texts?.caption || '') + (mark ? `  [${markText}]` : '');
  const hideContinue = !page.autosaved || underWay || closed;
  if ($('mark').textContent !== markText) $('mark').textContent = markText;
  if (page.title !== title) document.title = page.title = title;  // document.title reads back with spaces collapsed
  if ($('continue').hidden !== hideContinue) $('continue').hidden = hideContinue;
}

// ---- The autosave, when the page is hidden or left ----
async function writeAutosave() {
  if (!page.game || page.news.closed) return;
  const path = page.game.api.slotPath('auto');
  const previous = readFile(path);
  const r = page.game.json('autosave');
  if (!r.ok) return notice(t('autosaveFailed', r.error), true);
  if (!r.path) return;
  const failed = await keep(r.path, previous);
  if (failed) notice(t('autosaveFailed', failed), true);
  page.autosaved = true;
}

// ---- The aids' menu (right button, long press) and the page's menus ----
function aid(command) {
  const done = page.game.call((wall) => page.game.api.aid(command, wall));
  store.remember('settings', page.game.api.settings());
  return done;
}

function copyText() {
  const text = page.game.api.screenText();
  if (text) navigator.clipboard?.writeText(text).then(() => notice(t('copied')), () => {});
}

function toggleFullScreen() {
  if (document.fullscreenElement) document.exitFullscreen();
  else document.documentElement.requestFullscreen?.().catch(() => {});
}

function aidsEntries() {
  const settings = page.game.api.settings();
  const state = page.game.json('state').aids;
  const has = (line) => settings.includes(line + '\n');
  const saves = saveActions(page);
  return [
    { label: t('quickSave'), item: 'quick-save', shortcut: 'F5', action: () => saves.save('quick') },
    { label: t('quickLoad'), item: 'quick-load', shortcut: 'F9', action: () => saves.load('quick') },
    { separator: true },
    { label: t('saveDots'), item: 'save-list', shortcut: 'Ctrl+S', action: () => saves.openList(true) },
    { label: t('loadDots'), item: 'load-list', shortcut: 'Ctrl+L', action: () => saves.openList(false) },
    { separator: true },
    { label: t('rollBack'), item: 'rollback', shortcut: 'Page Up', disabled: state.rollback === 0, action: () => aid('rollback') },
    { label: t('rollForward'), item: 'rollforward', shortcut: 'Page Down', disabled: state.ahead === 0, action: () => aid('rollforward') },
    { separator: true },
    { label: t('skip'), item: 'skip', shortcut: 'Tab', checked: state.skip, action: () => aid('skip') },
    { label: t('skipMode'), item: 'skip-mode', submenu: [
      { label: t('readOnly'), item: 'skip-read', checked: has('skip=read'), action: () => aid('skip-read') },
      { label: t('allPages'), item: 'skip-all', checked: has('skip=all'), action: () => aid('skip-all') }] },
    { label: t('autoMode'), item: 'auto', shortcut: 'A', checked: state.auto, action: () => aid('auto') },
    { label: t('autoSpeed'), submenu: ['slow', 'normal', 'fast'].map((p) => (
      { label: t(p), checked: has('autoSpeed=' + p), action: () => aid('pace-' + p) })) },
    { separator: true },
    { label: t('history'), item: 'history', shortcut: 'H', action: () => dialogs.historyBox(page.game.json('history')) },
    { label: t('copyText'), shortcut: 'Ctrl+C', action: copyText },
    { label: t('copyEachPage'), checked: has('copyEachPage=true'),
      action: () => aid(has('copyEachPage=true') ? 'copy-each-page-off' : 'copy-each-page-on') },
    { separator: true },
    { label: t('fullScreen'), shortcut: 'F11', checked: Boolean(document.fullscreenElement), action: toggleFullScreen },
  ];
}

function pageEntries() {
  const choose = (name) => () => name !== page.data && switchData(name);
  const data = [
    { label: t('demoJa'), item: 'demo-ja', checked: page.data === 'demo-ja', action: choose('demo-ja') },
    { label: t('demoEn'), item: 'demo-en', checked: page.data === 'demo-en', action: choose('demo-en') },
  ];
  if (page.hasOwnData) data.push({ label: t('ownData'), item: 'own', checked: page.data === 'own', action: choose('own') });
  const language = (code, label) => ({ label, checked: document.documentElement.lang === code, action: () => {
    store.remember('lang', code);
    location.reload();
  } });
  return [
    { label: t('gameData'), item: 'game-data', submenu: data },
    { label: t('openData'), item: 'open-data', action: () => openOwnData(page) },
    { separator: true },
    { label: t('language'), submenu: [language('ja', '日本語'), language('en', 'English')] },
    { label: t('fullScreen'), shortcut: 'F11', checked: Boolean(document.fullscreenElement), action: toggleFullScreen },
  ];
}

// What saves.js and own_data.js use of the page.
Object.assign(page, { notice, readFile, keep, writeTree, removeTree, switchData, checkAutosave });

// ---- Start-up ----
async function boot() {
  setLanguage(start.language);
  $('status').textContent = t('loading');
  page.data = start.wantedData;
  const [module, storageOk, font] = await Promise.all([Game.load(start.wasm), store.openStore(), start.font]);
  page.storageOk = storageOk;
  page.game = new Game(module, { news: onNews, frame: (image, area) => page.screen.draw(image, area) });
  page.screen = new Screen($('screen'), $('stage'));
  page.sound = new Sound(readFile);
  page.showMenu = gameMenuBar($('gamemenu'), (id) => page.game.call((wall) => page.game.api.menu(id, wall)));
  writeTree('/fonts', [['ipag.ttf', font]]);
  const [userFiles, hasOwnData] = await Promise.all([store.readAll('files', USER + '/'), store.has('gamedata', 'own/data/lumora.red')]);
  writeTree('', userFiles.map(([k, v]) => [k.slice(1), v]));
  page.hasOwnData = hasOwnData;
  if (page.data === 'own' && !page.hasOwnData) page.data = start.builtInData;
  writeTree(`/games/${page.data}`, await (page.data === start.wantedData && start.demo ? demoFiles(start.demo) : dataFiles(page.data)));
  startGame(params.has('seed') ? Number(params.get('seed')) : -1);
  page.screen.fit();
  $('status').hidden = true;
  if (!storageOk) notice(t('noStorage'), true);
  else navigator.storage?.persist?.().catch(() => {});

  const saves = saveActions(page);
  menuButton($('pagemenu'), t('saves'), aidsEntries, 'saves');
  menuButton($('pagemenu'), t('page'), pageEntries, 'page');
  $('continue').textContent = t('continueGame');
  $('continue').addEventListener('click', () => saves.load('auto', t('continueFailed')));
  $('fullscreen').title = t('fullScreen');
  $('fullscreen').addEventListener('click', toggleFullScreen);
  $('again').textContent = t('playAgain');
  $('ended-text').textContent = t('ended');
  $('again').addEventListener('click', () => startGame(-1));
  attachPointer(page.screen, page.game, (x, y) => popUp(aidsEntries(), x, y));
  attachKeys(page.game, {
    F5: () => saves.save('quick'),
    F9: () => saves.load('quick'),
    F11: toggleFullScreen,
    'Ctrl+S': () => saves.openList(true),
    'Ctrl+L': () => saves.openList(false),
    Tab: () => aid('skip'),
    A: () => aid('auto'),
    H: () => dialogs.historyBox(page.game.json('history')),
    'Ctrl+C': copyText,
    PageUp: () => aid('rollback'),
    PageDown: () => aid('rollforward'),
  }, dialogs.anyDialogOpen);
  addEventListener('visibilitychange', () => document.visibilityState === 'hidden' && writeAutosave());
  addEventListener('pagehide', () => writeAutosave());
  // The service worker fetches the whole site to keep it: once the title is up, so
  // that it does not compete with the start.
  if ('serviceWorker' in navigator && !testing)
    setTimeout(() => navigator.serviceWorker.register('sw.js').catch(() => {}), kServiceWorkerAfterMs);
}

// For the tests: the game and its virtual clock.
window.shirakaba = {
  page,
  ready: boot().catch((e) => {
    $('status').textContent = t('loadFailed', e.message || e);
    throw e;
  }),
  wait: (ms) => page.game.call(() => page.game.api.wait(ms)),
  settle: () => page.game.call(() => page.game.api.settle()),
  state: () => page.game.json('state'),
  drawn: () => page.game.frameDrawn,
};
