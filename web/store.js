// What the page keeps in the browser's IndexedDB: the files of the user folder (saves,
// pages read) by their path, and the player's own game data. Every call fails softly:
// when the browser refuses storage the game still plays, with nothing kept.

const DB = 'shirakaba';
let db = null;

function request(r) {
  return new Promise((resolve, reject) => {
    r.onsuccess = () => resolve(r.result);
    r.onerror = () => reject(r.error || new Error('IndexedDB refused the request'));
  });
}

function done(tx) {
  return new Promise((resolve, reject) => {
    tx.oncomplete = () => resolve();
    tx.onabort = tx.onerror = () => reject(tx.error || new Error('IndexedDB did not keep it'));
  });
}

// Opens the database; false (and nothing kept) when the browser refuses it.
export async function openStore() {
  try {
    const open = indexedDB.open(DB, 1);
    open.onupgradeneeded = () => {
      open.result.createObjectStore('files');
      open.result.createObjectStore('gamedata');
    };
    db = await request(open);
    return true;
  } catch (e) {
    console.warn('shirakaba: no storage:', e);
    db = null;
    return false;
  }
}

export const storeOpen = () => db !== null;

// Every [key, bytes] of a store whose key starts with `prefix`.
export async function readAll(store, prefix = '') {
  if (!db) return [];
  const tx = db.transaction(store, 'readonly');
  const range = prefix ? IDBKeyRange.bound(prefix, prefix + '\uffff') : undefined;
  const [keys, values] = await Promise.all([
    request(tx.objectStore(store).getAllKeys(range)),
    request(tx.objectStore(store).getAll(range)),
  ]);
  return keys.map((k, i) => [k, values[i]]);
}

export async function has(store, key) {
  if (!db) return false;
  return (await request(db.transaction(store, 'readonly').objectStore(store).count(key))) > 0;
}

export async function put(store, key, bytes) {
  if (!db) throw new Error('the browser keeps nothing for this page');
  const tx = db.transaction(store, 'readwrite');
  tx.objectStore(store).put(bytes, key);
  tx.commit?.();  // at once: the page may be going away (the autosave on leaving it)
  await done(tx);
}

export async function remove(store, key) {
  if (!db) return;
  const tx = db.transaction(store, 'readwrite');
  tx.objectStore(store).delete(key);
  await done(tx);
}

// Replaces every entry under `prefix` with `entries` in one transaction.
export async function replaceAll(store, prefix, entries) {
  if (!db) throw new Error('the browser keeps nothing for this page');
  const tx = db.transaction(store, 'readwrite');
  const s = tx.objectStore(store);
  s.delete(IDBKeyRange.bound(prefix, prefix + '\uffff'));
  for (const [key, bytes] of entries) s.put(bytes, prefix + key);
  await done(tx);
}

// Small things (the page's settings) in localStorage, which may be refused as well.
export function remembered(key, fallback = null) {
  try {
    return localStorage.getItem('shirakaba.' + key) ?? fallback;
  } catch {
    return fallback;
  }
}

export function remember(key, value) {
  try {
    localStorage.setItem('shirakaba.' + key, value);
  } catch {
    /* not kept: the page goes on */
  }
}
