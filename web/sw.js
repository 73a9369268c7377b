// Keeps the page playable without a network once it has been visited: every file of
// the site is cached at install; a new build (another VERSION) replaces the cache.
const VERSION = 'SITE_VERSION';
const FILES = SITE_FILES;

self.addEventListener('install', (e) => {
  e.waitUntil(caches.open(VERSION).then((c) => c.addAll(FILES)).then(() => self.skipWaiting()));
});

self.addEventListener('activate', (e) => {
  e.waitUntil(
    caches.keys().then((keys) => Promise.all(keys.filter((k) => k !== VERSION).map((k) => caches.delete(k))))
      .then(() => self.clients.claim()),
  );
});

self.addEventListener('fetch', (e) => {
  if (e.request.method !== 'GET') return;
  e.respondWith(
    caches.open(VERSION).then(async (c) =>
      (await c.match(e.request, { ignoreSearch: true })) ||
      (e.request.mode === 'navigate' && (await c.match('index.html'))) ||
      fetch(e.request)),
  );
});
