import {launch} from './chromium.mjs';
import {pathToFileURL} from 'node:url';
const browser = await launch();
const tab = await browser.newPage();
for (const file of process.argv.slice(2)) {
const all = {};
for (let i = 0; i < 31; ++i) {
  await tab.goto('about:blank');
  await tab.goto(pathToFileURL(file).href);
  await tab.waitForSelector('html[data-ready="true"]');
  const marks = await tab.evaluate(() => { const n = performance.getEntriesByType('navigation')[0]; return [['responseEnd', n.responseEnd], ['domInteractive', n.domInteractive], ...performance.getEntriesByType('mark').map(m => [m.name, m.startTime])]; });
  for (const [k, v] of marks) (all[k] ||= []).push(v);
}
for (const k in all) { const s = all[k].sort((a, b) => a - b); console.log(k.padEnd(16), s[s.length >> 1].toFixed(1)); }
}
await browser.close();
