#include "listboxelementadapter.h"

#include "elementfunctions.h"
#include "runtimeerror.h"

namespace {

using ElementAnswer::Missing;
using ElementAnswer::OutOfRange;

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

ListBoxElementAdapter::ListBoxElementAdapter(int element)
    : m_element(element)
{
    check(prince_list_count(m_element) < 0 ? Missing : 0);
}

void ListBoxElementAdapter::clear()
{
    check(prince_list_clear(m_element));
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
    check(prince_list_append(m_element, joined.c_str()));
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
    check(prince_list_remove(m_element, position));
}

std::int16_t ListBoxElementAdapter::count() const
{
    const int count = prince_list_count(m_element);
    check(count);
    return static_cast<std::int16_t>(count);
}

void ListBoxElementAdapter::hold(int element, bool held)
{
    prince_list_hold(element, held ? 1 : 0);
}
