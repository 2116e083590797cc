// The page's own cases, in the system's headless Chromium: offline, by keyboard, mouse and
// touch, the menu, the boxes, ending and starting again, the layout at a phone's and a
// desktop's width at every step, the names a screen reader hears, and axe-core's rules.
//
//   node --test page_test.mjs   (ZERKAN_WEB_BUILD names the web build, build/web by default;
//                                ZERKAN_PAGE_GROUP runs one group)

import assert from 'node:assert/strict';
import {readFileSync} from 'node:fs';
import {createServer} from 'node:http';
import {createRequire} from 'node:module';
import {dirname, join} from 'node:path';
import {after, before, describe, test} from 'node:test';
import {fileURLToPath} from 'node:url';

import {DESKTOP, launch, openOffline, PHONE} from './chromium.mjs';
import {centreOf, Input} from './input.mjs';

const here = dirname(fileURLToPath(import.meta.url));
const build = process.env.ZERKAN_WEB_BUILD || join(here, '../../build/web');
const PAGE = join(build, 'zerkan-kutlesi.html');
const PROBE = join(build, 'tests/web/zerkan-probe.html');
const axeSource = readFileSync(createRequire(import.meta.url).resolve('axe-core/axe.min.js'), 'utf8');

// One group of cases, or every group when none is asked for.
function group(name, cases) {
  const only = process.env.ZERKAN_PAGE_GROUP;
  if (!only || only === name) describe(name, cases);
}

let browser;
before(async () => { browser = await launch(); });
after(async () => { await browser?.close(); });

// A fresh program on the page, with the tools every case uses.
async function open(file = PAGE, viewport = DESKTOP, prepare = null) {
  const {page, refused, errors} = await openOffline(browser, file, viewport, prepare);
  const input = await Input.of(page);
  const at = async (selector) => centreOf(page, selector);
  return {
    page, input, refused, errors,
    click: async (selector) => { const {x, y} = await at(selector); await input.click(x, y).done(); },
    tap: async (selector) => { const {x, y} = await at(selector); await input.tap(x, y).done(); },
    keys: async (...names) => { for (const n of names) input.key(...[].concat(n)); await input.done(); },
    type: async (text) => input.type(text).done(),
    value: (selector) => page.$eval(selector, (e) => (e instanceof HTMLInputElement ? e.value : e.textContent)),
    focused: () => page.evaluate(() => document.activeElement?.id || document.activeElement?.textContent),
    openBox: () => page.evaluate(() => document.querySelector('dialog[open]')?.id ?? null),
    frame: () => page.evaluate(() => new Promise((r) => requestAnimationFrame(() => requestAnimationFrame(r)))),
    close: () => page.close(),
  };
}

async function results(w) {
  return {
    mass: await w.value('#MolecularMassBox'), formula: await w.value('#FormulaBox'),
    contents: await w.value('#ContentsBox'), prompt: await w.value('#StepPrompt'),
  };
}
const H2O = {mass: '18.01528', formula: 'H2O', contents: '2 Hidrojen, 1 Oksijen ', prompt: '3. Elementi Seçiniz.'};

// H2O by mouse: each element from a list, the count typed, Ekle clicked.
async function composeWithMouse(w) {
  await w.click('#NamePicker + .arrow');
  await w.click('#NamePicker-0');
  await w.click('#CountField');
  await w.type('2');
  await w.click('#AddButton');
  await w.click('#SymbolPicker + .arrow');
  await w.click('#SymbolPicker-7');
  await w.click('#AddButton');
}

group('composing H2O', () => {
  test('by mouse, from the single file with the network refused', async () => {
    const w = await open();
    await composeWithMouse(w);
    assert.deepEqual(await results(w), H2O);
    assert.deepEqual(w.refused, [], 'the page asked for nothing beyond itself');
    assert.deepEqual(w.errors, []);
    await w.close();
  });

  test('where the browser compiles the program only in the background', async () => {
    const w = await open(PAGE, DESKTOP, () => {
      WebAssembly.Module = function () { throw new RangeError('not on this thread'); };
    });
    await composeWithMouse(w);
    assert.deepEqual(await results(w), H2O);
    assert.deepEqual(w.errors, []);
    await w.close();
  });

  test('by keyboard alone: lists opened and chosen with keys, mnemonics, Tab', async () => {
    const w = await open();
    assert.equal(await w.focused(), 'NumberPicker', 'the focus starts in the first picker');
    // Alt+Down opens the list, Down walks it, Enter chooses.
    await w.keys(['ArrowDown', ['Alt']], 'ArrowDown', 'Enter');
    assert.equal(await w.value('#NamePicker'), 'Hidrojen');
    await w.keys('Tab', 'Tab', 'Tab', 'Tab');
    assert.equal(await w.focused(), 'CountField');
    await w.type('2');
    await w.keys(['e', ['Alt']]);
    assert.equal(await w.value('#CountField'), '', 'Alt+E pressed Ekle; its letter did not land in the field');
    // Typed text and Ekle straight away: the program resolves it.
    await w.keys(['Tab', ['Shift']], ['Tab', ['Shift']]);
    assert.equal(await w.focused(), 'SymbolPicker');
    await w.type('O');
    await w.keys(['e', ['Alt']]);
    assert.deepEqual(await results(w), H2O);
    await w.keys(['g', ['Alt']]);
    assert.equal(await w.value('#FormulaBox'), 'H2');
    await w.keys(['s', ['Alt']]);
    assert.equal(await w.value('#StepPrompt'), '1. Elementi Seçiniz.');
    await w.close();
  });

  test('by touch at a phone\'s width', async () => {
    const w = await open(PAGE, PHONE);
    await w.tap('#NamePicker + .arrow');
    assert.notEqual(await w.focused(), 'NamePicker', 'a finger opens the list without the on-screen keyboard');
    await w.tap('#NamePicker-0');
    await w.tap('#CountField');
    await w.type('2');
    await w.tap('#AddButton');
    await w.tap('#NumberPicker + .arrow');
    await w.tap('#NumberPicker-7');
    await w.tap('#AddButton');
    assert.deepEqual(await results(w), H2O);
    await w.close();
  });
});

group('the site', () => {
  test('served, it installs as an app and opens again with the network gone', async () => {
    const site = join(build, 'site');
    const types = {html: 'text/html', js: 'text/javascript', webmanifest: 'application/manifest+json', png: 'image/png', svg: 'image/svg+xml'};
    const server = createServer((request, response) => {
      const name = new URL(request.url, 'http://x').pathname.slice(1) || 'index.html';
      try {
        const body = readFileSync(join(site, name));
        response.writeHead(200, {'content-type': types[name.split('.').pop()] ?? 'application/octet-stream'});
        response.end(body);
      } catch {
        response.writeHead(404).end();
      }
    });
    await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
    const url = `http://127.0.0.1:${server.address().port}/`;
    const page = await browser.newPage();
    try {
      await page.goto(url, {waitUntil: 'load'});
      await page.waitForSelector('html[data-ready="true"]');
      // What the browser read from the manifest, and the icons it names.
      const cdp = await page.createCDPSession();
      const {errors, data} = await cdp.send('Page.getAppManifest');
      assert.deepEqual(errors, []);
      const manifest = JSON.parse(data);
      assert.equal(manifest.name, 'Zerkan Kütlesi');
      assert.equal(manifest.display, 'standalone');
      for (const icon of manifest.icons) assert.equal((await fetch(new URL(icon.src, url))).status, 200, icon.src);
      assert.deepEqual(manifest.icons.map((i) => i.sizes), ['192x192', '512x512', 'any']);
      await page.evaluate(() => navigator.serviceWorker.ready);
      // The offline cache holds the page once its worker controls it.
      await page.reload({waitUntil: 'load'});
      await page.evaluate(() => navigator.serviceWorker.controller !== null || new Promise((resolve) =>
        navigator.serviceWorker.addEventListener('controllerchange', resolve)));
      await page.setOfflineMode(true);
      await page.reload({waitUntil: 'load'});
      await page.waitForSelector('html[data-ready="true"]');
      const input = await Input.of(page);
      const w = {page, input, click: async (s) => { const {x, y} = await centreOf(page, s); await input.click(x, y).done(); },
        type: (t) => input.type(t).done(), value: (s) => page.$eval(s, (e) => (e instanceof HTMLInputElement ? e.value : e.textContent))};
      await composeWithMouse(w);
      assert.deepEqual(await results(w), H2O);
    } finally {
      await page.close();
      server.close();
    }
  });
});

group('pickers and fields', () => {
  test('a typed character the program cannot hold shows as "?"; the count field takes digits only', async () => {
    const w = await open();
    await w.click('#NamePicker');
    await w.type('İyod日');
    assert.equal(await w.value('#NamePicker'), 'İyod?');
    await w.click('#CountField');
    await w.type('1a2-3 4567890123');
    assert.equal(await w.value('#CountField'), '123456789');
    await w.close();
  });

  test('keys typed faster than frames: each lands where it was typed, each Alt+E adds', async () => {
    const w = await open();
    w.input.type('6').key('e', ['Alt']).type('8').key('e', ['Alt']).type('12').key('e', ['Alt']);
    await w.input.done();
    assert.deepEqual(await results(w), {mass: '52.3154', formula: 'COMg', contents: '1 Karbon, 1 Oksijen, 1 Magnezyum ',
      prompt: '4. Elementi Seçiniz.'});
    await w.close();
  });

  test('the result boxes: read-only, selected by keyboard and mouse, copied', async () => {
    const w = await open();
    await composeWithMouse(w);
    const inField = () => { const e = document.activeElement; return e.value.slice(e.selectionStart, e.selectionEnd); };
    await w.page.evaluate(`document.addEventListener('copy', () => { window.copied = (${inField})(); })`);
    const selected = () => w.page.evaluate(inField);
    await w.click('#ContentsBox');
    assert.equal(await w.focused(), 'ContentsBox');
    await w.keys(['a', ['Control']], ['c', ['Control']]);
    assert.equal(await w.page.evaluate(() => window.copied), '2 Hidrojen, 1 Oksijen ');
    await w.keys('End', ['Home', ['Shift']]);
    assert.equal(await selected(), '2 Hidrojen, 1 Oksijen ');
    await w.keys('Home', ['ArrowRight', ['Control', 'Shift']], ['ArrowRight', ['Shift']]);
    assert.equal(await selected(), '2 H');
    await w.keys(['ArrowLeft', ['Shift']], 'ArrowLeft', ['End', ['Shift']]);
    assert.equal(await selected(), '2 Hidrojen, 1 Oksijen ');
    await w.type('x');
    await w.keys('Backspace');
    assert.equal(await w.value('#ContentsBox'), '2 Hidrojen, 1 Oksijen ', 'nothing typed lands in it');
    const {x, y} = await w.page.$eval('#FormulaBox', (e) => { const r = e.getBoundingClientRect(); return {x: r.left + 10, y: r.top + r.height / 2}; });
    await w.input.click(x, y, 1).click(x, y, 2).done();
    assert.equal(await selected(), 'H2O', 'a double click selects the word');
    await w.close();
  });

  test('a drop changes nothing: no text lands in a field, no file replaces the page', async () => {
    const w = await open();
    const {x, y} = await centreOf(w.page, '#NamePicker');
    const url = w.page.url();
    for (const data of [{items: [{mimeType: 'text/plain', data: 'Oksijen'}], dragOperationsMask: 1},
      {items: [], files: ['/etc/hostname'], dragOperationsMask: 1}]) {
      for (const type of ['dragEnter', 'dragOver', 'drop'])
        w.input.send('Input.dispatchDragEvent', {type, x, y, data});
      await w.input.done();
    }
    assert.equal(w.page.url(), url);
    assert.equal(await w.value('#NamePicker'), '');
    assert.equal(await w.value('#StepPrompt'), '1. Elementi Seçiniz.');
    await w.close();
  });

  test('Escape closes an open list first, and Enter without a highlighted entry only closes it', async () => {
    const w = await open();
    await w.keys(['ArrowDown', ['Alt']]);
    assert.equal(await w.page.$eval('#NumberPicker', (e) => e.getAttribute('aria-expanded')), 'true');
    assert.equal(await w.page.$eval('#NumberPicker-list', (e) => e.hidden), false);
    await w.keys('Escape');
    assert.equal(await w.page.$eval('#NumberPicker-list', (e) => e.hidden), true, 'a closed list leaves the accessibility tree');
    assert.equal(await w.page.$eval('#program', (e) => e.hidden), false, 'the program still runs');
    await w.close();
  });
});

group('message boxes, About, read-me', () => {
  test('a refusal is a modal box with the program\'s title and text; focus goes back afterwards', async () => {
    const w = await open();
    await w.click('#AddButton');
    assert.equal(await w.openBox(), 'messagebox');
    assert.equal(await w.value('#messagebox-title'), 'Zerkan Kütlesi');
    assert.equal(await w.value('#messagebox-text'), 'Hiçbir element seçmediniz. Lütfen bir element seçiniz');
    assert.equal(await w.focused(), 'messagebox-ok');
    assert.equal(await w.value('#messagebox-ok'), 'Tamam');
    await w.keys(['e', ['Alt']]);
    assert.equal(await w.value('#StepPrompt'), '1. Elementi Seçiniz.', 'the window behind takes no input');
    await w.keys('Enter');
    assert.equal(await w.openBox(), null);
    assert.equal(await w.focused(), 'AddButton');
    await w.close();
  });

  test('the accept action\'s refusal puts the focus in the failing field with its text selected', async () => {
    const w = await open();
    await w.click('#CountField');
    await w.type('0');
    await w.keys('Enter');
    assert.equal(await w.value('#messagebox-text'), 'Lütfen 1 ile 2147483647 arasında bir tam sayı girin.');
    await w.keys('Enter');
    assert.equal(await w.focused(), 'CountField');
    assert.deepEqual(await w.page.$eval('#CountField', (e) => [e.selectionStart, e.selectionEnd]), [0, 1]);
    await w.close();
  });

  test('the menu by keyboard: F10, arrows, Enter; About and the read-me, and F1', async () => {
    const w = await open();
    await w.keys('F10', 'ArrowRight', 'ArrowDown');
    assert.equal(await w.focused(), 'Yardım');
    await w.keys('ArrowDown', 'Enter');
    assert.equal(await w.openBox(), 'about');
    assert.equal(await w.value('#about-title'), 'Zerkan Kütlesi Hakkında');
    assert.equal(await w.value('#about-VersionLine'), 'Zerkan Kütlesi Programı Sürüm 3.0');
    assert.equal(await w.focused(), 'about-OkButton');
    await w.keys('Escape');
    assert.equal(await w.openBox(), null);
    assert.equal(await w.focused(), 'NumberPicker', 'the focus is back where it was in the window');
    await w.keys('F1');
    assert.equal(await w.openBox(), 'readme');
    const text = await w.value('#readme-text');
    for (const shown of ['Zerkan oluşturma adım adım', 'Zerkana en fazla 1000 element eklenebilir.',
      'Girdiğiniz veriye uyan bir element bulunamadı!', '“1. Elementi Seçtiniz.”'])
      assert.ok(text.includes(shown), shown);
    assert.doesNotMatch(text, /[\\{}]/, 'no RTF left in the text');
    await w.keys('Enter');
    assert.equal(await w.openBox(), null);
    await w.close();
  });
});

group('ending and starting again', () => {
  const ways = [
    ['Escape', async (w) => w.keys('Escape')],
    ['Dosya > Çık', async (w) => { await w.click('#menu-file'); await w.click('[data-command="exit"]'); }],
    ['Enter with a valid count, an element and a mass', async (w) => {
      await w.click('#NumberPicker + .arrow');
      await w.click('#NumberPicker-5');
      await w.click('#CountField');
      await w.type('1');
      await w.keys('Enter');
    }],
  ];
  for (const [way, end] of ways) {
    test(`${way} ends the program; starting again is a fresh program`, async () => {
      const w = await open();
      await composeWithMouse(w);
      await end(w);
      assert.equal(await w.page.$eval('#program', (e) => e.hidden), true);
      assert.equal(await w.page.$eval('#ended', (e) => e.hidden), false);
      assert.equal(await w.focused(), 'restart');
      await w.keys('Enter');
      assert.deepEqual(await results(w), {mass: '', formula: '', contents: '', prompt: '1. Elementi Seçiniz.'});
      assert.equal(await w.focused(), 'NumberPicker');
      await composeWithMouse(w);
      assert.deepEqual(await results(w), H2O);
      await w.close();
    });
  }
});

group('what a screen reader hears', () => {
  test('every control is named by its caption, whatever it holds; results are announced', async () => {
    const w = await open();
    const names = async () => {
      const tree = await w.page.accessibility.snapshot({interestingOnly: true});
      const found = {};
      (function walk(node) {
        if (['combobox', 'textbox', 'button'].includes(node.role)) found[node.name] = node.role;
        for (const child of node.children ?? []) walk(child);
      })(tree);
      return found;
    };
    await composeWithMouse(w);
    await w.click('#NamePicker + .arrow');
    await w.click('#NamePicker-5');
    const heard = await names();
    for (const [name, role] of [['Atom Numarası', 'combobox'], ['Element', 'combobox'], ['Sembol', 'combobox'],
      ['3. Elementin Adedi', 'textbox'], ['Zerkan Kütlesi', 'textbox'], ['Zerkan İçeriği', 'textbox'],
      ['Zerkan Formülü', 'textbox'], ['Geri Al', 'button'], ['Ekle', 'button'], ['Sıfırla', 'button'], ['ara', 'button'],
      ['Element listesi', 'button']])
      assert.equal(heard[name], role, `${role} "${name}"`);
    assert.equal(await w.page.$eval('html', (e) => e.lang), 'tr');
    await w.click('#AddButton');
    assert.equal(await w.value('#live'), 'Zerkan Kütlesi: 30.02628. Zerkan Formülü: H2OC. 4. Elementi Seçiniz.\u00a0');
    await w.close();
  });

  test('Tab visits the controls in the window\'s order', async () => {
    const w = await open();
    const order = [];
    for (let i = 0; i < 8; ++i) {
      order.push(await w.focused());
      await w.keys('Tab');
    }
    assert.deepEqual(order, ['NumberPicker', 'NamePicker', 'SymbolPicker', 'SearchButton', 'CountField',
      'UndoButton', 'AddButton', 'ResetButton']);
    await w.close();
  });

  const states = [
    ['at the start', async () => {}],
    ['with H2O composed', composeWithMouse],
    ['with a message box open', (w) => w.click('#AddButton')],
    ['with the About box open', async (w) => { await w.click('#menu-help'); await w.click('[data-command="about"]'); }],
  ];
  for (const viewport of [DESKTOP, PHONE]) {
    for (const [state, reach] of states) {
      test(`axe-core finds nothing ${state} at ${viewport.width} px`, async () => {
        const w = await open(PAGE, viewport);
        await reach(w);
        await w.page.evaluate(axeSource);
        const found = await w.page.evaluate(async () => {
          const result = await axe.run(document, {runOnly: {type: 'tag', values: ['wcag2a', 'wcag2aa', 'wcag21a', 'wcag21aa']}});
          return result.violations.map((v) => `${v.id}: ${v.nodes.map((n) => n.target.join(' ')).join(', ')}`);
        });
        assert.deepEqual(found, []);
        await w.close();
      });
    }
  }
});

group('layout', () => {
  // Every caption and line whole, nothing overlapping but the frames, the window within the
  // viewport, every target at least 24 x 24; at each step, for every element.
  for (const viewport of [PHONE, DESKTOP]) {
    for (const step of [1, 10, 100, 1000]) {
      test(`every text whole at ${viewport.width} px, step ${step}, every element shown`, async () => {
        const w = await open(PROBE, viewport);
        const faults = await w.page.evaluate((step) => {
          const apply = (line) => zerkanProbe.ccall('zk_probe_apply', 'string', ['string'], [line]);
          for (let i = 1; i < step; ++i) {
            apply('{"ev":"choose","picker":"NamePicker","index":108}');
            apply('{"ev":"type_count","text":"999999999"}');
            apply('{"ev":"click","button":"AddButton"}');
          }
          const faults = new Set();
          const client = document.getElementById('client');
          const area = client.getBoundingClientRect();
          const controls = [...client.children].filter((e) => !e.hidden && !e.classList.contains('frame'));
          if (document.documentElement.scrollWidth > innerWidth) faults.add('the page scrolls sideways');
          for (let index = 0; index < 112; ++index) {
            apply(`{"ev":"choose","picker":"NumberPicker","index":${index}}`);
            const boxes = controls.filter((e) => !e.hidden).map((e) => [e, e.getBoundingClientRect()]);
            for (const [e, r] of boxes) {
              const name = e.id || e.querySelector('input')?.id;
              if (e.scrollWidth > e.clientWidth + 1 && !e.matches('input, .picker')) faults.add(`${name} cut at element ${index}: ${e.textContent}`);
              if (r.left < area.left - 0.5 || r.right > area.right + 0.5 || r.bottom > area.bottom + 0.5) faults.add(`${name} outside the window`);
              for (const [f, q] of boxes) {
                if (e !== f && r.left < q.right - 0.5 && q.left < r.right - 0.5 && r.top < q.bottom - 0.5 && q.top < r.bottom - 0.5)
                  faults.add(`${name} overlaps ${f.id || f.querySelector('input')?.id}`);
              }
              if (e.matches('button, .picker, input:not([readonly])') && (r.width < 24 || r.height < 24)) faults.add(`${name} smaller than 24 px`);
            }
            if (document.getElementById('NumberPicker').scrollLeft !== 0) faults.add(`number ${index} not shown from its start`);
          }
          return [...faults];
        }, step);
        assert.deepEqual(faults, []);
        if (step === 1000) assert.equal(await w.value('#StepPrompt'), '1000. Elementi Seçtiniz.');
        await w.close();
      });
    }
  }
});
