// The browser edition's figures in headless Chromium, as a Markdown table:
//  - the single file's size, raw and gzipped;
//  - start-up: navigation start to the window ready for input (focus in the first list), the
//    page against the floor (a bare page with the three lists as <select>), in pairs of
//    navigations of one tab, alternating which goes first, each after a blank page;
//  - Ekle and Geri Al through a real click: the click's handler (core and page updates), the
//    renderer's busy time from the click to the end of the next frame's commit, and that
//    latency itself (which includes waiting for the frame), at 0 and 999 entries and at 1000
//    entries of the longest texts.
//
//   node page_bench.mjs --page zerkan-kutlesi.html --floor floor.html [--pairs 60] [--samples 15]

import {readFileSync} from 'node:fs';
import {pathToFileURL} from 'node:url';
import {parseArgs} from 'node:util';
import {gzipSync} from 'node:zlib';

import {launch} from '../../tests/web/chromium.mjs';
import {centreOf, Input} from '../../tests/web/input.mjs';

const {values: args} = parseArgs({options: {
  page: {type: 'string'}, floor: {type: 'string'}, pairs: {type: 'string', default: '60'},
  samples: {type: 'string', default: '15'},
}});
const pairs = Number(args.pairs);
const samples = Number(args.samples);

const median = (xs) => { const s = [...xs].sort((a, b) => a - b); const m = s.length >> 1; return s.length % 2 ? s[m] : (s[m - 1] + s[m]) / 2; };
const quantile = (xs, q) => { const s = [...xs].sort((a, b) => a - b); return s[Math.min(s.length - 1, Math.floor(q * s.length))]; };
const ms = (x) => x.toFixed(x < 10 ? 2 : 1);
const log = (text) => process.stderr.write(text + '\n');

const browser = await launch();

// ---- Size ------------------------------------------------------------------------------------
const bytes = readFileSync(args.page);
const size = {raw: bytes.length, gzip: gzipSync(bytes, {level: 9}).length};

// ---- Start-up ---------------------------------------------------------------------------------
const tab = await browser.newPage();
async function readyTime(file) {
  await tab.goto('about:blank');
  await tab.goto(pathToFileURL(file).href, {waitUntil: 'load'});
  await tab.waitForSelector('html[data-ready="true"]');
  return tab.evaluate(() => performance.getEntriesByName('zerkan-ready')[0].startTime);
}
log(`page bench: start-up, ${pairs} pairs`);
for (let i = 0; i < 3; ++i) { await readyTime(args.page); await readyTime(args.floor); }
const startup = {page: [], floor: [], ratio: []};
for (let i = 0; i < pairs; ++i) {
  const first = i % 2 ? 'floor' : 'page';
  const second = first === 'page' ? 'floor' : 'page';
  const a = await readyTime(args[first]);
  const b = await readyTime(args[second]);
  startup[first].push(a);
  startup[second].push(b);
  startup.ratio.push(first === 'page' ? a / b : b / a);
}

// ---- Actions ----------------------------------------------------------------------------------
// The molecule is built by the page's own handlers through its elements (a choice from the
// list, the count typed, Ekle): the same fixture as the desktop benchmarks.
function build(page, entries, longest) {
  return page.evaluate((entries, longest) => {
    const accepted = [...Array(112).keys()].filter((i) => ![1, 9, 17, 35, 53, 85].includes(i));
    const count = document.getElementById('CountField');
    for (let k = 0; k < entries; ++k) {
      const [element, n] = longest ? [108, 999999999] : [accepted[k % accepted.length], k % 12 + 1];
      document.getElementById(`NamePicker-${element}`).click();
      count.value = String(n);
      count.dispatchEvent(new Event('input', {bubbles: true}));
      document.getElementById('AddButton').click();
    }
    return document.getElementById('StepPrompt').textContent;
  }, entries, longest);
}

async function measureActions(label, entries, longest) {
  const context = await browser.createBrowserContext();
  const page = await context.newPage();
  await page.setViewport({width: 1280, height: 800});
  await page.goto(pathToFileURL(args.page).href, {waitUntil: 'load'});
  await page.waitForSelector('html[data-ready="true"]');
  const prompt = await build(page, entries, longest);
  if (prompt !== `${entries + 1}. Elementi Seçiniz.`) throw new Error(`the molecule was not built: ${prompt}`);
  // The handler's time: from the click reaching the window to its last listener.
  await page.evaluate(() => {
    window.handlerTimes = [];
    let start = 0;
    addEventListener('click', () => { start = performance.now(); }, true);
    addEventListener('click', () => { window.handlerTimes.push(performance.now() - start); });
  });
  const input = await Input.of(page);
  const add = await centreOf(page, '#AddButton');
  const undo = await centreOf(page, '#UndoButton');
  const idle = () => page.evaluate(() => new Promise((r) => setTimeout(r, 60)));
  const prepare = () => page.evaluate((longest) => {
    document.getElementById(`NamePicker-${longest ? 108 : 7}`).click();
    const count = document.getElementById('CountField');
    count.value = longest ? '999999999' : '2';
    count.dispatchEvent(new Event('input', {bubbles: true}));
  }, longest);
  await page.tracing.start({categories: ['devtools.timeline', 'disabled-by-default-devtools.timeline']});
  for (let i = 0; i < samples; ++i) {
    await prepare();
    await idle();
    await page.evaluate(() => { window.handlerTimes.length = 0; });
    await input.click(add.x, add.y).done();
    await idle();
    await input.click(undo.x, undo.y).done();
    await idle();
  }
  const trace = JSON.parse(Buffer.from(await page.tracing.stop()).toString());
  const handlers = await page.evaluate(() => window.handlerTimes);
  const prompt2 = await page.evaluate(() => document.getElementById('StepPrompt').textContent);
  await context.close();
  if (prompt2 !== `${entries + 1}. Elementi Seçiniz.`) throw new Error(`the molecule changed: ${prompt2}`);

  // Each click, the first frame committed after it, and the renderer's busy time between.
  const events = trace.traceEvents.filter((e) => e.ph === 'X');
  const clicks = events.filter((e) => e.name === 'EventDispatch' && e.args?.data?.type === 'click').sort((a, b) => a.ts - b.ts);
  const thread = clicks[0].tid;
  const mine = events.filter((e) => e.tid === thread);
  const commits = mine.filter((e) => e.name === 'Commit').sort((a, b) => a.ts - b.ts);
  const tasks = mine.filter((e) => e.name === 'RunTask');
  const result = {add: {handler: [], busy: [], latency: []}, undo: {handler: [], busy: [], latency: []}};
  clicks.forEach((click, i) => {
    const kind = i % 2 ? 'undo' : 'add';
    const commit = commits.find((c) => c.ts > click.ts + click.dur);
    if (!commit) return;
    const end = commit.ts + commit.dur;
    const busy = tasks.filter((t) => t.ts < end && t.ts + t.dur > click.ts)
      .reduce((sum, t) => sum + Math.min(end, t.ts + t.dur) - Math.max(click.ts, t.ts), 0);
    result[kind].busy.push(busy / 1000);
    result[kind].latency.push((end - click.ts) / 1000);
  });
  handlers.forEach((h, i) => result[i % 2 ? 'undo' : 'add'].handler.push(h));
  log(`page bench: ${label} done`);
  return result;
}

const states = [['0 entries', 0, false], ['999 entries', 999, false], ['1000 longest entries', 999, true]];
const actions = [];
for (const [label, entries, longest] of states) actions.push([label, await measureActions(label, entries, longest)]);
await browser.close();

// ---- Report -----------------------------------------------------------------------------------
const chromium = (await import('node:child_process')).execFileSync('/usr/bin/chromium', ['--version']).toString().trim();
const cpu = readFileSync('/proc/cpuinfo', 'utf8').match(/model name\s*:\s*(.*)/)?.[1] ?? '';
const spread = (xs) => `${ms(quantile(xs, 0.1))}–${ms(quantile(xs, 0.9))}`;
const out = [];
out.push(`Browser edition, ${new Date().toISOString().slice(0, 10)}, ${chromium} headless, ${cpu}, load ${readFileSync('/proc/loadavg', 'utf8').split(' ').slice(0, 3).join(' ')}`);
out.push('');
out.push('| single file | raw | gzip |');
out.push('|---|---|---|');
out.push(`| zerkan-kutlesi.html | ${(size.raw / 1024).toFixed(1)} KiB | ${(size.gzip / 1024).toFixed(1)} KiB |`);
out.push('');
out.push(`| start-up, navigation to ready for input (${pairs} pairs) | median | 10–90 % |`);
out.push('|---|---|---|');
out.push(`| floor: three <select> of 112 entries | ${ms(median(startup.floor))} ms | ${spread(startup.floor)} ms |`);
out.push(`| the page | ${ms(median(startup.page))} ms | ${spread(startup.page)} ms |`);
out.push(`| page / floor, per pair | ${median(startup.ratio).toFixed(2)} × | ${quantile(startup.ratio, 0.1).toFixed(2)}–${quantile(startup.ratio, 0.9).toFixed(2)} × |`);
out.push('');
out.push(`| action (${samples} clicks each, medians) | handler | busy until painted | click to painted |`);
out.push('|---|---|---|---|');
for (const [label, r] of actions) {
  for (const [name, key] of [['Ekle', 'add'], ['Geri Al', 'undo']]) {
    const x = r[key];
    out.push(`| ${name}, ${label} | ${ms(median(x.handler))} ms | ${ms(median(x.busy))} ms | ${ms(median(x.latency))} ms |`);
  }
}
console.log(out.join('\n'));
