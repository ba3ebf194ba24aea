// Offline after one visit: every file of the site is fetched from the
// network while there is one (so a rebuilt program and its data are never
// mixed with an old copy), and the last good copy is kept for when there
// is none.
'use strict';
var kCache = 'vennaloft';

self.addEventListener('install', function () { self.skipWaiting(); });
self.addEventListener('activate', function (event) { event.waitUntil(self.clients.claim()); });

self.addEventListener('fetch', function (event) {
  var request = event.request;
  if (request.method !== 'GET' || new URL(request.url).origin !== self.location.origin) return;
  event.respondWith(fetch(request).then(function (response) {
    if (response.ok && response.type === 'basic') {
      var copy = response.clone();
      caches.open(kCache).then(function (cache) { return cache.put(request, copy); });
    }
    return response;
  }, function (error) {
    return caches.open(kCache).then(function (cache) {
      return cache.match(request, { ignoreSearch: request.mode === 'navigate' });
    }).then(function (kept) {
      if (kept) return kept;
      throw error;
    });
  }));
});
