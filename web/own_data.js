// The player's own game data: a folder or files chosen in the page, checked as a game
// pack, kept in the browser's IndexedDB (never sent anywhere) and offered again on the
// next visit. Data that is not a pack is refused and the page goes on as it was.
import * as dialogs from './dialogs.js';
import * as store from './store.js';
import { t } from './texts.js';

const PACK = 'data/lumora.red';

// The files of the game as paths inside its folder: data/lumora.red, data/wav/*,
// readme.txt, from a folder's relative paths or from files chosen one by one.
export function gameFilesOf(chosen) {
  const pack = chosen.find(([path]) => path.toLowerCase().endsWith(PACK) || path.toLowerCase() === 'lumora.red');
  if (!pack) return null;
  const root = pack[0].toLowerCase().endsWith(PACK) ? pack[0].slice(0, -PACK.length) : null;
  const files = [];
  for (const [path, file] of chosen) {
    const name = path.split('/').pop();
    const lower = name.toLowerCase();
    if (root !== null && path.startsWith(root)) {
      const inside = path.slice(root.length);
      if (inside.toLowerCase().startsWith('data/') || inside.toLowerCase() === 'readme.txt') files.push([inside, file]);
    } else if (lower === 'lumora.red') files.push([PACK, file]);
    else if (lower.endsWith('.wav')) files.push(['data/wav/' + name, file]);
    else if (lower === 'readme.txt') files.push(['readme.txt', file]);
  }
  return files;
}

export async function ownDataFiles() {
  return (await store.readAll('gamedata', 'own/')).map(([key, bytes]) => [key.slice(4), bytes]);
}

export async function openOwnData(page) {
  const chosen = await dialogs.openDataDialog();
  if (!chosen) return;
  const files = gameFilesOf(chosen);
  if (!files) return page.notice(t('notPack', t('noPack')), true);
  const read = await Promise.all(files.map(async ([path, file]) => [path, new Uint8Array(await file.arrayBuffer())]));
  const check = '/games/own-check';
  page.removeTree(check);
  page.writeTree(check, read);
  const problem = page.game.api.checkData(check);
  page.removeTree(check);
  if (problem) return page.notice(t('notPack', problem), true);
  try {
    await store.replaceAll('gamedata', 'own/', read);
    page.hasOwnData = true;
    page.notice(t('dataKept'));
  } catch (e) {
    page.notice(t('dataNotKept', e.message || e), true);
  }
  await page.switchData('own', read);
}
