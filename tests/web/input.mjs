// Real input to the page through the DevTools protocol, as the browser receives it from the
// system: mouse presses, taps and keys, sent without waiting for each, in order. (A pointer
// move waits for the next frame, and each awaited event for a round trip: thousands of
// gestures would take minutes.)

const KEYS = {
  Enter: {code: 'Enter', vk: 13, text: '\r'}, Escape: {code: 'Escape', vk: 27},
  Backspace: {code: 'Backspace', vk: 8}, Tab: {code: 'Tab', vk: 9}, F1: {code: 'F1', vk: 112},
  F4: {code: 'F4', vk: 115}, F10: {code: 'F10', vk: 121}, Home: {code: 'Home', vk: 36},
  End: {code: 'End', vk: 35}, ArrowDown: {code: 'ArrowDown', vk: 40}, ArrowUp: {code: 'ArrowUp', vk: 38},
  ArrowLeft: {code: 'ArrowLeft', vk: 37}, ArrowRight: {code: 'ArrowRight', vk: 39},
  PageDown: {code: 'PageDown', vk: 34}, PageUp: {code: 'PageUp', vk: 33}, ' ': {code: 'Space', vk: 32, text: ' '},
  Control: {code: 'ControlLeft', vk: 17}, Alt: {code: 'AltLeft', vk: 18}, Shift: {code: 'ShiftLeft', vk: 16},
};
const MODIFIER = {Alt: 1, Control: 2, Shift: 8};

export class Input {
  constructor(cdp) {
    this.cdp = cdp;
    this.pending = [];
  }

  static async of(page) {
    return new Input(await page.createCDPSession());
  }

  send(method, params) {
    this.pending.push(this.cdp.send(method, params));
    return this;
  }

  // Everything sent so far has been handled by the page.
  async done() {
    const all = this.pending;
    this.pending = [];
    await Promise.all(all);
  }

  click(x, y, clickCount = 1) {
    for (const type of ['mousePressed', 'mouseReleased'])
      this.send('Input.dispatchMouseEvent', {type, x, y, button: 'left', buttons: type === 'mousePressed' ? 1 : 0, clickCount});
    return this;
  }

  tap(x, y) {
    this.send('Input.dispatchTouchEvent', {type: 'touchStart', touchPoints: [{x, y}]});
    this.send('Input.dispatchTouchEvent', {type: 'touchEnd', touchPoints: []});
    return this;
  }

  // One key by its name (KEYS) or one character; `held` are modifiers held while it is pressed.
  key(name, held = []) {
    const modifiers = held.reduce((sum, m) => sum | MODIFIER[m], 0);
    for (const m of held) this.#raw('rawKeyDown', m, KEYS[m], modifiers);
    let description = KEYS[name];
    if (!description && /^[a-zA-Z0-9]$/.test(name)) {
      const upper = name.toUpperCase();
      description = {code: /\d/.test(name) ? 'Digit' + name : 'Key' + upper, vk: upper.charCodeAt(0), text: name};
    }
    if (!description) return this.send('Input.insertText', {text: name});
    const text = modifiers & ~MODIFIER.Shift ? undefined : description.text;
    this.#raw(text ? 'keyDown' : 'rawKeyDown', name, description, modifiers, text);
    this.#raw('keyUp', name, description, modifiers);
    for (const m of [...held].reverse()) this.#raw('keyUp', m, KEYS[m], 0);
    return this;
  }

  // Each character typed by its key, or as an input method sends it where no key makes it.
  type(text) {
    for (const ch of text) {
      if (/^[a-zA-Z0-9 ]$/.test(ch)) this.key(ch, /[A-Z]/.test(ch) ? ['Shift'] : []);
      else this.send('Input.insertText', {text: ch});
    }
    return this;
  }

  #raw(type, key, description, modifiers, text) {
    const shown = key.length === 1 && modifiers & MODIFIER.Shift ? key.toUpperCase() : key;
    this.send('Input.dispatchKeyEvent', {
      type, modifiers, key: shown, code: description.code, windowsVirtualKeyCode: description.vk,
      ...(text ? {text, unmodifiedText: text} : {}),
    });
  }
}

// The centre of an element, brought into view first, in the viewport's pixels.
export async function centreOf(page, selector) {
  const point = await page.evaluate((s) => {
    const element = document.querySelector(s);
    if (!element) return null;
    element.scrollIntoView({block: 'nearest', inline: 'nearest'});
    const box = element.getBoundingClientRect();
    return {x: box.left + box.width / 2, y: box.top + box.height / 2};
  }, selector);
  if (!point) throw new Error(`no element ${selector}`);
  return point;
}
