// Keeps the page and its app files for offline use: stored at installation, served from the
// store first, and the stores of older pages removed once this one is active.
'use strict';
const CACHE = '@CACHE@';
const FILES = @FILES@;

self.addEventListener('install', (event) => {
  event.waitUntil(caches.open(CACHE).then((cache) => cache.addAll(FILES)).then(() => self.skipWaiting()));
});

self.addEventListener('activate', (event) => {
  event.waitUntil(caches.keys()
    .then((keys) => Promise.all(keys.filter((k) => k !== CACHE).map((k) => caches.delete(k))))
    .then(() => self.clients.claim()));
});

self.addEventListener('fetch', (event) => {
  if (event.request.method !== 'GET' || new URL(event.request.url).origin !== location.origin) {
    return;
  }
  event.respondWith(caches.match(event.request, { ignoreSearch: true })
    .then((hit) => hit || fetch(event.request)));
});
