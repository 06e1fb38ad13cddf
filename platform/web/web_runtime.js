// The page side of the browser backend: one message queue that the program's message loop
// takes from, the wake-up and the clock on the page's time, painting to the canvas, keys from the
// keyboard, the menu bar and the modal dialog. The C++ side reaches it through web_bridge.cpp.
//
// The page supplies the elements (see web/index.html): canvas#screen, nav#menubar,
// dialog#dialog, section#closed and pre#messages.
//
// Messages reach the program only through its message loop, never by calling into it from an
// event handler: the loop is the one place where the program waits, so only one call stack is
// ever paused, as in a desktop program. Like the desktop, the queue keeps at most one pending
// paint per window, and hands out posted input first, then paints, then the wake-up.
//
// The program keeps its windows' timers itself and asks the page for one wake-up, at the
// next that falls due. It fires in a dedicated Worker, whose clock the browser does not slow
// down in a background tab, so a hidden page plays on exactly as a minimised window does.

/* global Module, HEAPU8, HEAP32, UTF8ToString, MorvaneClockSource */
var MorvaneWeb = {
  // Test hook: a page may speed up its clock and timers by setting MORVANE_TIME_SCALE before
  // the program starts (a whole game then plays in a few seconds).
  scale: 1,
  origin: 0,
  posted: [],
  paintAsked: new Set(),
  paintDue: [],
  wakeDue: false,
  wakeHandle: 0, // the page's own timer for the wake-up, where no Worker started
  clock: null,
  isMac: /Mac|iPhone|iPad|iPod/.test(navigator.platform),
  waiter: null,
  frameHwnd: 0,
  focusHwnd: 0,
  menu: null,
  dialog: null,
  ended: false,

  // Window messages and flags the page makes (same values as the layer's). WM_TIMER to no
  // window is the wake-up.
  WM_KEYDOWN: 0x0100,
  WM_COMMAND: 0x0111,
  WM_TIMER: 0x0113,
  WM_PAINT: 0x000f,
  WM_CLOSE: 0x0010,
  IDCANCEL: 2,
  MOD_SHIFT: 1,
  MOD_CONTROL: 2,
  MOD_ALT: 4,

  // Virtual-key codes by KeyboardEvent.code: the key's position on a US keyboard. The program
  // turns a key of the typing area into the letter its layout types (the key rule every
  // desktop shares); the position stands where the browser says nothing typed.
  KEY_CODES: (function () {
    var t = {
      Escape: 0x1b, Tab: 0x09, Backspace: 0x08, Enter: 0x0d, NumpadEnter: 0x0d, Space: 0x20,
      Insert: 0x2d, Delete: 0x2e, Home: 0x24, End: 0x23, PageUp: 0x21, PageDown: 0x22,
      ArrowLeft: 0x25, ArrowUp: 0x26, ArrowRight: 0x27, ArrowDown: 0x28,
      ShiftLeft: 0x10, ShiftRight: 0x10, ControlLeft: 0x11, ControlRight: 0x11,
      AltLeft: 0x12, AltRight: 0x12, MetaLeft: 0x5b, MetaRight: 0x5c, ContextMenu: 0x5d,
      Pause: 0x13, CapsLock: 0x14, NumLock: 0x90, ScrollLock: 0x91, PrintScreen: 0x2c,
      Minus: 0xbd, Equal: 0xbb, BracketLeft: 0xdb, BracketRight: 0xdd, Semicolon: 0xba,
      Quote: 0xde, Backquote: 0xc0, Backslash: 0xdc, Comma: 0xbc, Period: 0xbe, Slash: 0xbf,
      NumpadMultiply: 0x6a, NumpadAdd: 0x6b, NumpadSubtract: 0x6d, NumpadDecimal: 0x6e,
      NumpadDivide: 0x6f,
    };
    for (var i = 0; i < 26; ++i) t['Key' + String.fromCharCode(65 + i)] = 65 + i;
    for (var d = 0; d < 10; ++d) {
      t['Digit' + d] = 0x30 + d;
      t['Numpad' + d] = 0x60 + d;
    }
    for (var f = 1; f <= 24; ++f) t['F' + f] = 0x6f + f;
    return t;
  })(),

  el: function (id) {
    return document.getElementById(id);
  },

  // A performance mark the first time only: the load test reads the start-up's steps from them.
  marked: {},
  markOnce: function (name) {
    if (MorvaneWeb.marked[name]) return;
    MorvaneWeb.marked[name] = true;
    performance.mark('morvane: ' + name);
  },

  start: function () {
    var scale = Number(window.MORVANE_TIME_SCALE);
    MorvaneWeb.scale = scale > 0 ? scale : 1;
    MorvaneWeb.origin = performance.now();
    var canvas = MorvaneWeb.el('screen');
    MorvaneWeb.context = canvas.getContext('2d', { alpha: false });
    window.addEventListener('keydown', MorvaneWeb.onKeyDown);
    document.addEventListener('pointerdown', MorvaneWeb.onPointerDown);
    canvas.addEventListener('pointerdown', function (event) {
      // A finger or a pen brings up the on-screen keyboard (and no mouse events follow to
      // take the focus back); a mouse gives the game the keys.
      if (event.pointerType === 'mouse') {
        canvas.focus();
        return;
      }
      event.preventDefault();
      MorvaneWeb.el('typing').focus();
    });
    MorvaneWeb.el('typing').addEventListener('input', MorvaneWeb.onTyped);
    window.addEventListener('resize', MorvaneWeb.placeDialog);
    canvas.focus();
    performance.mark('morvane: started');
  },

  // The Worker keeps the wake-up (see clock_worker.js); where no Worker can start, the
  // page's own timer stands in. A page may start the same Worker itself before the program
  // arrives (window.MorvaneClock, see web/index.html): a Worker takes a while to start, and
  // the program's first tick waits for it.
  startClock: function () {
    var clock = window.MorvaneClock;
    if (!clock) {
      try {
        var url = URL.createObjectURL(new Blob([MorvaneClockSource], { type: 'text/javascript' }));
        clock = new Worker(url);
        URL.revokeObjectURL(url);
      } catch (error) {
        clock = null;
      }
    }
    MorvaneWeb.clock = clock;
    if (clock) clock.onmessage = MorvaneWeb.wakeFired;
  },

  // The program's next timer falls due in ms on its clock (negative: no timer runs); a new
  // wake-up replaces the last, a queued one included. The program's milliseconds pass
  // MORVANE_TIME_SCALE times as fast as the page's, as now() counts them. One that fires
  // early (set again while its message was on the way) costs the program a look at its
  // timers and nothing more: it delivers only the ticks that are due.
  setWake: function (ms) {
    MorvaneWeb.wakeDue = false;
    if (ms >= 0) MorvaneWeb.markOnce('first timer'); // the program's first timer asks for it
    var delay = ms < 0 ? -1 : ms / MorvaneWeb.scale;
    if (MorvaneWeb.clock) {
      MorvaneWeb.clock.postMessage({ delay: delay, at: performance.timeOrigin + performance.now() });
      return;
    }
    clearTimeout(MorvaneWeb.wakeHandle);
    if (delay >= 0) MorvaneWeb.wakeHandle = setTimeout(MorvaneWeb.wakeFired, Math.ceil(delay));
  },

  // The wake-up stays queued until the program takes it: one message, however late.
  wakeFired: function () {
    MorvaneWeb.markOnce('first tick');
    MorvaneWeb.wakeDue = true;
    MorvaneWeb.wake();
  },

  now: function () {
    return Math.floor((performance.now() - MorvaneWeb.origin) * MorvaneWeb.scale) >>> 0;
  },

  wake: function () {
    var w = MorvaneWeb.waiter;
    if (w) {
      MorvaneWeb.waiter = null;
      w();
    }
  },

  // typed: for a key, the character it types (a code point, 0 for none) and whether that is a
  // letter of any script; the program's key rule decides the virtual key from them.
  post: function (hwnd, message, wParam, lParam, modifiers, typed) {
    var ch = typed ? typed.codePointAt(0) : 0;
    var letter = typed && /^\p{L}$/u.test(typed) ? 1 : 0;
    MorvaneWeb.posted.push([hwnd, message, wParam, lParam, modifiers, ch, letter]);
    MorvaneWeb.wake();
  },

  // Fills the message at ptr (hwnd, message, wParam, lParam, modifiers, the typed character
  // and whether it is a letter, as 32-bit words) and
  // returns 1, or returns 0 when nothing is waiting.
  take: function (ptr) {
    var m = MorvaneWeb.posted.shift();
    if (!m) {
      var hwnd = MorvaneWeb.paintDue.shift();
      if (hwnd) m = [hwnd, MorvaneWeb.WM_PAINT, 0, 0, 0];
    }
    if (!m && MorvaneWeb.wakeDue) {
      MorvaneWeb.wakeDue = false;
      m = [0, MorvaneWeb.WM_TIMER, 0, 0, 0];
    }
    if (!m) return 0;
    for (var i = 0; i < 7; ++i) HEAP32[(ptr >> 2) + i] = m[i] || 0;
    return 1;
  },

  wait: function () {
    return new Promise(function (resolve) {
      MorvaneWeb.waiter = resolve;
    });
  },

  // One paint per animation frame at most, however often the window was invalidated.
  invalidate: function (hwnd) {
    if (MorvaneWeb.paintAsked.has(hwnd)) return;
    MorvaneWeb.paintAsked.add(hwnd);
    requestAnimationFrame(function () {
      if (!MorvaneWeb.paintAsked.delete(hwnd)) return;
      MorvaneWeb.paintDue.push(hwnd);
      MorvaneWeb.wake();
    });
  },

  validate: function (hwnd) {
    MorvaneWeb.paintAsked.delete(hwnd);
    MorvaneWeb.paintDue = MorvaneWeb.paintDue.filter(function (h) {
      return h !== hwnd;
    });
  },

  forget: function (hwnd) {
    MorvaneWeb.validate(hwnd);
    MorvaneWeb.posted = MorvaneWeb.posted.filter(function (m) {
      return m[0] !== hwnd;
    });
    if (MorvaneWeb.frameHwnd === hwnd) {
      MorvaneWeb.frameHwnd = 0;
      MorvaneWeb.closeMenus();
      MorvaneWeb.el('menubar').replaceChildren();
    }
  },

  // RGBA pixels at ptr, width x height, drawn with their top-left corner at (x, y).
  present: function (x, y, ptr, width, height) {
    var pixels = new Uint8ClampedArray(HEAPU8.buffer, ptr, width * height * 4);
    MorvaneWeb.context.putImageData(new ImageData(pixels, width, height), x, y);
    MorvaneWeb.markOnce('first present');
  },

  // What the program says to a screen reader, in the page's polite live region. Its texts are
  // Japanese, then English after "。 ": the English part is marked as such, so a reader
  // speaks each in its own voice.
  announce: function (text) {
    var region = document.getElementById('spoken');
    if (!region) return;
    var at = text.indexOf('\u3002 ');
    var ja = document.createElement('span');
    ja.textContent = at < 0 ? text : text.slice(0, at + 1);
    var parts = [ja];
    if (at >= 0) {
      var en = document.createElement('span');
      en.lang = 'en';
      en.textContent = text.slice(at + 1);
      parts.push(en);
    }
    region.replaceChildren.apply(region, parts);
  },

  // -- keys ------------------------------------------------------------------------------

  onKeyDown: function (event) {
    if (MorvaneWeb.ended) return;
    if (MorvaneWeb.dialog) {
      MorvaneWeb.dialogKey(event);
      return;
    }
    if (MorvaneWeb.menu && MorvaneWeb.menu.open >= 0) {
      MorvaneWeb.menuKey(event);
      return;
    }
    var vk = MorvaneWeb.KEY_CODES[event.code];
    if (!vk || !MorvaneWeb.focusHwnd) return;
    // Tab and Shift+Tab move between the game and the menus; Enter and Space press a menu
    // title that has the focus.
    if (event.code === 'Tab') return;
    var onTitle = document.activeElement && document.activeElement.classList.contains('menu-title');
    if (onTitle && (event.code === 'Enter' || event.code === 'NumpadEnter' || event.code === 'Space')) return;
    // Cmd is the Mac's Ctrl; elsewhere a key with the system's key held is the system's.
    var ctrl = event.ctrlKey || (MorvaneWeb.isMac && event.metaKey);
    if (event.metaKey && !MorvaneWeb.isMac) return;
    if (MorvaneWeb.isMac && (vk === 0x5b || vk === 0x5c)) vk = 0x11;
    // Reload, full screen and the developer tools stay the browser's.
    if (event.code === 'F5' || event.code === 'F11' || event.code === 'F12') return;
    if (ctrl && event.code === 'KeyR') return;
    event.preventDefault();
    var mods = (event.shiftKey ? MorvaneWeb.MOD_SHIFT : 0) | (ctrl ? MorvaneWeb.MOD_CONTROL : 0) |
      (event.altKey ? MorvaneWeb.MOD_ALT : 0);
    // vk is the key's place on a US keyboard; what it types (one character, not a name such as
    // "Dead" or "Unidentified") lets the program judge it by the layout as a desktop does. The
    // program makes the key message (a system key or not) and its lParam: the page says only
    // whether the key is an auto-repeat.
    var typed = Array.from(event.key || '').length === 1 ? event.key : '';
    MorvaneWeb.post(MorvaneWeb.focusHwnd, MorvaneWeb.WM_KEYDOWN, vk, event.repeat ? 1 : 0, mods, typed);
  },

  // Text from an on-screen keyboard, which often sends no usable key code: each letter it
  // types is a press of that letter's key. The field is emptied so it never shows text.
  onTyped: function (event) {
    var text = event.target.value;
    event.target.value = '';
    if (MorvaneWeb.ended || MorvaneWeb.dialog || !MorvaneWeb.focusHwnd) return;
    for (var i = 0; i < text.length; ++i) {
      var c = text[i].toUpperCase();
      if (c >= 'A' && c <= 'Z') MorvaneWeb.post(MorvaneWeb.focusHwnd, MorvaneWeb.WM_KEYDOWN, c.charCodeAt(0), 0, 0, c);
    }
  },

  // In the dialog, Enter presses the default button unless the focus is on another button
  // (a click on the dialog's text or caption must not take Enter away from OK).
  dialogKey: function (event) {
    var dialog = MorvaneWeb.dialog;
    if (event.code !== 'Enter' && event.code !== 'NumpadEnter') return;
    var focused = document.activeElement;
    if (focused && focused.tagName === 'BUTTON' && dialog.element.contains(focused)) return;
    if (!dialog.defaultButton) return;
    event.preventDefault();
    dialog.defaultButton.focus();
    dialog.defaultButton.click();
  },

  // A system key that no accelerator took: Alt+mnemonic opens its menu, F10 the first one.
  systemKey: function (vk, mods) {
    var menu = MorvaneWeb.menu;
    if (!menu || MorvaneWeb.dialog) return;
    if (vk === 0x79 && mods === 0) {
      MorvaneWeb.openMenu(0);
      return;
    }
    if (mods !== MorvaneWeb.MOD_ALT) return;
    for (var i = 0; i < menu.popups.length; ++i)
      if (menu.popups[i].mnemonic === vk) {
        MorvaneWeb.openMenu(i);
        return;
      }
  },

  // -- menu bar --------------------------------------------------------------------------

  // Splits a menu text at its '&' into plain text and an underlined mnemonic.
  labelOf: function (text) {
    var span = document.createElement('span');
    var mnemonic = 0;
    for (var i = 0; i < text.length; ++i) {
      var c = text[i];
      if (c === '&' && i + 1 < text.length) {
        c = text[++i];
        if (c !== '&' && !mnemonic) {
          mnemonic = c.toUpperCase().charCodeAt(0);
          var u = document.createElement('u');
          u.textContent = c;
          span.appendChild(u);
          continue;
        }
      }
      span.appendChild(document.createTextNode(c));
    }
    return { node: span, mnemonic: mnemonic };
  },

  menuBegin: function (hwnd) {
    MorvaneWeb.frameHwnd = hwnd;
    MorvaneWeb.menu = { popups: [], open: -1 };
    MorvaneWeb.el('menubar').replaceChildren();
  },

  menuPopup: function (text) {
    var menu = MorvaneWeb.menu;
    var index = menu.popups.length;
    var label = MorvaneWeb.labelOf(text);
    var wrap = document.createElement('div');
    wrap.className = 'menu';
    var title = document.createElement('button');
    title.type = 'button';
    title.className = 'menu-title';
    title.setAttribute('aria-haspopup', 'menu');
    title.setAttribute('aria-expanded', 'false');
    title.tabIndex = 0;
    title.appendChild(label.node);
    title.addEventListener('click', function () {
      if (menu.open === index) MorvaneWeb.closeMenus();
      else MorvaneWeb.openMenu(index);
    });
    title.addEventListener('pointerenter', function () {
      if (menu.open >= 0 && menu.open !== index) MorvaneWeb.openMenu(index);
    });
    var list = document.createElement('div');
    list.className = 'menu-popup';
    list.setAttribute('role', 'menu');
    list.hidden = true;
    wrap.append(title, list);
    MorvaneWeb.el('menubar').appendChild(wrap);
    menu.popups.push({ title: title, list: list, items: [], mnemonic: label.mnemonic });
  },

  menuItem: function (text, id) {
    var popup = MorvaneWeb.menu.popups[MorvaneWeb.menu.popups.length - 1];
    var label = MorvaneWeb.labelOf(text);
    var item = document.createElement('button');
    item.type = 'button';
    item.className = 'menu-item';
    item.setAttribute('role', 'menuitem');
    item.tabIndex = -1;
    item.dataset.command = String(id);
    item.appendChild(label.node);
    item.addEventListener('click', function () {
      MorvaneWeb.command(id);
    });
    popup.list.appendChild(item);
    popup.items.push({ element: item, mnemonic: label.mnemonic, id: id });
  },

  openMenu: function (index) {
    var menu = MorvaneWeb.menu;
    MorvaneWeb.closeMenus();
    var popup = menu.popups[index];
    menu.open = index;
    popup.list.hidden = false;
    popup.title.classList.add('open');
    popup.title.setAttribute('aria-expanded', 'true');
    if (popup.items.length) popup.items[0].element.focus();
  },

  closeMenus: function () {
    var menu = MorvaneWeb.menu;
    if (!menu) return;
    menu.popups.forEach(function (p) {
      p.list.hidden = true;
      p.title.classList.remove('open');
      p.title.setAttribute('aria-expanded', 'false');
    });
    var wasOpen = menu.open >= 0;
    menu.open = -1;
    if (wasOpen && !MorvaneWeb.ended) MorvaneWeb.el('screen').focus();
  },

  command: function (id) {
    MorvaneWeb.closeMenus();
    if (MorvaneWeb.frameHwnd) MorvaneWeb.post(MorvaneWeb.frameHwnd, MorvaneWeb.WM_COMMAND, id, 0, 0);
  },

  menuKey: function (event) {
    var menu = MorvaneWeb.menu;
    var popup = menu.popups[menu.open];
    var items = popup.items;
    var at = items.findIndex(function (it) {
      return it.element === document.activeElement;
    });
    event.preventDefault();
    switch (event.code) {
      case 'Escape':
      case 'AltLeft':
      case 'AltRight':
      case 'F10':
        MorvaneWeb.closeMenus();
        return;
      case 'ArrowLeft':
      case 'ArrowRight': {
        var n = menu.popups.length;
        MorvaneWeb.openMenu((menu.open + (event.code === 'ArrowLeft' ? n - 1 : 1)) % n);
        return;
      }
      case 'ArrowUp':
      case 'ArrowDown':
        if (items.length) {
          var step = event.code === 'ArrowUp' ? items.length - 1 : 1;
          items[(Math.max(at, 0) + step) % items.length].element.focus();
        }
        return;
      case 'Enter':
      case 'NumpadEnter':
      case 'Space':
        if (at >= 0) MorvaneWeb.command(items[at].id);
        return;
    }
    var vk = MorvaneWeb.KEY_CODES[event.code];
    for (var i = 0; i < items.length; ++i)
      if (vk && items[i].mnemonic === vk) {
        MorvaneWeb.command(items[i].id);
        return;
      }
    for (var j = 0; j < menu.popups.length; ++j)
      if (vk && event.altKey && menu.popups[j].mnemonic === vk) {
        MorvaneWeb.openMenu(j);
        return;
      }
  },

  onPointerDown: function (event) {
    var menu = MorvaneWeb.menu;
    if (menu && menu.open >= 0 && !MorvaneWeb.el('menubar').contains(event.target)) MorvaneWeb.closeMenus();
  },

  // -- the modal dialog --------------------------------------------------------------------

  // Dialog base units of the dialog font: the average width of the 52 letters and the height.
  dialogUnits: function (font) {
    var ctx = document.createElement('canvas').getContext('2d');
    ctx.font = font;
    var m = ctx.measureText('ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz');
    var height = Math.ceil(m.fontBoundingBoxAscent + m.fontBoundingBoxDescent) || 12;
    return [Math.round(m.width), height];
  },

  dialogBegin: function (hwnd, caption, width, height, font) {
    var element = MorvaneWeb.el('dialog');
    element.replaceChildren();
    var title = document.createElement('header');
    title.className = 'dialog-caption';
    title.textContent = caption;
    // The caption's close box asks the dialog to close, as the system menu's Close does.
    var close = document.createElement('button');
    close.type = 'button';
    close.className = 'dialog-close';
    close.setAttribute('aria-label', 'Close');
    close.textContent = '\u00d7';
    close.addEventListener('click', function () {
      MorvaneWeb.post(hwnd, MorvaneWeb.WM_CLOSE, 0, 0, 0);
    });
    title.appendChild(close);
    var body = document.createElement('div');
    body.className = 'dialog-client';
    body.style.width = width + 'px';
    body.style.height = height + 'px';
    body.style.font = font;
    element.append(title, body);
    element.setAttribute('aria-label', caption);
    MorvaneWeb.dialog = { hwnd: hwnd, element: element, body: body, urls: [] };
  },

  place: function (node, x, y, width, height) {
    node.style.left = x + 'px';
    node.style.top = y + 'px';
    if (width) node.style.width = width + 'px';
    if (height) node.style.height = height + 'px';
  },

  dialogText: function (text, x, y, width, height) {
    var p = document.createElement('p');
    p.className = 'dialog-text';
    p.textContent = text;
    MorvaneWeb.place(p, x, y, width, height);
    MorvaneWeb.dialog.body.appendChild(p);
  },

  dialogIcon: function (bytes, x, y, size) {
    var url = URL.createObjectURL(new Blob([bytes], { type: 'image/x-icon' }));
    var img = document.createElement('img');
    img.className = 'dialog-icon';
    img.alt = '';
    img.src = url;
    img.width = size;
    img.height = size;
    MorvaneWeb.place(img, x, y, size, size);
    MorvaneWeb.dialog.body.appendChild(img);
    MorvaneWeb.dialog.urls.push(url);
  },

  dialogButton: function (text, id, x, y, width, height, isDefault) {
    var dialog = MorvaneWeb.dialog;
    var button = document.createElement('button');
    button.type = 'button';
    button.className = 'dialog-button';
    button.textContent = text;
    MorvaneWeb.place(button, x, y, width, height);
    button.addEventListener('click', function () {
      MorvaneWeb.post(dialog.hwnd, MorvaneWeb.WM_COMMAND, id, 0, 0);
    });
    if (isDefault) {
      button.autofocus = true;
      dialog.defaultButton = button;
    }
    dialog.body.appendChild(button);
  },

  dialogShow: function () {
    var dialog = MorvaneWeb.dialog;
    MorvaneWeb.closeMenus();
    // Esc is the dialog's Cancel command; the program decides when the dialog closes.
    dialog.element.oncancel = function (event) {
      event.preventDefault();
      MorvaneWeb.post(dialog.hwnd, MorvaneWeb.WM_COMMAND, MorvaneWeb.IDCANCEL, 0, 0);
    };
    if (!dialog.element.open) dialog.element.showModal();
    MorvaneWeb.placeDialog();
    if (dialog.defaultButton) dialog.defaultButton.focus();
  },

  // A dialog is centred over the program's window, as on a desktop (the browser would centre
  // it in the viewport, where the page's other lines move it off the window), and kept
  // inside the viewport; again whenever the page is laid out anew.
  placeDialog: function () {
    var dialog = MorvaneWeb.dialog;
    var frame = MorvaneWeb.el('window');
    if (!dialog || !dialog.element.open || !frame) return;
    var element = dialog.element;
    var r = frame.getBoundingClientRect();
    var width = element.offsetWidth;
    var height = element.offsetHeight;
    var left = Math.max(0, Math.min(innerWidth - width, r.left + (r.width - width) / 2));
    var top = Math.max(0, Math.min(innerHeight - height, r.top + (r.height - height) / 2));
    element.style.margin = '0';
    element.style.right = element.style.bottom = 'auto';
    element.style.left = Math.round(left) + 'px';
    element.style.top = Math.round(top) + 'px';
  },

  dialogEnd: function (hwnd) {
    var dialog = MorvaneWeb.dialog;
    if (!dialog || dialog.hwnd !== hwnd) return;
    MorvaneWeb.dialog = null;
    dialog.element.oncancel = null;
    if (dialog.element.open) dialog.element.close();
    dialog.urls.forEach(function (u) {
      URL.revokeObjectURL(u);
    });
    if (!MorvaneWeb.ended) MorvaneWeb.el('screen').focus();
  },

  // -- the program's end -----------------------------------------------------------------

  finish: function (status) {
    MorvaneWeb.ended = true;
    MorvaneWeb.wakeDue = false;
    clearTimeout(MorvaneWeb.wakeHandle);
    if (MorvaneWeb.clock) MorvaneWeb.clock.terminate();
    MorvaneWeb.clock = null;
    MorvaneWeb.el('menubar').replaceChildren();
    document.body.classList.add('ended');
    if (status !== 0) document.body.classList.add('failed');
    var closed = MorvaneWeb.el('closed');
    if (closed) closed.hidden = false;
    var again = document.getElementById('again');
    if (again) again.focus();
  },
};

// The clock's Worker starts while the program and its pictures are still on their way, so
// the program's first wake-up does not wait for it.
MorvaneWeb.startClock();

Module['preRun'] = Module['preRun'] || [];
Module['printErr'] = function (text) {
  // The start-up report (one line per picture that could not be used) belongs on the page.
  var messages = document.getElementById('messages');
  if (messages) {
    messages.hidden = false;
    messages.textContent += text + '\n';
  }
  console.warn(text);
};
