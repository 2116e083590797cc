'use strict';
// The page's side of the window. It builds the elements from the program's one table of
// controls, gives each the behaviour of its desktop kind, and hands every user event to the
// program, whose handlers write the elements back through `page` below. No logic of the
// program lives here.

(() => {
  const Kind = {Picker: 0, Button: 1, DefaultButton: 2, Edit: 3, ReadOnlyBox: 4, Label: 5,
                CenteredLabel: 6, Frame: 7, Picture: 8};
  const LETTERS = 'ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz';
  // The shortest control is 14 dialog units tall; it must stay a 24-pixel target.
  const MIN_UNIT_Y = 24 / 14;
  const MAX_FONT_PX = 15;
  const PICKER_TEXT_LIMIT = 1 << 20;
  const $ = (id) => document.getElementById(id);

  let program = null;    // the WebAssembly module
  let layout = null;     // both dialogs, the pickers' entries, the code page
  let keepable = null;   // the characters the program's texts can hold
  const byId = new Map();     // control id -> element
  const byName = new Map();   // member name -> element
  const selected = new Map(); // picker id -> selected entry, -1 for none
  let ended = false;

  // ---- Texts ------------------------------------------------------------------------------

  // A typed character the code page lacks becomes '?', as in the desktop windows, so that
  // the field shows exactly what the program reads.
  function fitCodePage(text) {
    let out = '';
    for (const ch of text) out += keepable.has(ch) ? ch : '?';
    return out;
  }

  function mnemonicOf(text) {
    const at = text.indexOf('&');
    return at >= 0 && at + 1 < text.length ? text[at + 1] : '';
  }

  function setCaption(element, text) {
    const at = text.indexOf('&');
    if (at < 0 || at + 1 >= text.length) {
      element.textContent = text;
      return;
    }
    const key = document.createElement('u');
    key.textContent = text[at + 1];
    element.replaceChildren(text.slice(0, at), key, text.slice(at + 2));
  }

  // ---- Dialog units -----------------------------------------------------------------------

  // Base units of the page font at 100 px: the average advance of the 52 letters, and the
  // height of a line. Measured on a canvas, which needs no layout of the page.
  let fontRatio = null;
  function measureFont() {
    const style = getComputedStyle(document.body);
    const context = document.createElement('canvas').getContext('2d');
    context.font = `100px ${style.fontFamily}`;
    const metrics = context.measureText(LETTERS);
    const height = metrics.fontBoundingBoxAscent + metrics.fontBoundingBoxDescent;
    fontRatio = {cx: metrics.width / 52 / 100, cy: (height > 0 ? height : 115) / 100};
  }

  // The font size at which a dialog of `widthUnits` fits `room` pixels, at most MAX_FONT_PX.
  function unitsFor(widthUnits, room) {
    const fit = (room * 4) / (widthUnits * fontRatio.cx);
    const size = Math.min(MAX_FONT_PX, fit);
    const cx = size * fontRatio.cx;
    const cy = Math.max(size * fontRatio.cy, 8 * MIN_UNIT_Y);
    return {size, cx, cy,
      x: (u) => Math.round((u * cx) / 4),
      y: (u) => Math.round((u * cy) / 8)};
  }

  function roomFor(dialog) {
    return Math.max(200, document.documentElement.clientWidth - 2 * 8 - (dialog ? 2 : 0));
  }

  function place(element, row, units) {
    const s = element.style;
    s.left = units.x(row.x) + 'px';
    s.top = units.y(row.y) + 'px';
    s.width = units.x(row.w) + 'px';
    // A picker's height includes its dropped list; the closed box is as tall as a field.
    s.height = units.y(row.kind === Kind.Picker ? 14 : row.h) + 'px';
  }

  function layOut(client, dialog, rows, room) {
    const units = unitsFor(dialog.w, room);
    client.style.fontSize = units.size + 'px';
    client.style.lineHeight = units.cy + 'px';
    client.style.width = units.x(dialog.w) + 'px';
    client.style.height = units.y(dialog.h) + 'px';
    for (const [row, element] of rows) place(element, row, units);
    requestAnimationFrame(() => growToText(rows));
    return units;
  }

  // A caption grows to its text rather than being cut, as the desktop window lets it (a
  // phone's own font or its smallest font size may be wider than the table allows for). Done
  // before the first frame is drawn; every width is read before any is written, so the page
  // is laid out once.
  function growToText(rows) {
    const labels = rows.filter(([row]) => row.kind === Kind.Label || row.kind === Kind.CenteredLabel);
    const needed = labels.map(([, element]) => element.scrollWidth - element.clientWidth);
    labels.forEach(([row, element], i) => {
      if (needed[i] <= 0) return;
      if (row.kind === Kind.CenteredLabel)
        element.style.left = (parseFloat(element.style.left) - Math.ceil(needed[i] / 2)) + 'px';
      element.style.width = (parseFloat(element.style.width) + needed[i]) + 'px';
    });
  }

  // ---- Building the elements --------------------------------------------------------------

  // The caption that names a control, as the table gives it.
  function captionFor(row, prefix) {
    return row.caption ? {id: prefix + row.caption} : null;
  }

  // Alt+letter of the main window's buttons, by the key's code: on a Mac, Option+E types a
  // character of its own, but the key is still E.
  const mnemonics = new Map();

  function makeButton(row, onPress, prefix) {
    const button = document.createElement('button');
    button.type = 'button';
    setCaption(button, row.text);
    const key = mnemonicOf(row.text).toUpperCase();
    if (key) {
      button.setAttribute('aria-keyshortcuts', 'Alt+' + key);
      if (prefix === '') mnemonics.set('Key' + key, row.id);
    }
    button.addEventListener('click', onPress);
    return button;
  }

  function makePicker(row, caption) {
    const holder = document.createElement('div');
    holder.className = 'picker';
    const input = document.createElement('input');
    const list = document.createElement('ul');
    const arrow = document.createElement('button');
    input.type = 'text';
    input.id = row.name;
    input.setAttribute('role', 'combobox');
    input.setAttribute('aria-autocomplete', 'none');
    input.setAttribute('aria-expanded', 'false');
    input.setAttribute('aria-controls', list.id = row.name + '-list');
    if (caption) input.setAttribute('aria-labelledby', caption.id);
    else input.setAttribute('aria-label', row.accessible);
    input.autocomplete = 'off';
    input.spellcheck = false;
    input.setAttribute('autocapitalize', 'off');
    input.maxLength = PICKER_TEXT_LIMIT;
    arrow.type = 'button';
    arrow.className = 'arrow';
    arrow.tabIndex = -1;
    arrow.setAttribute('aria-label', row.accessible + ' listesi');
    arrow.setAttribute('aria-controls', list.id);
    arrow.setAttribute('aria-expanded', 'false');
    list.setAttribute('role', 'listbox');
    list.setAttribute('aria-label', row.accessible);
    list.tabIndex = -1;
    list.hidden = true;
    const entries = layout.entries[row.id];
    list.innerHTML = entries.map((text, i) =>
      `<li role="option" id="${row.name}-${i}" data-index="${i}" aria-selected="false">${
        text.replace(/&/g, '&amp;').replace(/</g, '&lt;')}</li>`).join('');
    holder.append(input, arrow, list);
    const picker = {row, input, list, arrow, entries, active: -1};
    wirePicker(picker);
    pickers.set(row.id, picker);
    selected.set(row.id, -1);
    return {element: holder, control: input};
  }

  function makeField(row, readOnly, caption) {
    const input = document.createElement('input');
    input.type = 'text';
    input.id = row.name;
    input.autocomplete = 'off';
    input.spellcheck = false;
    if (caption) input.setAttribute('aria-labelledby', caption.id);
    else if (row.accessible) input.setAttribute('aria-label', row.accessible);
    if (readOnly) {
      input.readOnly = true;
      input.tabIndex = -1;  // no tab stop, but a click reaches it to select and copy
      input.className = 'box';
      wireBoxKeys(input);
    } else {
      input.inputMode = 'numeric';
      input.setAttribute('enterkeyhint', 'done');
      wireCountField(input);
    }
    return input;
  }

  // Chromium moves no caret in a read-only field; an edit control does, so the box takes the
  // keys of selecting: the arrows by character (Ctrl: by word), Home and End, with Shift.
  function wireBoxKeys(box) {
    box.addEventListener('keydown', (event) => {
      const keys = {ArrowLeft: -1, ArrowRight: 1, Home: -2, End: 2};
      const step = keys[event.key];
      if (step === undefined || event.altKey || event.metaKey) return;
      event.preventDefault();
      const text = box.value;
      const backward = box.selectionDirection === 'backward';
      const anchor = backward ? box.selectionEnd : box.selectionStart;
      const focus = backward ? box.selectionStart : box.selectionEnd;
      let to;
      if (step === -2) to = 0;
      else if (step === 2) to = text.length;
      else if (!event.shiftKey && box.selectionStart !== box.selectionEnd) to = step < 0 ? box.selectionStart : box.selectionEnd;
      else if (event.ctrlKey) to = wordEdge(text, focus, step);
      else to = Math.max(0, Math.min(text.length, focus + step));
      if (event.shiftKey) box.setSelectionRange(Math.min(anchor, to), Math.max(anchor, to), to < anchor ? 'backward' : 'forward');
      else box.setSelectionRange(to, to);
    });
  }

  // The next start of a word after `at` (step 1), or the start of the word before it (-1).
  function wordEdge(text, at, step) {
    const word = (i) => i >= 0 && i < text.length && !/\s/.test(text[i]);
    let i = at;
    if (step > 0) {
      while (i < text.length && word(i)) ++i;
      while (i < text.length && !word(i)) ++i;
    } else {
      while (i > 0 && !word(i - 1)) --i;
      while (i > 0 && word(i - 1)) --i;
    }
    return i;
  }

  function makeControl(row, prefix) {
    const caption = captionFor(row, prefix);
    switch (row.kind) {
      case Kind.Picker: return makePicker(row, caption);
      case Kind.Button:
      case Kind.DefaultButton: {
        const button = makeButton(row, () => press(row.id), prefix);
        if (row.kind === Kind.DefaultButton) button.className = 'default';
        return {element: button, control: button};
      }
      case Kind.Edit: {
        const input = makeField(row, false, caption);
        return {element: input, control: input};
      }
      case Kind.ReadOnlyBox: {
        const input = makeField(row, true, caption);
        return {element: input, control: input};
      }
      case Kind.Frame: {
        const frame = document.createElement('div');
        frame.className = 'frame';
        frame.setAttribute('aria-hidden', 'true');
        return {element: frame, control: frame};
      }
      case Kind.Picture: {
        const image = document.createElement('img');
        image.src = pictures[row.text] || '';
        image.width = image.height = 1;  // placed from the table
        image.alt = row.accessible;
        image.draggable = false;
        return {element: image, control: image};
      }
      default: {
        const label = document.createElement('span');
        label.className = row.kind === Kind.CenteredLabel ? 'label centred' : 'label';
        label.textContent = row.text;
        return {element: label, control: label};
      }
    }
  }

  // Elements in layout order, which is the tab order, each with its member name as its id.
  function buildControls(client, dialog, prefix) {
    client.replaceChildren();
    const rows = [];
    for (const row of dialog.controls) {
      const built = makeControl(row, prefix);
      built.element.classList.add('control');
      built.control.id = prefix + row.name;
      client.append(built.element);
      rows.push([row, built.element]);
      if (row.id >= 0 && prefix === '') byId.set(row.id, built.control);
      if (prefix === '') byName.set(row.name, built.control);
    }
    return rows;
  }

  // ---- Pickers: the editable drop-down list -----------------------------------------------

  const pickers = new Map();
  let openPicker = null;

  function showActive(picker, index) {
    const previous = picker.active >= 0 ? picker.list.children[picker.active] : null;
    if (previous) previous.classList.remove('active');
    picker.active = index;
    if (index < 0) {
      picker.input.removeAttribute('aria-activedescendant');
      return;
    }
    const option = picker.list.children[index];
    option.classList.add('active');
    picker.input.setAttribute('aria-activedescendant', option.id);
    option.scrollIntoView({block: 'nearest'});
  }

  function openList(picker) {
    if (openPicker === picker) return;
    if (openPicker) closeList(openPicker);
    closeMenus();
    openPicker = picker;
    picker.list.hidden = false;
    picker.input.setAttribute('aria-expanded', 'true');
    picker.arrow.setAttribute('aria-expanded', 'true');
    const index = selected.get(picker.row.id);
    showActive(picker, index);
    if (index < 0) picker.list.scrollTop = 0;
  }

  function closeList(picker) {
    if (openPicker !== picker) return;
    openPicker = null;
    showActive(picker, -1);
    picker.list.hidden = true;
    picker.input.setAttribute('aria-expanded', 'false');
    picker.arrow.setAttribute('aria-expanded', 'false');
  }

  function choose(picker, index) {
    closeList(picker);
    page.selectEntry(picker.row.id, index);
    run(() => program._zk_picker_selected(picker.row.id));
  }

  function wirePicker(picker) {
    const {input, list, arrow} = picker;
    input.addEventListener('input', () => {
      const fitted = fitCodePage(input.value);
      if (fitted !== input.value) {
        const caret = input.selectionStart;
        input.value = fitted;
        input.setSelectionRange(caret, caret);
      }
      // A user's edit: the entry is no longer selected, the typed text stays.
      markSelected(picker, -1);
      if (openPicker === picker) showActive(picker, -1);
      run(() => program._zk_picker_edited(picker.row.id));
    });
    input.addEventListener('keydown', (event) => {
      const open = openPicker === picker;
      const count = picker.entries.length;
      const move = (to) => {
        event.preventDefault();
        if (!open) openList(picker);
        showActive(picker, Math.max(0, Math.min(count - 1, to)));
      };
      switch (event.key) {
        case 'ArrowDown':
          if (event.altKey) { event.preventDefault(); openList(picker); return; }
          return move(open ? picker.active + 1 : Math.max(picker.active, selected.get(picker.row.id), 0));
        case 'ArrowUp':
          if (event.altKey) { event.preventDefault(); closeList(picker); return; }
          return move(open ? (picker.active < 0 ? count - 1 : picker.active - 1) : Math.max(selected.get(picker.row.id), 0));
        case 'PageDown': if (open) move(picker.active + 10); return;
        case 'PageUp': if (open) move(picker.active - 10); return;
        case 'Home': if (open && picker.active >= 0) move(0); return;
        case 'End': if (open && picker.active >= 0) move(count - 1); return;
        case 'F4':
          event.preventDefault();
          if (open) closeList(picker); else openList(picker);
          return;
        case 'Escape':
          if (open) { event.preventDefault(); event.stopPropagation(); closeList(picker); }
          return;
        case 'Enter':
          if (open) {
            event.preventDefault();
            event.stopPropagation();
            if (picker.active >= 0) choose(picker, picker.active); else closeList(picker);
          }
          return;
        case 'Tab':
          closeList(picker);
          return;
        default:
      }
    });
    input.addEventListener('blur', (event) => {
      if (!picker.list.contains(event.relatedTarget) && event.relatedTarget !== arrow) closeList(picker);
    });
    arrow.addEventListener('pointerdown', (event) => event.preventDefault());  // keep the focus
    arrow.addEventListener('click', (event) => {
      if (openPicker === picker) {
        closeList(picker);
        return;
      }
      // A finger opens the list without the on-screen keyboard; a mouse puts the focus in.
      if (event.pointerType !== 'touch') input.focus();
      openList(picker);
    });
    list.addEventListener('pointerdown', (event) => event.preventDefault());
    list.addEventListener('click', (event) => {
      const option = event.target.closest('[role="option"]');
      if (option) choose(picker, Number(option.dataset.index));
    });
  }

  function markSelected(picker, index) {
    const previous = selected.get(picker.row.id);
    if (previous >= 0) picker.list.children[previous].setAttribute('aria-selected', 'false');
    if (index >= 0) picker.list.children[index].setAttribute('aria-selected', 'true');
    selected.set(picker.row.id, index);
  }

  // ---- The count field --------------------------------------------------------------------

  function wireCountField(input) {
    // Digits only, typed or pasted; a text with anything else is refused whole.
    input.addEventListener('beforeinput', (event) => {
      const text = event.data ?? (event.dataTransfer ? event.dataTransfer.getData('text/plain') : '');
      if (text && /[^0-9]/.test(text) && !event.isComposing) event.preventDefault();
    });
    input.addEventListener('input', () => {
      // What could not be refused beforehand (an input method's text) loses its non-digits.
      const digits = input.value.replace(/[^0-9]/g, '');
      if (digits !== input.value) input.value = digits;
      run(() => program._zk_count_changed());
    });
  }

  // ---- What the program's handlers call ----------------------------------------------------

  const utf8 = new TextDecoder();
  const page = {
    // The program's texts, as UTF-8.
    decode(bytes) {
      return utf8.decode(bytes);
    },
    setText(id, text) {
      const element = byId.get(id);
      if (!element) return;
      if (element.tagName !== 'INPUT') {
        if (element.textContent !== text) element.textContent = text;
        return;
      }
      if (element.readOnly) {
        element.value = text;  // the program writes a box only when its text changes
        showCaret(element, 0);
      } else if (element.value !== text) {
        element.value = text;
      }
    },
    getText(id) {
      const element = byId.get(id);
      if (!element) return '';
      return element.tagName === 'INPUT' ? element.value : element.textContent;
    },
    selectEntry(id, index) {
      const picker = pickers.get(id);
      if (!picker) return;
      const text = index >= 0 ? picker.entries[index] : '';
      if (selected.get(id) === index && picker.input.value === text) return;
      markSelected(picker, index);
      picker.input.value = text;
      showCaret(picker.input, 0);  // a long name shows from its first letter
    },
    selection(id) {
      return selected.has(id) ? selected.get(id) : -1;
    },
    markEntry(id, index) {
      const picker = pickers.get(id);
      if (picker) markSelected(picker, index);
    },
    limitCount(length) {
      byName.get('CountField').maxLength = length > 0 ? length : PICKER_TEXT_LIMIT;
    },
    setVisible(id, visible) {
      const element = byId.get(id);
      if (element) element.hidden = !visible;
    },
    placeCaret(id, position) {
      const element = byId.get(id);
      if (!element || element.tagName !== 'INPUT') return;
      showCaret(element, position);
    },
    showMessage(text) {
      messages.push(text);
      if (messages.length === 1) showNextMessage();
    },
    // The accept action's failing field, once its message box is dismissed.
    focusAndSelect(id) {
      const element = byId.get(id);
      if (!element) return;
      if (messages.length > 0) {
        returnFocus = element;
        selectOnReturn = true;
        return;
      }
      element.focus();
      element.select();
    },
    // Read by the tests' probe only.
    isVisible(id) { const e = byId.get(id); return !!e && !e.hidden; },
    caret(id) {
      const e = byId.get(id);
      const pending = carets.get(e);
      return pending && pending.value === e.value ? pending.position : e ? e.selectionStart : 0;
    },
  };

  // A field's caret is brought into view in the next frame, which lays the page out once
  // anyway: scrolling now, or placing the caret of the focused field, would lay out the long
  // result boxes in the middle of a handler. Whatever the user does to the field meanwhile
  // comes first.
  const carets = new Map();
  function showCaret(element, position) {
    if (element !== document.activeElement) element.setSelectionRange(position, position);
    if (carets.size === 0) requestAnimationFrame(placeCarets);
    carets.set(element, {position, value: element.value});
  }
  function placeCarets() {
    for (const [element, {position, value}] of carets) {
      if (element.value !== value) continue;
      if (element === document.activeElement) element.setSelectionRange(position, position);
      element.scrollLeft = position >= value.length && value.length > 0 ? element.scrollWidth : 0;
    }
    carets.clear();
  }
  for (const type of ['pointerdown', 'keydown']) {
    document.addEventListener(type, (event) => carets.delete(event.target), true);
  }

  // ---- Running the program's handlers -----------------------------------------------------

  // Every handler runs to completion before the next event; nothing here can interleave.
  function run(handler) {
    if (ended) return;
    handler();
  }

  function press(id) {
    if (ended || messages.length > 0) return;
    if (openPicker) closeList(openPicker);
    run(() => program._zk_clicked(id));
    if (byId.get(id) !== byName.get('SearchButton')) announce();
  }

  // The result boxes are heard after Ekle, Geri Al and Sıfırla without moving the focus.
  function announce() {
    if (messages.length > 0) return;
    const parts = [];
    for (const [caption, box] of [['MolecularMassCaption', 'MolecularMassBox'], ['FormulaCaption', 'FormulaBox']]) {
      let text = byName.get(box).value.trim();
      if (text.length > 80) text = '…' + text.slice(-60);
      parts.push(`${byName.get(caption).textContent}: ${text || 'boş'}.`);
    }
    parts.push(byName.get('StepPrompt').textContent);
    const live = $('live');
    live.textContent = parts.join(' ') + (live.textContent.endsWith('\u00a0') ? '' : '\u00a0');
  }

  function acceptAction() {
    if (ended || messages.length > 0) return;
    if (program._zk_accept() === 1) endProgram();
  }

  // ---- Message boxes ----------------------------------------------------------------------

  const messages = [];
  let returnFocus = null;
  let selectOnReturn = false;

  function showNextMessage() {
    const box = $('messagebox');
    if (!box.open && !selectOnReturn) returnFocus = lastWindowFocus;
    $('messagebox-text').textContent = messages[0];
    if (!box.open) box.showModal();
    $('messagebox-ok').focus();
  }

  function messageClosed() {
    messages.shift();
    if (messages.length > 0) {
      showNextMessage();
      return;
    }
    const target = returnFocus;
    returnFocus = null;
    if (target && target.isConnected && !ended) {
      target.focus();
      if (selectOnReturn && target.select) target.select();
    }
    selectOnReturn = false;
  }

  // ---- Menu bar ---------------------------------------------------------------------------

  function menus() { return [...document.querySelectorAll('#menubar > li > [role="menuitem"]')]; }
  function menuOf(item) { return item.nextElementSibling; }

  function openMenu(item, focusFirst) {
    closeMenus(item);
    if (openPicker) closeList(openPicker);
    item.setAttribute('aria-expanded', 'true');
    menuOf(item).hidden = false;
    if (focusFirst !== undefined) {
      const items = [...menuOf(item).querySelectorAll('[role="menuitem"]')];
      items[focusFirst < 0 ? items.length - 1 : 0].focus();
    }
  }

  function closeMenus(except) {
    for (const item of menus()) {
      if (item === except) continue;
      item.setAttribute('aria-expanded', 'false');
      menuOf(item).hidden = true;
    }
  }

  function focusMenu(index) {
    const items = menus();
    const item = items[(index + items.length) % items.length];
    for (const other of items) other.tabIndex = other === item ? 0 : -1;
    item.focus();
    return item;
  }

  function runCommand(command) {
    closeMenus();
    if (command === 'exit') endProgram();
    else if (command === 'readme') showReadMe();
    else if (command === 'about') showAbout();
  }

  function wireMenuBar() {
    const bar = $('menubar');
    bar.addEventListener('click', (event) => {
      const item = event.target.closest('[role="menuitem"]');
      if (!item) return;
      if (item.dataset.command) { runCommand(item.dataset.command); return; }
      if (item.getAttribute('aria-expanded') === 'true') closeMenus();
      else openMenu(item);
    });
    bar.addEventListener('keydown', (event) => {
      const item = event.target.closest('[role="menuitem"]');
      if (!item) return;
      const titles = menus();
      const inMenu = !!item.dataset.command;
      const title = inMenu ? item.closest('li').parentElement.previousElementSibling : item;
      const at = titles.indexOf(title);
      const wasOpen = title.getAttribute('aria-expanded') === 'true';
      const siblings = inMenu ? [...item.parentElement.parentElement.querySelectorAll('[role="menuitem"]')] : [];
      const handled = () => { event.preventDefault(); event.stopPropagation(); };
      switch (event.key) {
        case 'ArrowRight':
        case 'ArrowLeft': {
          handled();
          const next = focusMenu(at + (event.key === 'ArrowRight' ? 1 : -1));
          if (wasOpen) openMenu(next, 0); else closeMenus();
          return;
        }
        case 'ArrowDown':
        case 'ArrowUp':
          handled();
          if (!inMenu) { openMenu(item, event.key === 'ArrowDown' ? 0 : -1); return; }
          siblings[(siblings.indexOf(item) + (event.key === 'ArrowDown' ? 1 : siblings.length - 1)) % siblings.length].focus();
          return;
        case 'Home':
        case 'End':
          if (inMenu) { handled(); siblings[event.key === 'Home' ? 0 : siblings.length - 1].focus(); }
          return;
        case 'Enter':
        case ' ':
          handled();
          if (inMenu) runCommand(item.dataset.command); else openMenu(item, 0);
          return;
        case 'Escape':
          handled();
          closeMenus();
          title.focus();
          return;
        case 'Tab':
          closeMenus();
          return;
        default:
      }
    });
    bar.addEventListener('focusout', (event) => {
      if (!bar.contains(event.relatedTarget)) closeMenus();
    });
  }

  // ---- About box and read-me --------------------------------------------------------------

  // Modal over the window; the focus goes back where it was in the window once it closes.
  function openModal(box, focus) {
    if (box.open) return;
    if (openPicker) closeList(openPicker);
    box.returnTo = lastWindowFocus;
    box.showModal();
    focus.focus();
  }

  // Closing runs to its end at once, before the next key: the focus is back in the window by
  // the time the key that closed the box has been handled.
  function closeModal(box) {
    if (!box.open) return;
    box.close();
    if (box.id === 'messagebox') {
      messageClosed();
      return;
    }
    const target = box.returnTo;
    if (target && target.isConnected && !ended) target.focus();
  }

  let aboutRows = null;
  function showAbout() {
    openModal($('about'), $('about-OkButton'));
    layOut($('about-client'), layout.about, aboutRows, roomFor(true));
  }

  function showReadMe() {
    openModal($('readme'), $('readme-ok'));
    $('readme-text').scrollTop = 0;
  }

  // ---- Ending and starting again ----------------------------------------------------------

  function endProgram() {
    if (ended) return;
    ended = true;
    closeMenus();
    if (openPicker) closeList(openPicker);
    for (const box of document.querySelectorAll('dialog[open]')) box.close();
    $('program').hidden = true;
    $('ended').hidden = false;
    $('restart').focus();
  }

  // The window's elements as a fresh program finds them.
  function buildWindow() {
    messages.length = 0;
    byId.clear();
    byName.clear();
    pickers.clear();
    selected.clear();
    openPicker = null;
    mainRows = buildControls($('client'), layout.main, '');
    lastWindowFocus = byName.get('NumberPicker');
    relayout();
  }

  function start() {
    $('ended').hidden = true;
    $('program').hidden = false;
    if (ended) buildWindow();
    ended = false;
    program._zk_start();
    byName.get('NumberPicker').focus();
  }

  // ---- Keys the window handles itself -----------------------------------------------------

  function onWindowKey(event) {
    if (ended || document.querySelector('dialog[open]')) return;
    if (event.key === 'F1') {
      event.preventDefault();
      showReadMe();
      return;
    }
    if (event.key === 'F10' && !event.shiftKey) {
      event.preventDefault();
      focusMenu(0);
      return;
    }
    // Alt+letter presses its button at once; the letter must not land in the focused field.
    if (event.altKey && !event.ctrlKey && !event.metaKey && mnemonics.has(event.code)) {
      event.preventDefault();
      press(mnemonics.get(event.code));
      return;
    }
    if (event.defaultPrevented || event.target.closest('#menubar')) return;
    if (event.key === 'Escape') {
      event.preventDefault();
      endProgram();
      return;
    }
    const enter = event.key === 'Enter' && !event.altKey && !event.ctrlKey && !event.metaKey && !event.shiftKey;
    // Enter on a button presses that button; in a field it is the window's accept action.
    if (enter && event.target.tagName === 'INPUT' && $('client').contains(event.target)) {
      event.preventDefault();
      acceptAction();
    }
  }

  // ---- Start-up ---------------------------------------------------------------------------

  let pictures = {};
  let mainRows = null;
  function relayout() {
    if (!mainRows) return;
    const units = layOut($('client'), layout.main, mainRows, roomFor(false));
    $('window').style.width = units.x(layout.main.w) + 2 + 'px';
    if ($('about').open) layOut($('about-client'), layout.about, aboutRows, roomFor(true));
  }

  async function main() {
    zerkanProgram.page = page;
    const data = (id) => JSON.parse(document.getElementById(id).textContent);
    pictures = data('pictures');
    layout = data('layout');
    keepable = new Set(layout.codePage);
    for (let c = 0; c < 0x80; ++c) keepable.add(String.fromCharCode(c));
    measureFont();
    $('window-title').lastChild.textContent = layout.main.title;
    document.title = layout.main.title;
    $('about-title').textContent = layout.about.title;
    aboutRows = buildControls($('about-client'), layout.about, 'about-');
    for (const [box, ok] of [['messagebox', 'messagebox-ok'], ['about', 'about-OkButton'], ['readme', 'readme-ok']]) {
      $(ok).addEventListener('click', () => closeModal($(box)));
      $(box).addEventListener('cancel', (event) => {  // Escape
        event.preventDefault();
        closeModal($(box));
      });
    }
    document.addEventListener('focusin', (event) => {
      if ($('client').contains(event.target)) lastWindowFocus = event.target;
    });
    wireMenuBar();
    document.addEventListener('keydown', onWindowKey);
    document.addEventListener('pointerdown', (event) => {
      if (openPicker && !openPicker.input.parentElement.contains(event.target)) closeList(openPicker);
      if (!event.target.closest('#menubar')) closeMenus();
    });
    // A drop has no effect: no text lands in a field, and a dropped file does not replace the
    // program (and its molecule) with itself.
    for (const type of ['dragover', 'drop']) document.addEventListener(type, (event) => event.preventDefault());
    $('restart').addEventListener('click', start);
    addEventListener('resize', relayout);
    buildWindow();
    program = await zerkanLoading;
    start();
    document.documentElement.dataset.ready = 'true';
    performance.mark('zerkan-ready');
  }
  let lastWindowFocus = null;

  main();
})();
