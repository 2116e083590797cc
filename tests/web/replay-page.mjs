// zerkan-replay's scenario lines through the real page in headless Chromium: each gesture made
// with real mouse and key events, each message box read and dismissed with Enter, and after
// each line what the window shows, printed by the page's probe in the runner's own format.
//
//   node replay-page.mjs --page zerkan-probe.html [FILE]

import {readFileSync, statSync} from 'node:fs';
import {parseArgs} from 'node:util';

import {launch, openOffline} from './chromium.mjs';
import {centreOf, Input} from './input.mjs';

const MALFORMED = 1;
const USAGE = 2;

function fail(code, text) {
  process.stderr.write(`zerkan-replay: ${text}\n`);
  process.exit(code);
}

const {values: options, positionals} = parseArgs({options: {page: {type: 'string'}}, allowPositionals: true});
if (!options.page || positionals.length > 1) fail(USAGE, 'usage: replay-page.mjs --page PAGE [FILE]');
const path = positionals[0] ?? '-';
let input;
try {
  if (path !== '-' && statSync(path).isDirectory()) fail(USAGE, `"${path}" is a directory, not a scenario`);
  input = readFileSync(path === '-' ? 0 : path);
} catch (error) {
  if (error.code === 'EISDIR') fail(USAGE, 'standard input is a directory, not a scenario');
  fail(USAGE, `cannot open "${path}"`);
}

// Lines as getline gives them: split at each newline, none after a final one.
const lines = [];
for (let start = 0; start < input.length;) {
  let end = input.indexOf(0x0a, start);
  if (end < 0) end = input.length;
  lines.push(input.subarray(start, end));
  start = end + 1;
}

// The centres of the window's controls, which stay where the table puts them; a list's entries
// move with its scrolling and are looked up each time.
const centres = new Map();

const browser = await launch();
const output = [];
let status = 0;
try {
  const {page, errors} = await openOffline(browser, options.page);
  const input = await Input.of(page);
  // Every line read by the probe at once, with the runner's own parser.
  const events = await page.evaluate((all) => all.map((bytes) => {
    const at = zerkanProbe._malloc(bytes.length + 1);
    zerkanProbe.HEAPU8.set(bytes, at);
    const reply = zerkanProbe.ccall('zk_probe_parse', 'string', ['number', 'number'], [at, bytes.length]);
    zerkanProbe._free(at);
    return JSON.parse(reply);
  }), lines.map((bytes) => [...bytes]));

  for (let number = 1; number <= events.length; ++number) {
    const event = events[number - 1];
    if (event.blank) continue;
    if (event.error !== undefined) {
      process.stdout.write(output.join(''));
      output.length = 0;
      process.stderr.write(`zerkan-replay: line ${number}: ${event.error}\n`);
      status = MALFORMED;
      break;
    }
    await perform(page, input, event);
    output.push(await observe(page, input) + '\n');
    if (output.length >= 64) {
      process.stdout.write(output.join(''));
      output.length = 0;
    }
    if (errors.length > 0) throw new Error(errors.join('\n'));
  }
} catch (error) {
  process.stdout.write(output.join(''));
  output.length = 0;
  process.stderr.write(`zerkan-replay: ${error.stack || error}\n`);
  status = MALFORMED;
} finally {
  await browser.close();
}
process.stdout.write(output.join(''), () => process.exit(status));

async function centre(page, selector) {
  if (!centres.has(selector)) centres.set(selector, await centreOf(page, selector));
  return centres.get(selector);
}

async function perform(page, input, event) {
  const click = async (selector) => {
    const {x, y} = await centre(page, selector);
    input.click(x, y);
  };
  switch (event.ev) {
    case 'choose': {
      // The list opened with its arrow, the entry clicked.
      await click(`#${event.picker} + .arrow`);
      await input.done();
      const {x, y} = await centreOf(page, `#${event.picker}-${event.index}`);
      return input.click(x, y).done();
    }
    case 'type':
      return typeOver(page, input, `#${event.picker}`, event.text);
    case 'type_count':
      return typeOver(page, input, '#CountField', event.text);
    case 'click':
      await click(`#${event.button}`);
      return input.done();
    default:
      throw new Error(`no gesture for ${JSON.stringify(event)}`);
  }
}

// Clicks into the field, selects and erases its text and types the new one, key by key (a
// character no key makes comes as an input method sends it). An empty text is still an edit:
// a character is typed and erased.
async function typeOver(page, input, selector, text) {
  const {x, y} = await centre(page, selector);
  input.click(x, y).key('a', ['Control']);
  let empty = await page.$eval(selector, (e) => e.value === '');
  if (text === '' && empty) {
    input.type('x');
    empty = false;
  }
  if (!empty) input.key('Backspace');
  await input.type(text).done();
}

// Each message box read and dismissed with Enter, then the runner's line for the window.
async function observe(page, input) {
  const shown = [];
  for (;;) {
    const seen = await page.evaluate((shown) => {
      if (document.querySelector('[role="combobox"][aria-expanded="true"]')) return {open: true};
      const box = document.getElementById('messagebox');
      if (box.open) return {message: document.getElementById('messagebox-text').textContent};
      return {line: zerkanProbe.ccall('zk_probe_observe', 'string', ['string'], [JSON.stringify(shown)])};
    }, shown);
    if (seen.open) throw new Error('a list stayed open after the gesture');
    if (seen.line !== undefined) return seen.line;
    shown.push(seen.message);
    await input.key('Enter').done();
    // The box leaves the screen with the next frame; a click before it would land on the box.
    await page.evaluate(() => new Promise((resolve) => requestAnimationFrame(() => resolve())));
  }
}
