// The page's side of the program: the functions the C++ side calls by name (declared in
// pagefunctions.h). They make the window's controls as the page's own form controls, carry
// out the list and box operations on them, route their events back and show a run-time
// error. Elements are known to the C++ side by number.

const page = {
  // The page's own state, seen by these functions alone: the elements by number; each list's
  // texts, which the window reads, and the options that show them; the lists held while a
  // handler runs, and those let go, whose options wait for the last to be let go; the boxes
  // whose change has not reached the window yet, which take no click; frozen, once a
  // run-time error has been shown.
  $Page: {
    elements: [],
    texts: null,
    shown: null,
    held: null,
    released: null,
    changing: null,
    frozen: false,
    // The window's form controls, in the page's order.
    controls: () => [...document.querySelectorAll('#MainForm input, #MainForm select, #MainForm textarea, #MainForm button')],
    // Those that take the focus now, in the order Tab walks them.
    focusable: () => Page.controls().filter(e => !e.disabled && e.offsetParent !== null),
    // A list or box still on the page, or null.
    present: element => {
      const found = Page.elements[element];
      return found && found.isConnected ? found : null;
    },
    // A list's texts, made empty the first time.
    textsOf: list => Page.texts.get(list) || Page.texts.set(list, []).get(list),
    // Brings lists' options to their texts with as little change to the page as can be: those
    // gone are taken out and the new ones added at the end, so that the page lays out only
    // what changed and a selected item stays selected. Taken out of every list first, an
    // option is used again where one with its text is added: a trial moves its numbers from
    // the pool to its list, a reset back, and an option used again costs less than a new one.
    show: lists => {
      const spare = new Map();
      const kept = lists.map(list => {
        const texts = Page.textsOf(list), stays = [];
        for (const option of Page.shown.get(list) || []) {
          if (stays.length < texts.length && option.$text === texts[stays.length]) {
            stays.push(option);
          } else {
            option.remove();
            spare.has(option.$text) ? spare.get(option.$text).push(option) : spare.set(option.$text, [option]);
          }
        }
        return stays;
      });
      lists.forEach((list, i) => {
        const texts = Page.textsOf(list);
        const added = texts.slice(kept[i].length)
          .map(text => (spare.get(text) || []).pop() || Object.assign(new Option(text), {$text: text}));
        list.append(...added);
        Page.shown.set(list, kept[i].concat(added));
        Page.settle(list, !texts.length);
      });
    },
    // A list changed: shown now, unless it is held.
    changed: list => Page.held.has(list) || Page.show([list]),
    // An empty list holds one stand-in, unseen, not an item to a screen reader, and is
    // described as empty: a list box with no child at all is read as nothing.
    emptyWord: '',
    settle: (list, empty) => {
      const standIn = list.options.length && list.options[0].dataset.empty ? list.options[0] : null;
      if (empty) list.setAttribute('aria-description', Page.emptyWord); else list.removeAttribute('aria-description');
      if (!empty && standIn) standIn.remove();
      if (empty && !standIn) {
        const option = Object.assign(new Option(''), {disabled: true});
        option.dataset.empty = '1';
        option.setAttribute('role', 'separator');
        list.append(option);
      }
    },
    css: value => '#' + value.toString(16).padStart(6, '0'),
  },
  $Page__postset: 'Page.texts = new Map(); Page.shown = new Map(); Page.held = new Set(); Page.released = []; Page.changing = new Set();',

  // Makes one control of a kind (FormLayout's, by name), placed in CSS pixels in the window,
  // a child of its container (-1: the window); returns its number. The frame stands in the
  // window's flow, so that the boxes in it are placed from the window too.
  prince_make: function (kind, name, container, left, top, width, height, shown, text) {
    const caption = UTF8ToString(text);
    const make = (tag, properties) => Object.assign(document.createElement(tag), properties);
    let element;
    switch (UTF8ToString(kind)) {
      case 'frame':
        element = make('fieldset', {className: 'frame'});
        element.append(make('legend', {textContent: caption}));
        break;
      case 'checkbox':
        element = make('label');
        element.append(make('input', {type: 'checkbox'}), caption);
        break;
      case 'button': element = make('button', {type: 'button', textContent: caption}); break;
      case 'list': element = make('select', {size: 2}); break;
      case 'text': element = make('textarea', {readOnly: true, value: caption}); break;
      default: element = make('div', {className: 'caption', textContent: caption}); break;
    }
    element.id = UTF8ToString(name);
    const at = element.localName === 'fieldset' ? {marginLeft: left + 'px', marginTop: top + 'px'} : {left: left + 'px', top: top + 'px'};
    Object.assign(element.style, at, {width: width + 'px', height: height + 'px'});
    element.hidden = !shown;
    (container < 0 ? document.getElementById('MainForm') : Page.elements[container]).append(element);
    return Page.elements.push(element) - 1;
  },

  // The window's size, back colour (0xRRGGBB) and font (the page's title is the caption
  // already). The window is scaled as one, a layout zoom, to the largest size that fits the
  // view, and kept so as the view changes (resizing, turning, full screen).
  prince_set_window: function (width, height, back, font) {
    const form = document.getElementById('MainForm');
    Object.assign(form.style, {width: width + 'px', height: height + 'px', font: UTF8ToString(font), backgroundColor: Page.css(back)});
    const fit = () => {
      const view = document.documentElement;
      form.style.zoom = Math.floor(1000 * Math.min(view.clientWidth / width, view.clientHeight / height)) / 1000;
    };
    fit();
    addEventListener('resize', fit);
  },

  // A control's fixed back colour and the colour of its text; a button's raised edge too.
  prince_set_colours: function (element, back, text) {
    const style = Page.elements[element].style;
    Object.assign(style, {backgroundColor: Page.css(back), color: Page.css(text)});
    if (Page.elements[element].localName === 'button') style.borderColor = Page.css(back);
  },

  // The scheme's own text colour (the page's CanvasText), as 0xRRGGBB.
  prince_scheme_text: function () {
    const rgb = getComputedStyle(document.body).color.match(/[0-9.]+/g).map(Number);
    return (rgb[0] << 16) | (rgb[1] << 8) | rgb[2];
  },

  // The name a screen reader reads a control by, where it shows no caption of its own.
  prince_name: function (element, name) {
    Page.elements[element].setAttribute('aria-label', UTF8ToString(name));
  },
  // What an empty list tells a screen reader.
  prince_empty_list_says: function (text) {
    Page.emptyWord = UTF8ToString(text);
  },

  // A box's changes and a button's presses, to the window; none once a run-time error has
  // frozen it. A box's change goes to the window a frame later, so that a screen reader has
  // been told the box is checked before the trial moves the focus on; till then the box
  // takes no click.
  prince_route_box: function (element, index) {
    const box = Page.elements[element].querySelector('input');
    box.addEventListener('click', event => Page.changing.has(box) && event.preventDefault());
    box.addEventListener('change', () => {
      Page.changing.add(box);
      requestAnimationFrame(() => setTimeout(() => {
        Page.changing.delete(box);
        Page.frozen || _prince_box_changed(index);
      }));
    });
  },
  prince_route_button: function (element, index) {
    Page.elements[element].addEventListener('click', () => Page.frozen || _prince_button_pressed(index));
  },

  // Tab walks the window's controls round, as in a window: from the last to the first and back;
  // a change of the colour scheme goes to the window.
  prince_route_window: function () {
    document.getElementById('MainForm').addEventListener('keydown', event => {
      if (event.key !== 'Tab') return;
      const order = Page.focusable();
      const [edge, other] = event.shiftKey ? [order[0], order[order.length - 1]] : [order[order.length - 1], order[0]];
      if (document.activeElement === edge) {
        event.preventDefault();
        other.focus();
      }
    });
    matchMedia('(prefers-color-scheme: dark)').addEventListener('change', () => Page.frozen || _prince_scheme_changed());
  },

  // The focus in the control given, without scrolling the page, a text's first line in view;
  // then, once the window has been painted, the moment (ms from the page's start) for whoever
  // measures it (PT.painted), and each list made as many rows high as it shows, for paging,
  // measured on a row of the lists as painted: measured before, the page would be laid out
  // twice with the pool in it before its first paint.
  prince_start: function (element) {
    const first = Page.elements[element];
    first.focus({preventScroll: true});
    if (first.setSelectionRange) first.setSelectionRange(0, 0);
    first.scrollTop = 0;
    requestAnimationFrame(() => setTimeout(() => {
      globalThis.PT = {painted: performance.now()};
      const lists = Array.from(document.querySelectorAll('#MainForm select'));
      const row = lists.map(list => Page.textsOf(list).length && list.options[0].offsetHeight).find(Boolean);
      if (row) lists.forEach(list => { list.size = Math.max(2, Math.floor(list.clientHeight / row)); });
    }));
  },

  // Says a text to a screen reader, politely, from a region not shown on screen; the same text
  // again is said again.
  prince_say: function (text) {
    const said = document.getElementById('Said');
    const words = UTF8ToString(text);
    said.textContent = said.textContent === words ? words + '\u00a0' : words;
  },

  // A box's state: checked (1) or not (0); -1 where the box is missing.
  prince_box_checked: function (element) {
    const box = Page.present(element);
    return box ? Number(box.querySelector('input').checked) : -1;
  },
  // Checks or unchecks a box; that raises no change event. -1 where the box is missing.
  prince_box_set_checked: function (element, checked) {
    const box = Page.present(element);
    if (!box) return -1;
    box.querySelector('input').checked = checked !== 0;
    return 0;
  },
  // Enables or disables a box. The page drops the focus of a control it disables: the focus
  // moves on first, to the next control, as the desktop's do. -1 where the box is missing.
  prince_box_set_enabled: function (element, enabled) {
    const box = Page.present(element) && Page.elements[element].querySelector('input');
    if (!box) return -1;
    if (!enabled && document.activeElement === box) {
      const order = Page.focusable();
      const next = order[(order.indexOf(box) + 1) % order.length];
      if (next && next !== box) next.focus();
    }
    box.disabled = !enabled;
    return 0;
  },

  // A list's count; -1 where the list is missing.
  prince_list_count: function (element) {
    const list = Page.present(element);
    return list ? Page.textsOf(list).length : -1;
  },
  // Empties a list; -1 where it is missing.
  prince_list_clear: function (element) {
    const list = Page.present(element);
    if (!list) return -1;
    Page.textsOf(list).length = 0;
    Page.changed(list);
    return 0;
  },
  // Adds texts, parted by commas, at a list's end; -1 where it is missing.
  prince_list_append: function (element, joined) {
    const list = Page.present(element);
    if (!list) return -1;
    Page.textsOf(list).push(...UTF8ToString(joined).split(','));
    Page.changed(list);
    return 0;
  },
  // Removes the item at a position; -1 where the list is missing, -2 past its end.
  prince_list_remove: function (element, position) {
    const list = Page.present(element);
    if (!list) return -1;
    const texts = Page.textsOf(list);
    if (position < 0 || position >= texts.length) return -2;
    texts.splice(position, 1);
    Page.changed(list);
    return 0;
  },
  // Writes the text at a position into the buffer, as far as it goes, and returns its length
  // in bytes; -1 where the list is missing, -2 past its end.
  prince_list_text: function (element, position, buffer, size) {
    const list = Page.present(element);
    if (!list) return -1;
    const texts = Page.textsOf(list);
    if (position < 0 || position >= texts.length) return -2;
    stringToUTF8(texts[position], buffer, size);
    return lengthBytesUTF8(texts[position]);
  },
  // Holds a list (on) while a handler runs: its texts change apart from the page. The last
  // let go, the lists let go are shown, together.
  prince_list_hold: function (element, on) {
    const list = Page.elements[element];
    if (!list) return;
    if (on) {
      Page.held.add(list);
      return;
    }
    if (!Page.held.delete(list)) return;
    Page.released.push(list);
    if (!Page.held.size) Page.show(Page.released.splice(0));
  },

  // A run-time error: its report in a modal message over the window, every control disabled
  // and no further event handled.
  prince_show_report: function (report) {
    Page.frozen = true;
    Page.controls().forEach(e => { e.disabled = true; });
    const box = Object.assign(document.createElement('dialog'), {id: 'RuntimeError', textContent: UTF8ToString(report)});
    document.body.append(box);
    box.showModal();
  },
};

// Every function works on the page's state.
for (const name of Object.keys(page)) {
  if (name.startsWith('prince_')) page[name + '__deps'] = ['$Page'];
}
mergeInto(LibraryManager.library, page);
