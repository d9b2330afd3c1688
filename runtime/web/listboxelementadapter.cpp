#include "listboxelementadapter.h"

#include "runtimeerror.h"

#include <emscripten.h>

namespace {

// Answers of the page's side: a list that is not on the page, or a position past its end.
constexpr int Missing = -1;
constexpr int OutOfRange = -2;

void check(int answer)
{
    if (answer == Missing) {
        runtimeError("the list box is missing");
    }
    if (answer == OutOfRange) {
        runtimeError("list position out of range");
    }
}

} // namespace

// The list's texts: the held copy while a handler runs, else the options themselves. On
// release, the options are brought to the held texts with as little change as can be: those
// gone are removed and the new ones added at the end, so that the page lays out only what
// changed (making the options anew costs it some ten times more), and the item a person had
// selected stays selected.
// clang-format off
EM_JS(int, prince_list_op, (int element, int op, int position, const char *text), {
    const list = PT.el[element];
    if (!list || !list.isConnected) return -1;
    const held = PT.held.get(list);
    const count = held ? held.length : list.options.length;
    switch (op) {
    case 0: if (held) held.length = 0; else list.replaceChildren(); return 0;
    case 1: {
        const texts = UTF8ToString(text).split(",");
        if (held) held.push(...texts); else list.append(...texts.map(t => new Option(t)));
        return 0;
    }
    case 2: return count;
    case 3:
        if (position < 0 || position >= count) return -2;
        if (held) held.splice(position, 1); else list.remove(position);
        return 0;
    }
    return 0;
});
EM_JS(int, prince_list_text, (int element, int position, char *buffer, int size), {
    const list = PT.el[element];
    if (!list || !list.isConnected) return -1;
    const held = PT.held.get(list);
    const count = held ? held.length : list.options.length;
    if (position < 0 || position >= count) return -2;
    const text = held ? held[position] : list.options[position].text;
    stringToUTF8(text, buffer, size);
    return lengthBytesUTF8(text);
});
EM_JS(void, prince_list_hold, (int element, int on), {
    const list = PT.el[element];
    if (!list) return;
    if (on) {
        PT.held.set(list, Array.from(list.options, o => o.text));
        return;
    }
    const texts = PT.held.get(list);
    PT.held.delete(list);
    if (!texts) return;
    let kept = 0;
    const gone = Array.from(list.options).filter(option => {
        if (kept < texts.length && option.text === texts[kept]) { ++kept; return false; }
        return true;
    });
    gone.forEach(option => option.remove());
    list.append(...texts.slice(kept).map(t => new Option(t)));
});
// clang-format on

ListBoxElementAdapter::ListBoxElementAdapter(int element)
    : m_element(element)
{
    check(prince_list_op(m_element, 2, 0, nullptr) < 0 ? Missing : 0);
}

void ListBoxElementAdapter::clear()
{
    check(prince_list_op(m_element, 0, 0, nullptr));
}

void ListBoxElementAdapter::append(const std::string &text)
{
    appendAll({text});
}

void ListBoxElementAdapter::appendAll(const std::vector<std::string> &texts)
{
    if (texts.empty()) {
        return;
    }
    if (count() + static_cast<long>(texts.size()) > INT16_MAX) {
        runtimeError("list box is full");
    }
    // One call for the lot, the texts parted by commas (no list holds one).
    std::string joined;
    for (const auto &text : texts) {
        if (text.find(',') != std::string::npos) {
            runtimeError("a list text holds a comma");
        }
        joined += (joined.empty() ? "" : ",") + text;
    }
    check(prince_list_op(m_element, 1, 0, joined.c_str()));
}

std::string ListBoxElementAdapter::textAt(std::int16_t position) const
{
    // The page writes the text into the buffer, as far as it goes, and says how long it is.
    std::string text(15, '\0');
    int length = prince_list_text(m_element, position, text.data(), static_cast<int>(text.size() + 1));
    if (length > static_cast<int>(text.size())) {
        text.resize(static_cast<std::size_t>(length));
        length = prince_list_text(m_element, position, text.data(), length + 1);
    }
    check(length);
    text.resize(static_cast<std::size_t>(length));
    return text;
}

void ListBoxElementAdapter::removeAt(std::int16_t position)
{
    check(prince_list_op(m_element, 3, position, nullptr));
}

std::int16_t ListBoxElementAdapter::count() const
{
    const int count = prince_list_op(m_element, 2, 0, nullptr);
    check(count);
    return static_cast<std::int16_t>(count);
}

void ListBoxElementAdapter::hold(int element)
{
    prince_list_hold(element, 1);
}

void ListBoxElementAdapter::release(int element)
{
    prince_list_hold(element, 0);
}
