// The page's side of the program: the functions the C++ side calls by name (the window's in
// pagefunctions.h, the boxes' in elementfunctions.h). They make the window's controls as the
// page's own elements (the lists as the page's own list boxes, listbox.js), carry out the box
// operations on them, route their events back and show a run-time error. Elements are known to
// the C++ side by number.

const page = {
  // The page's own state, seen by these functions alone: the elements by number; the boxes
  // whose change has not reached the window yet, which take no click; frozen, once a
  // run-time error has been shown. (The lists' is listbox.js's.)
  $Page: {
    elements: [],
    changing: null,
    frozen: false,
    // The window's form controls and lists, in the page's order.
    controls: () => [...document.querySelectorAll('#MainForm input, #MainForm [role=listbox], #MainForm textarea, #MainForm button')],
    // Those that take the focus now, in the order Tab walks them.
    focusable: () => Page.controls().filter(e => !e.disabled && e.offsetParent !== null),
    // A box still on the page, or null.
    present: element => {
      const found = Page.elements[element];
      return found && found.isConnected ? found : null;
    },
    css: value => '#' + value.toString(16).padStart(6, '0'),
  },
  // A library's state is written into the page as source, which keeps no Set: made as it starts.
  $Page__postset: 'Page.changing = new Set();',
  // What the list and box operations answer where they cannot act (as elementfunctions.h names them).
  $Answer: {missing: -1, outOfRange: -2},

  // Makes one control of a kind (FormLayout's, by name), placed in CSS pixels in the window,
  // a child of its container (-1: the window); returns its number. A kind it does not know
  // throws. The frame stands in the
  // window's flow, so that the boxes in it are placed from the window too.
  prince_make: function (kind, name, container, left, top, width, height, shown, text) {
    const caption = UTF8ToString(text), number = Page.elements.length;
    const make = (tag, properties) => Object.assign(document.createElement(tag), properties);
    let element;
    const kindName = UTF8ToString(kind);
    switch (kindName) {
      case 'frame':
        element = make('fieldset', {className: 'frame'});
        element.append(make('legend', {textContent: caption}));
        break;
      case 'checkbox':
        element = make('label');
        element.append(make('input', {type: 'checkbox'}), caption);
        break;
      case 'button': element = make('button', {type: 'button', textContent: caption}); break;
      case 'list': element = ListBox.make(number); break;
      case 'text': element = make('textarea', {readOnly: true, value: caption}); break;
      case 'caption': element = make('div', {className: 'caption', textContent: caption}); break;
      default: throw new Error('no kind of control called ' + JSON.stringify(kindName));
    }
    element.id = UTF8ToString(name);
    const at = element.localName === 'fieldset' ? {marginLeft: left + 'px', marginTop: top + 'px'} : {left: left + 'px', top: top + 'px'};
    Object.assign(element.style, at, {width: width + 'px', height: height + 'px'});
    element.hidden = !shown;
    (container < 0 ? document.getElementById('MainForm') : Page.elements[container]).append(element);
    Page.elements.push(element);
    return number;
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

  // A box's changes and a button's presses, to the window; none once a run-time error has
  // frozen it. A box's change goes to the window a frame later, so that a screen reader has
  // been told the box is checked before the trial moves the focus on, or 100 ms later where
  // the engine paints no frame (a window it holds inactive); till then the box takes no click.
  prince_route_box: function (element, index) {
    const box = Page.elements[element].querySelector('input');
    box.addEventListener('click', event => Page.changing.has(box) && event.preventDefault());
    box.addEventListener('change', () => {
      const changed = () => Page.changing.delete(box) && !Page.frozen && _prince_box_changed(index);
      Page.changing.add(box);
      requestAnimationFrame(() => setTimeout(changed));
      setTimeout(changed, 100);
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

  // The focus in the control given, without scrolling the page, a text's first line in view.
  prince_focus: function (element) {
    const first = Page.elements[element];
    first.focus({preventScroll: true});
    if (first.setSelectionRange) first.setSelectionRange(0, 0);
    first.scrollTop = 0;
  },
  // Once the window has been painted, the moment is marked for whoever measures it: the
  // performance mark "painted".
  prince_mark_painted: function () {
    requestAnimationFrame(() => setTimeout(() => performance.mark('painted')));
  },

  // Says a text to a screen reader, politely, from a region not shown on screen: in an element
  // added to it, which every engine announces (WebKit says nothing of a text replaced), so the
  // same text again is said again.
  prince_say: function (text) {
    document.getElementById('Said').replaceChildren(Object.assign(document.createElement('div'), {textContent: UTF8ToString(text)}));
  },

  // A box's state: checked (1) or not (0). Each box operation answers Answer.missing where
  // the box is not on the page.
  prince_box_checked: function (element) {
    const box = Page.present(element);
    return box ? Number(box.querySelector('input').checked) : Answer.missing;
  },
  // Checks or unchecks a box; that raises no change event.
  prince_box_set_checked: function (element, checked) {
    const box = Page.present(element);
    if (!box) return Answer.missing;
    box.querySelector('input').checked = checked !== 0;
    return 0;
  },
  // Enables or disables a box. The page drops the focus of a control it disables: the focus
  // moves on first, to the next control, as the desktop's do.
  prince_box_set_enabled: function (element, enabled) {
    const box = Page.present(element) && Page.elements[element].querySelector('input');
    if (!box) return Answer.missing;
    if (!enabled && document.activeElement === box) {
      const order = Page.focusable();
      const next = order[(order.indexOf(box) + 1) % order.length];
      if (next && next !== box) next.focus();
    }
    box.disabled = !enabled;
    return 0;
  },

  // A run-time error: its report in a modal message over the window, every control disabled
  // and no further event handled.
  prince_show_report: function (report) {
    Page.frozen = true;
    Page.controls().forEach(e => ('disabled' in e ? e.disabled = true : e.setAttribute('aria-disabled', 'true')));
    const box = Object.assign(document.createElement('dialog'), {id: 'RuntimeError', textContent: UTF8ToString(report)});
    document.body.append(box);
    box.showModal();
  },
};

// Every function works on the page's state (the window's lists are listbox.js's) and reads its
// texts with the runtime's string helper: declared where this Emscripten has it as a library
// function, as newer ones do (older ones build it in).
const stringHelpers = ['$UTF8ToString'].filter(name => name in LibraryManager.library);
for (const name of Object.keys(page)) {
  if (name.startsWith('prince_')) page[name + '__deps'] = ['$Page', '$Answer', '$ListBox', ...stringHelpers];
}
mergeInto(LibraryManager.library, page);
