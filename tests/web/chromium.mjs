// The system's Chromium, headless, driven through puppeteer-core: what every page test, the
// scenario runner on the page, the benchmark and the screenshot share.

import {existsSync} from 'node:fs';
import {pathToFileURL} from 'node:url';

import puppeteer from 'puppeteer-core';

export const PHONE = {width: 360, height: 740, deviceScaleFactor: 2, isMobile: true, hasTouch: true};
export const DESKTOP = {width: 1280, height: 800, deviceScaleFactor: 1};

function chromiumPath() {
  for (const path of [process.env.CHROMIUM, '/usr/bin/chromium', '/usr/bin/chromium-browser']) {
    if (path && existsSync(path)) return path;
  }
  throw new Error('Chromium not found (install Debian\'s chromium, or set CHROMIUM)');
}

export async function launch() {
  return puppeteer.launch({
    executablePath: chromiumPath(),
    headless: true,
    // As root there is no sandbox; the page is our own file. Nothing reaches for the network.
    args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
      '--disable-background-networking', '--disable-component-update', '--disable-sync',
      '--disable-dev-shm-usage', '--font-render-hinting=none', '--lang=tr-TR'],
    env: {...process.env, LANG: 'tr_TR.UTF-8', TZ: 'UTC'},
  });
}

// Opens the file with every request but the file itself refused, and waits until the program
// is ready for input. Returns the page and the addresses it tried to reach. `prepare` runs in
// the page before any of its own scripts.
export async function openOffline(browser, file, viewport = DESKTOP, prepare = null) {
  const page = await browser.newPage();
  await page.setViewport(viewport);
  if (prepare) await page.evaluateOnNewDocument(prepare);
  const url = pathToFileURL(file).href;
  const refused = [];
  await page.setRequestInterception(true);
  page.on('request', (request) => {
    if (request.url() === url) request.continue();
    else if (request.url().startsWith('data:')) request.continue();
    else { refused.push(request.url()); request.abort('internetdisconnected'); }
  });
  const errors = [];
  page.on('pageerror', (error) => errors.push(String(error)));
  page.on('console', (message) => { if (message.type() === 'error') errors.push(message.text()); });
  await page.goto(url, {waitUntil: 'load'});
  await page.waitForSelector('html[data-ready="true"]', {timeout: 10000});
  return {page, refused, errors};
}
