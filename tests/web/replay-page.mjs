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

const browser = await launch();
const output = [];
let status = 0;
try {
  const {page, errors} = await openOffline(browser, options.page);
  const input = await Input.of(page);
  const probe = (name, ...args) => page.evaluate((n, a) => zerkanProbe.ccall(n, 'string', a.map(() => 'string'), a), name, args);
  const parse = (bytes) => page.evaluate((b) => {
    const at = zerkanProbe._malloc(b.length + 1);
    zerkanProbe.HEAPU8.set(b, at);
    const reply = zerkanProbe.ccall('zk_probe_parse', 'string', ['number', 'number'], [at, b.length]);
    zerkanProbe._free(at);
    return JSON.parse(reply);
  }, [...bytes]);

  for (let number = 1; number <= lines.length; ++number) {
    const event = await parse(lines[number - 1]);
    if (event.blank) continue;
    if (event.error !== undefined) {
      process.stdout.write(output.join(''));
      output.length = 0;
      process.stderr.write(`zerkan-replay: line ${number}: ${event.error}\n`);
      status = MALFORMED;
      break;
    }
    await perform(page, input, event);
    const messages = await dismissMessages(page, input);
    output.push(await probe('zk_probe_observe', JSON.stringify(messages)) + '\n');
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

async function perform(page, input, event) {
  const click = async (selector) => {
    const {x, y} = await centreOf(page, selector);
    await input.click(x, y).done();
  };
  switch (event.ev) {
    case 'choose': {
      // The list opened with its arrow, the entry clicked.
      await click(`#${event.picker} + .arrow`);
      await click(`#${event.picker}-${event.index}`);
      const closed = await page.$eval(`#${event.picker}`, (e) => e.getAttribute('aria-expanded') === 'false');
      if (!closed) process.stderr.write(`choosing entry ${event.index} of ${event.picker} failed\n`);
      return;
    }
    case 'type':
      return typeOver(page, input, `#${event.picker}`, event.text);
    case 'type_count':
      return typeOver(page, input, '#CountField', event.text);
    case 'click':
      return click(`#${event.button}`);
    default:
      throw new Error(`no gesture for ${JSON.stringify(event)}`);
  }
}

// Clicks into the field, selects and erases its text and types the new one, key by key (a
// character no key makes comes as an input method sends it). An empty text is still an edit:
// a character is typed and erased.
async function typeOver(page, input, selector, text) {
  const {x, y} = await centreOf(page, selector);
  input.click(x, y).key('a', ['Control']);
  const empty = () => page.$eval(selector, (e) => e.value === '');
  if (text === '' && await empty()) input.type('x');
  if (!await empty()) input.key('Backspace');
  await input.type(text).done();
}

async function dismissMessages(page, input) {
  const shown = [];
  for (;;) {
    const text = await page.evaluate(() => {
      const box = document.getElementById('messagebox');
      return box.open ? document.getElementById('messagebox-text').textContent : null;
    });
    if (text === null) return shown;
    shown.push(text);
    await input.key('Enter').done();
    // The box leaves the screen with the next frame; a click before it would land on the box.
    await page.evaluate(() => new Promise((resolve) => requestAnimationFrame(() => resolve())));
  }
}
