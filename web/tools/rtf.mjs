// The read-me's RTF as HTML, for the page that shows it instead of a word processor. Reads
// the subset the read-me uses: paragraphs, bold, italic, the monospace font, colours, centred
// and indented paragraphs, list markers before a tab, and the named punctuation.

const SYMBOLS = {
  ldblquote: '“', rdblquote: '”', lquote: '‘', rquote: '’', endash: '–', emdash: '—',
  bullet: '•', tab: '\t', emspace: ' ', enspace: ' ',
};
const SKIPPED = new Set(['fonttbl', 'colortbl', 'stylesheet', 'info', 'pict', 'header', 'footer']);
const codePage = new TextDecoder('windows-1254');

const escape = (text) => text.replace(/&/g, '&amp;').replace(/</g, '&lt;').replace(/>/g, '&gt;');

export function rtfToHtml(rtf) {
  let title = '';
  const blocks = [];
  let runs = [];
  let group = {skip: false, title: false, bold: false, italic: false, mono: false, colour: 0, size: 24};
  const stack = [];
  let para = {centre: false, indent: 0, keep: false};

  const add = (text) => {
    if (group.title) { title += text; return; }
    if (group.skip) return;
    const last = runs[runs.length - 1];
    const style = {bold: group.bold, italic: group.italic, mono: group.mono, colour: group.colour, size: group.size};
    if (last && JSON.stringify(last.style) === JSON.stringify(style)) last.text += text;
    else runs.push({text, style});
  };

  const endParagraph = () => {
    const text = runs.map((r) => r.text).join('');
    const visible = runs.filter((r) => r.text.trim() !== '');
    const all = (key) => visible.length > 0 && visible.every((r) => r.style[key]);
    const size = Math.max(0, ...visible.map((r) => r.style.size));
    let kind = 'p';
    let body = runs;
    const marker = /^(\d+\.|•)\t/.exec(text);
    if (para.indent > 0 && marker) {
      kind = marker[1] === '•' ? 'ul' : 'ol';
      body = strip(runs, marker[0].length);
    } else if (para.keep && all('bold')) {
      kind = 'h3';
    } else if (para.centre && size >= 36) {
      kind = 'title';
    } else if (para.centre && all('italic')) {
      kind = 'credit';
    } else if (para.centre) {
      kind = 'subtitle';
    }
    const plain = kind === 'h3' || kind === 'title';
    const html = body.map((r) => inline(r, plain)).join('').replace(/\t/g, ' ');
    if (text.trim() !== '') blocks.push({kind, html});
    runs = [];
  };

  let i = 0;
  while (i < rtf.length) {
    const c = rtf[i];
    if (c === '{') { stack.push(group); group = {...group}; ++i; continue; }
    if (c === '}') { group = stack.pop() || group; ++i; continue; }
    if (c === '\r' || c === '\n') { ++i; continue; }
    if (c !== '\\') { add(c); ++i; continue; }
    const next = rtf[i + 1];
    if (next === "'") {
      add(codePage.decode(Uint8Array.of(parseInt(rtf.substr(i + 2, 2), 16))));
      i += 4;
      continue;
    }
    if (!/[a-z]/i.test(next)) {
      if (next === '*') group.skip = true;
      else if (next === '~') add('\u00a0');
      else if (next === '_') add('\u2011');
      else if (next !== '-') add(next);
      i += 2;
      continue;
    }
    const m = /^([a-z]+)(-?\d+)? ?/i.exec(rtf.slice(i + 1, i + 40));
    i += 1 + m[0].length;
    const word = m[1];
    const value = m[2] === undefined ? null : Number(m[2]);
    if (SKIPPED.has(word)) group.skip = true;
    else if (word === 'title') group.title = true;
    else if (word in SYMBOLS) add(SYMBOLS[word]);
    else if (word === 'par') endParagraph();
    else if (word === 'line') add('\n');
    else if (word === 'pard') para = {centre: false, indent: 0, keep: false};
    else if (word === 'qc') para.centre = true;
    else if (word === 'li') para.indent = value;
    else if (word === 'keepn') para.keep = true;
    else if (word === 'b') group.bold = value !== 0;
    else if (word === 'i') group.italic = value !== 0;
    else if (word === 'plain') Object.assign(group, {bold: false, italic: false, mono: false, colour: 0});
    else if (word === 'f') group.mono = value === 1;
    else if (word === 'cf') group.colour = value;
    else if (word === 'fs') group.size = value;
  }
  if (runs.some((r) => r.text.trim() !== '')) endParagraph();
  return {title: title.trim(), html: toHtml(blocks)};
}

function strip(runs, count) {
  const out = [];
  for (const r of runs) {
    const cut = Math.min(count, r.text.length);
    count -= cut;
    if (r.text.length > cut) out.push({...r, text: r.text.slice(cut)});
  }
  return out;
}

function inline(run, plain) {
  let html = escape(run.text).replace(/\n/g, '<br>');
  if (run.style.mono) html = `<code>${html}</code>`;
  if (run.style.italic && !plain) html = `<em>${html}</em>`;
  if (run.style.bold && !plain) html = `<strong>${html}</strong>`;
  if (run.style.colour === 2) html = `<span class="warn">${html}</span>`;
  return html;
}

function toHtml(blocks) {
  const out = [];
  let list = null;
  for (const b of blocks) {
    if (list && b.kind !== list) { out.push(`</${list}>`); list = null; }
    if (b.kind === 'ul' || b.kind === 'ol') {
      if (!list) { out.push(`<${b.kind}>`); list = b.kind; }
      out.push(`<li>${b.html.trim()}</li>`);
    } else if (b.kind === 'h3') {
      out.push(`<h3>${b.html.trim()}</h3>`);
    } else if (b.kind === 'p') {
      out.push(`<p>${b.html.trim()}</p>`);
    } else {
      out.push(`<p class="${b.kind}">${b.html.trim()}</p>`);
    }
  }
  if (list) out.push(`</${list}>`);
  return out.join('\n');
}
