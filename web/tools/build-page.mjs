// Puts the page together: the template with its styles, script, program module, pictures,
// icon and read-me inlined. Writes one self-contained file, and optionally the folder for a
// web server with the same page, a web app manifest, icons and an offline cache.
//
//   node build-page.mjs --source DIR --res DIR --module FILE --layout FILE --out FILE [--site DIR]

import {createHash} from 'node:crypto';
import {copyFileSync, mkdirSync, readFileSync, writeFileSync} from 'node:fs';
import {join} from 'node:path';
import {parseArgs} from 'node:util';

import {rtfToHtml} from './rtf.mjs';

const {values: args} = parseArgs({options: {
  source: {type: 'string'}, res: {type: 'string'}, module: {type: 'string'}, layout: {type: 'string'},
  out: {type: 'string'}, site: {type: 'string'},
}});
for (const name of ['source', 'res', 'module', 'layout', 'out']) {
  if (!args[name]) throw new Error(`build-page: --${name} is required`);
}

const read = (path) => readFileSync(path, 'utf8');
const dataUri = (path, type) => `data:${type};base64,${readFileSync(path).toString('base64')}`;
// Nothing inlined may end the element that holds it.
const inScript = (text) => text.replace(/<\/(script)/gi, '<\\/$1').replace(/<!--/g, '<\\!--');

const readme = rtfToHtml(readFileSync(join(args.res, 'benioku.rtf'), 'latin1'));
const icon = dataUri(join(args.res, 'icons/hicolor/48x48/apps/zerkan-kutlesi.png'), 'image/png');
const pictures = {};
for (const id of ['132', '177']) pictures[id] = dataUri(join(args.res, `web/bitmap${id}.png`), 'image/png');

function page(extra) {
  const parts = {
    CSP_EXTRA: extra.csp,
    HEAD_EXTRA: extra.head,
    ICON: icon,
    STYLE: read(join(args.source, 'zerkan.css')),
    README_TITLE: readme.title,
    README: readme.html,
    PICTURES: inScript(JSON.stringify(pictures)),
    LAYOUT: inScript(JSON.stringify(JSON.parse(read(args.layout)))),
    MODULE: inScript(read(args.module)),
    PROGRAM: readFileSync(args.module.replace(/\.js$/, '.wasm')).toString('base64'),
    SCRIPT: inScript(read(join(args.source, 'zerkan.js'))),
  };
  return read(join(args.source, 'zerkan.html'))
    .replace(/@@([A-Z_]+)@@/g, (whole, key) => {
      if (!(key in parts)) throw new Error(`build-page: unknown placeholder ${whole}`);
      return parts[key];
    });
}

const single = page({csp: '', head: ''});
writeFileSync(args.out, single);

if (args.site) {
  mkdirSync(args.site, {recursive: true});
  const head = [
    '<link rel="manifest" href="manifest.webmanifest">',
    '<link rel="apple-touch-icon" href="icon-192.png">',
    // Kept by the browser after the first visit, so the page opens again without a network.
    "<script>if ('serviceWorker' in navigator && location.protocol !== 'file:') " +
      "navigator.serviceWorker.register('sw.js').catch(() => {});</script>",
  ].join('\n');
  const index = page({csp: "; manifest-src 'self'; worker-src 'self'", head});
  writeFileSync(join(args.site, 'index.html'), index);
  for (const size of [192, 512]) copyFileSync(join(args.res, `web/icon-${size}.png`), join(args.site, `icon-${size}.png`));
  copyFileSync(join(args.res, 'icons/hicolor/scalable/apps/zerkan-kutlesi.svg'), join(args.site, 'icon.svg'));
  const manifest = {
    name: 'Zerkan Kütlesi',
    short_name: 'Zerkan Kütlesi',
    description: 'Periyodik cetvel ve zerkan kütlesi hesaplayıcı',
    lang: 'tr',
    dir: 'ltr',
    start_url: './',
    scope: './',
    display: 'standalone',
    background_color: '#dfe4ea',
    theme_color: '#2b5797',
    icons: [
      {src: 'icon-192.png', sizes: '192x192', type: 'image/png'},
      {src: 'icon-512.png', sizes: '512x512', type: 'image/png'},
      {src: 'icon.svg', sizes: 'any', type: 'image/svg+xml'},
    ],
  };
  writeFileSync(join(args.site, 'manifest.webmanifest'), JSON.stringify(manifest, null, 2) + '\n');
  const files = ['./', 'index.html', 'manifest.webmanifest', 'icon-192.png', 'icon-512.png', 'icon.svg'];
  const version = createHash('sha256').update(index).digest('hex').slice(0, 16);
  writeFileSync(join(args.site, 'sw.js'), `'use strict';
// The page and its icons, kept for use without a network; a new page replaces the old cache.
const CACHE = 'zerkan-kutlesi-${version}';
const FILES = ${JSON.stringify(files)};
self.addEventListener('install', (event) => {
  event.waitUntil(caches.open(CACHE).then((cache) => cache.addAll(FILES)).then(() => self.skipWaiting()));
});
self.addEventListener('activate', (event) => {
  event.waitUntil(caches.keys()
    .then((keys) => Promise.all(keys.filter((key) => key !== CACHE).map((key) => caches.delete(key))))
    .then(() => self.clients.claim()));
});
self.addEventListener('fetch', (event) => {
  if (event.request.method !== 'GET') return;
  event.respondWith(caches.match(event.request, {ignoreSearch: true})
    .then((kept) => kept || fetch(event.request)));
});
`);
}
