// The page's own list box, for each of the window's lists: a box of rows that every engine
// draws alike (on tablets and phones a select list is a one-line pop-up button, whatever its
// size), after the listbox pattern of the WAI-ARIA Authoring Practices: the list has role
// listbox and keeps the focus, its rows have role option, and aria-activedescendant names
// the selected row (the first while none is). The list operations the C++ side calls change
// each list's texts; its rows follow them at once, or once a handler lets the list go.

const listBox = {
  // The lists' state, seen by these functions alone: one record a list, by the element number
  // the C++ side uses; the lists held while a handler runs, and those let go, whose rows wait
  // for the last to be let go; the element that tells a screen reader a list is empty.
  $ListBox: {
    records: null,
    held: null,
    released: null,
    rows: 0,
    rowMould: null,
    emptyWord: null,
    // A list made: an element, and a record of its texts, its rows and their texts, the
    // selected row, whether it was emptied since its rows were shown, the digits typed.
    make: number => {
      const element = Object.assign(document.createElement('div'), {className: 'list', tabIndex: 0});
      element.setAttribute('role', 'listbox');
      const record = {element, texts: [], rows: [], shown: [], selected: null, cleared: false, typed: '', typedAt: 0,
                      standIn: Object.assign(document.createElement('div'), {className: 'empty'})};
      record.standIn.setAttribute('role', 'separator');
      ListBox.records.set(number, record);
      element.addEventListener('keydown', event => ListBox.key(record, event));
      // A click, or a tap: a finger that scrolls the list makes no click.
      element.addEventListener('click', event => {
        const row = event.target.closest('[role=option]');
        if (row) ListBox.select(record, record.rows.indexOf(row));
      });
      ListBox.settle(record);
      return element;
    },
    // The record of a list still on the page, or null.
    present: number => {
      const record = ListBox.records.get(number);
      return record && record.element.isConnected ? record : null;
    },
    // A list changed: its rows follow, unless it is held.
    changed: record => ListBox.held.has(record) || ListBox.show([record]),
    // Brings lists' rows to their texts with as little change to the page as can be. A row
    // whose text a list still holds, in the same order, stays; the others are taken out of
    // every list first, then used again where a list gains their text: a trial moves its
    // numbers from the pool to its list in one step, a reset merges them back into the pool
    // in order. A row taken out is no longer selected; an emptied list shows its top.
    show: records => {
      const spare = new Map();
      const slots = records.map(record => {
        const wanted = new Map();
        record.texts.forEach((text, at) => wanted.has(text) ? wanted.get(text).push(at) : wanted.set(text, [at]));
        const slot = new Array(record.texts.length);
        let last = -1;
        record.rows.forEach((row, i) => {
          const places = wanted.get(record.shown[i]) || [];
          while (places.length && places[0] <= last) places.shift();
          if (places.length) {
            last = places.shift();
            slot[last] = row;
            return;
          }
          if (row === record.selected) ListBox.unselect(record);
          spare.has(record.shown[i]) ? spare.get(record.shown[i]).push(row) : spare.set(record.shown[i], [row]);
        });
        if (record.cleared) ListBox.unselect(record);
        return slot;
      });
      records.forEach((record, i) => {
        const slot = slots[i];
        let run = [];
        record.texts.forEach((text, at) => {
          if (slot[at]) {
            if (run.length) slot[at].before(...run);
            run = [];
          } else {
            slot[at] = (spare.get(text) || []).pop() || ListBox.row(text);
            run.push(slot[at]);
          }
        });
        record.element.append(...run);
        record.rows = slot;
        record.shown = record.texts.slice();
        if (record.cleared) record.element.scrollTop = 0;
        record.cleared = false;
        ListBox.settle(record);
      });
      spare.forEach(rows => rows.forEach(row => row.remove()));
    },
    // A row with a text, and a name of its own for aria-activedescendant. (Named by an
    // aria-label over a text hidden from the accessibility tree, a row costs the tree less,
    // but Orca then reads the whole list at a PageDown.)
    row: text => {
      const row = ListBox.rowMould.cloneNode();
      row.id = 'Row' + ++ListBox.rows;
      row.textContent = text;
      return row;
    },
    // An empty list holds one stand-in, unseen and no item to a screen reader, and is described
    // as empty: a list box with no child at all is read as nothing. Otherwise the list names
    // its selected row, or its first, as the one the focus is on.
    settle: record => {
      const list = record.element, empty = !record.rows.length;
      if (empty) {
        list.append(record.standIn);
        list.setAttribute('aria-describedby', ListBox.emptyWord.id);
        list.removeAttribute('aria-activedescendant');
      } else {
        record.standIn.remove();
        list.removeAttribute('aria-describedby');
        list.setAttribute('aria-activedescendant', (record.selected || record.rows[0]).id);
      }
    },
    unselect: record => {
      if (record.selected) record.selected.removeAttribute('aria-selected');
      record.selected = null;
    },
    // Selects the row at a position, kept in view.
    select: (record, at) => {
      const row = record.rows[Math.max(0, Math.min(at, record.rows.length - 1))];
      if (!row) return;
      ListBox.unselect(record);
      record.selected = row;
      row.setAttribute('aria-selected', 'true');
      record.element.setAttribute('aria-activedescendant', row.id);
      const list = record.element, top = row.offsetTop, bottom = top + row.offsetHeight;
      if (top < list.scrollTop) list.scrollTop = top;
      else if (bottom > list.scrollTop + list.clientHeight) list.scrollTop = bottom - list.clientHeight;
    },
    // The keys of a desktop list box: Up, Down, Home, End; PageDown to the last row in view,
    // and on by the rows the box shows when there already; PageUp the same way up; digits
    // select the next number that starts with those typed within a second (the same digit
    // again goes on to the next number that starts with it).
    key: (record, event) => {
      // With none selected, the focus is on the first row.
      const at = record.selected ? record.rows.indexOf(record.selected) : 0;
      // Rows are as high as the font makes them, a fraction of a pixel included.
      const list = record.element, height = record.rows.length && list.scrollHeight / record.rows.length;
      const shown = height ? Math.max(1, Math.floor(list.clientHeight / height + 0.01)) : 1;
      const first = height ? Math.ceil(list.scrollTop / height - 0.01) : 0, last = first + shown - 1;
      const moves = {
        ArrowDown: () => at + 1, ArrowUp: () => Math.max(0, at - 1), Home: () => 0, End: () => record.rows.length - 1,
        PageDown: () => at < last ? last : at + shown - 1, PageUp: () => at > first ? first : at - shown + 1,
      };
      if (event.ctrlKey || event.altKey || event.metaKey) return;
      if (moves[event.key]) {
        ListBox.select(record, moves[event.key]());
      } else if (/^[0-9]$/.test(event.key)) {
        const typed = event.timeStamp - record.typedAt < 1000 ? record.typed + event.key : event.key;
        const again = typed.length > 1 && [...typed].every(digit => digit === typed[0]);
        const sought = again ? typed[0] : typed, from = record.selected && (typed.length === 1 || again) ? at + 1 : at;
        const count = record.shown.length;
        for (let step = 0; step < count; ++step) {
          if (record.shown[(from + step) % count].startsWith(sought)) {
            ListBox.select(record, (from + step) % count);
            break;
          }
        }
        Object.assign(record, {typed, typedAt: event.timeStamp});
      } else {
        return;
      }
      event.preventDefault();
    },
  },
  // Made as the page starts: a library's state is written into the page as source, which
  // keeps no Map, Set or element.
  $ListBox__postset: 'ListBox.records = new Map(); ListBox.held = new Set(); ListBox.released = []; ' +
    'ListBox.rowMould = document.createElement("div"); ListBox.rowMould.setAttribute("role", "option");',

  // What an empty list tells a screen reader.
  prince_empty_list_says: function (text) {
    ListBox.emptyWord = Object.assign(document.createElement('div'), {id: 'EmptyList', hidden: true, textContent: UTF8ToString(text)});
    document.body.append(ListBox.emptyWord);
  },
  // A list's count. Each operation answers Answer.missing where the list is not on the page,
  // and Answer.outOfRange for a position past its end.
  prince_list_count: function (element) {
    const record = ListBox.present(element);
    return record ? record.texts.length : Answer.missing;
  },
  // Empties a list.
  prince_list_clear: function (element) {
    const record = ListBox.present(element);
    if (!record) return Answer.missing;
    record.texts.length = 0;
    record.cleared = true;
    ListBox.changed(record);
    return 0;
  },
  // Adds texts, parted by commas, at a list's end.
  prince_list_append: function (element, joined) {
    const record = ListBox.present(element);
    if (!record) return Answer.missing;
    record.texts.push(...UTF8ToString(joined).split(','));
    ListBox.changed(record);
    return 0;
  },
  // Removes the item at a position.
  prince_list_remove: function (element, position) {
    const record = ListBox.present(element);
    if (!record) return Answer.missing;
    if (position < 0 || position >= record.texts.length) return Answer.outOfRange;
    record.texts.splice(position, 1);
    ListBox.changed(record);
    return 0;
  },
  // Writes the text at a position into the buffer, as far as it goes, and returns its length
  // in bytes.
  prince_list_text: function (element, position, buffer, size) {
    const record = ListBox.present(element);
    if (!record) return Answer.missing;
    if (position < 0 || position >= record.texts.length) return Answer.outOfRange;
    stringToUTF8(record.texts[position], buffer, size);
    return lengthBytesUTF8(record.texts[position]);
  },
  // Holds a list (on) while a handler runs: its texts change apart from the page. The last
  // let go, the lists let go are shown, together.
  prince_list_hold: function (element, on) {
    const record = ListBox.records.get(element);
    if (!record) return;
    if (on) {
      ListBox.held.add(record);
      return;
    }
    if (!ListBox.held.delete(record)) return;
    ListBox.released.push(record);
    if (!ListBox.held.size) ListBox.show(ListBox.released.splice(0));
  },
};

// Every function works on the lists' state, answers as page.js names it, and reads and writes
// texts with the runtime's string helpers: declared where this Emscripten has them as library
// functions, as newer ones do (older ones build them in).
const stringHelpers = ['$UTF8ToString', '$stringToUTF8', '$lengthBytesUTF8'].filter(name => name in LibraryManager.library);
for (const name of Object.keys(listBox)) {
  if (name.startsWith('prince_')) listBox[name + '__deps'] = ['$ListBox', '$Answer', ...stringHelpers];
}
mergeInto(LibraryManager.library, listBox);
