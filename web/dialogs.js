// The page's dialogs as HTML <dialog>s: the game's message box, version box and readme
// window, the lists of saves, the history and the questions they ask.
import { t, slotTitle } from './texts.js';

function el(tag, props = {}, ...children) {
  const e = Object.assign(document.createElement(tag), props);
  e.append(...children.filter((c) => c !== null && c !== undefined));
  return e;
}

export const anyDialogOpen = () => document.querySelector('dialog[open]') !== null;

// Shows a modal dialog with a title, a body and buttons [{label, value}]; resolves to
// the value of the button pressed (undefined for Escape).
export function modal(title, body, buttons, className = '') {
  const dialog = el('dialog', { className });
  const form = el('form', { method: 'dialog' });
  const row = el('div', { className: 'buttons' });
  for (const b of buttons) row.append(el('button', { textContent: b.label, value: b.value ?? '' }));
  form.append(el('h2', { textContent: title }), body, row);
  dialog.append(form);
  document.body.append(dialog);
  dialog.showModal();
  row.querySelector('button')?.focus();
  return new Promise((resolve) => {
    dialog.addEventListener('close', () => {
      const b = buttons.find((x) => (x.value ?? '') === dialog.returnValue);
      dialog.remove();
      resolve(b ? b.value : undefined);
    });
  });
}

export const messageBox = (title, text) =>
  modal(title, el('p', { className: 'message', textContent: text }), [{ label: t('ok'), value: 'ok' }]);

export const ask = async (question) =>
  (await modal(document.title, el('p', { textContent: question }), [
    { label: t('yes'), value: 'yes' },
    { label: t('no'), value: 'no' },
  ])) === 'yes';

export function aboutBox(texts) {
  const panel = el('div', { className: 'about' },
    el('img', { src: 'icon.svg', alt: '', width: 32, height: 32 }),
    el('div', {}, el('p', { textContent: texts.productName }), el('p', { textContent: 'Version 1.0' }),
      el('p', { textContent: 'shirakaba project' }), el('p', { className: 'message', textContent: 'Open-source edition\nContact: see README.md' })));
  return modal(texts.aboutTitle, panel, [{ label: 'OK', value: 'ok' }]);
}

export const readmeBox = (texts, text) =>
  modal(texts.readmeTitle, el('pre', { className: 'readme', textContent: text, tabIndex: 0 }),
    [{ label: texts.readmeClose, value: 'close' }], 'wide');

export function historyBox(entries) {
  const list = el('div', { className: 'history', tabIndex: 0 });
  for (const e of entries)
    list.append(el('p', { className: e.choice ? 'choice' : '', textContent: (e.choice ? t('choiceMark') + ' ' : '') + e.lines.join('\n') }));
  const shown = modal(t('historyTitle'), list, [{ label: t('close'), value: 'close' }], 'wide');
  list.scrollTop = list.scrollHeight;
  return shown;
}

const pad = (n) => String(n).padStart(2, '0');
function playTime(ms) {
  const s = Math.max(0, Math.floor(ms / 1000));
  return `${Math.floor(s / 3600)}:${pad(Math.floor(s / 60) % 60)}:${pad(s % 60)}`;
}
function savedAt(ms) {
  const d = new Date(ms);
  return `${d.getFullYear()}-${pad(d.getMonth() + 1)}-${pad(d.getDate())} ${pad(d.getHours())}:${pad(d.getMinutes())}`;
}

// The save or load list: one row per slot with its thumbnail and description.
// actions: choose(name), download(name), remove(name), loadFile(file) (load list only).
// Resolves when it closes.
export function slotDialog(saving, slots, actions) {
  const list = el('ul', { className: 'slots' });
  for (const s of slots) {
    const texts = el('div', { className: 'slot-text' }, el('strong', { textContent: slotTitle(s.name) }));
    const line = (text) => texts.append(el('span', { textContent: text }));
    if (s.state === 'empty') line(t('empty'));
    else if (s.state === 'unreadable') line(t('cannotRead', s.problem));
    else {
      line(s.day > 0 ? t('day', s.day, s.partOfDay) : t('beforeGame'));
      if (s.pageLine) line(s.pageLine);
      line(`${savedAt(s.savedAt)}   ${playTime(s.playTimeMs)}`);
    }
    if (saving && s.name === 'auto') line(t('autoRow'));
    const thumb = s.thumbnail ? el('img', { src: s.thumbnail, alt: '', width: 160, height: 120 }) : el('div', { className: 'no-thumb' });
    const choose = el('button', { type: 'button', className: 'choose', textContent: t('choose'), disabled: !s.choosable });
    choose.addEventListener('click', () => actions.choose(s.name, s.state !== 'empty'));
    const tools = el('div', { className: 'slot-tools' }, choose);
    if (s.state !== 'empty') {
      const download = el('button', { type: 'button', textContent: t('download') });
      download.addEventListener('click', () => actions.download(s.name));
      const remove = el('button', { type: 'button', textContent: t('del') });
      remove.addEventListener('click', () => actions.remove(s.name));
      tools.append(download, remove);
    }
    list.append(el('li', { className: s.choosable ? '' : 'dead' }, thumb, texts, tools));
    list.lastChild.dataset.slot = s.name;
  }
  const body = el('div', {}, list);
  if (!saving) {
    const file = el('input', { type: 'file', accept: '.sav,application/octet-stream', className: 'load-file' });
    file.addEventListener('change', () => file.files[0] && actions.loadFile(file.files[0]));
    body.append(el('label', { className: 'file-button' }, t('loadFile'), file));
  }
  return modal(saving ? t('saveTitle') : t('loadTitle'), body, [{ label: t('close'), value: 'close' }], 'wide slots-dialog');
}

export function closeDialog(className) {
  document.querySelector(`dialog.${className}`)?.close();
}

// Asks for the folder or the files of the player's game data; resolves to a list of
// [relative path, File] or null.
export function openDataDialog() {
  let chosen = null;
  const folder = el('input', { type: 'file', webkitdirectory: true, multiple: true, className: 'data-folder' });
  const files = el('input', { type: 'file', multiple: true, className: 'data-files' });
  const body = el('div', {}, el('p', { textContent: t('openHelp') }),
    el('label', { className: 'file-button' }, t('folder'), folder),
    el('label', { className: 'file-button' }, t('files'), files));
  const shown = modal(t('openTitle'), body, [{ label: t('close'), value: 'close' }], 'open-data');
  const take = (input) => () => {
    chosen = [...input.files].map((f) => [f.webkitRelativePath || f.name, f]);
    document.querySelector('dialog.open-data')?.close();
  };
  folder.addEventListener('change', take(folder));
  files.addEventListener('change', take(files));
  return shown.then(() => chosen);
}
