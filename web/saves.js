// Saving and loading in the page, as in the window: by slot (F5, F9, the lists), with a
// notice of how it went; every save is kept in the browser, and a save that the browser
// does not keep is reported and the one before stays. Saves can be downloaded and a
// save file loaded from the disk.
import * as dialogs from './dialogs.js';
import { t, slotInSentence } from './texts.js';

const USER_UPLOAD = '/tmp/upload.sav';

export function saveActions(page) {
  const game = page.game;

  async function save(name) {
    const path = game.api.slotPath(name);
    const previous = page.readFile(path);
    const r = game.call((wall) => JSON.parse(game.api.save(name, wall)));
    const where = slotInSentence(name);
    if (!r.ok) return page.notice(t('cannotSave', where, r.error), true), false;
    const failed = await page.keep(r.path, previous);
    if (failed) return page.notice(t('cannotSave', where, t('notKept', failed)), true), false;
    page.notice(t('saved', where));
    return true;
  }

  function load(name, failText) {
    const r = game.call((wall) => JSON.parse(game.api.load(name, wall)));
    const where = slotInSentence(name);
    if (r.ok) page.notice(t('loaded', where));
    else page.notice(failText ? t('continueFailed', r.error) : t('cannotLoad', where, r.error), true);
    return r.ok;
  }

  function download(name) {
    const bytes = page.readFile(game.api.slotPath(name));
    if (!bytes) return;
    const a = document.createElement('a');
    a.href = URL.createObjectURL(new Blob([bytes], { type: 'application/octet-stream' }));
    a.download = `shirakaba-${name === 'quick' || name === 'auto' ? name : 'slot' + name.padStart(2, '0')}.sav`;
    a.click();
    setTimeout(() => URL.revokeObjectURL(a.href), 10000);
  }

  async function loadFile(file) {
    const bytes = new Uint8Array(await file.arrayBuffer());
    game.fs.mkdirTree('/tmp');
    game.fs.writeFile(USER_UPLOAD, bytes);
    const r = game.call((wall) => JSON.parse(game.api.loadFile(USER_UPLOAD, wall)));
    game.fs.unlink(USER_UPLOAD);
    if (r.ok) page.notice(t('loaded', file.name));
    else page.notice(t('cannotLoad', file.name, r.error), true);
    return r.ok;
  }

  async function openList(saving) {
    const listed = game.json('slots', saving ? 1 : 0);
    if (listed.error) return page.notice(t(saving ? 'cannotSaveNow' : 'cannotLoadNow', listed.error), true);
    let reopen = false;
    const close = () => dialogs.closeDialog('slots-dialog');
    await dialogs.slotDialog(saving, listed.slots, {
      choose: async (name, filled) => {
        if (saving && filled && !(await dialogs.ask(t('overwrite', slotInSentence(name))))) return;
        close();
        if (saving) await save(name);
        else load(name);
      },
      download,
      remove: async (name) => {
        if (!(await dialogs.ask(t('deleteAsk', slotInSentence(name))))) return;
        const r = JSON.parse(game.api.remove(name));
        if (r.ok) await page.keep(r.path, null);
        else page.notice(r.error, true);
        reopen = true;
        close();
      },
      loadFile: async (file) => {
        close();
        await loadFile(file);
      },
    });
    page.checkAutosave();
    if (reopen) openList(saving);
  }

  return { save, load, openList, download, loadFile };
}
