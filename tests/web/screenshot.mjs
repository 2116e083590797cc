// The README's picture of the browser edition: the real page in headless Chromium at a phone's
// width, H2O composed by touch.
//
//   node screenshot.mjs PAGE OUT.png

import {launch, openOffline, PHONE} from './chromium.mjs';
import {centreOf, Input} from './input.mjs';

const [file, out] = process.argv.slice(2);
const browser = await launch();
try {
  const {page, errors} = await openOffline(browser, file, PHONE);
  const input = await Input.of(page);
  const tap = async (selector) => { const {x, y} = await centreOf(page, selector); await input.tap(x, y).done(); };
  await tap('#NamePicker + .arrow');
  await tap('#NamePicker-0');
  await tap('#CountField');
  await input.type('2').done();
  await tap('#AddButton');
  await tap('#NamePicker + .arrow');
  await tap('#NamePicker-7');
  await tap('#AddButton');
  await tap('#NamePicker + .arrow');
  await tap('#NamePicker-7');
  await page.evaluate(() => document.activeElement.blur());
  await page.evaluate(() => new Promise((r) => requestAnimationFrame(() => requestAnimationFrame(r))));
  if (errors.length) throw new Error(errors.join('\n'));
  const box = await page.$eval('#window', (e) => { const r = e.getBoundingClientRect(); return {x: 0, y: 0, width: innerWidth, height: Math.ceil(r.bottom + 8)}; });
  await page.screenshot({path: out, clip: box});
} finally {
  await browser.close();
}
