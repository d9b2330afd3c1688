#include "listboxcontroladapter.h"

#include "runtimeerror.h"
#include "widetext.h"

#include <cstdint>

ListBoxControlAdapter::ListBoxControlAdapter(HWND control)
    : m_control(control)
{
    // A message to a list box that is not there answers 0: the list would take texts and
    // lose them, and say it is empty.
    if (IsWindow(m_control) == FALSE) {
        runtimeError("the list box is missing");
    }
}

void ListBoxControlAdapter::clear()
{
    SendMessageW(m_control, LB_RESETCONTENT, 0, 0);
}

void ListBoxControlAdapter::append(const std::string &text)
{
    const std::wstring wide = wideText(text);
    // The position it took: past the 16-bit positions, or refused, the list is full.
    const LRESULT result = SendMessageW(m_control, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide.c_str()));
    if (result == LB_ERR || result == LB_ERRSPACE || result >= INT16_MAX) {
        runtimeError("list box is full");
    }
}

void ListBoxControlAdapter::appendAll(const std::vector<std::string> &texts)
{
    if (count() + static_cast<std::int64_t>(texts.size()) > INT16_MAX) {
        runtimeError("list box is full");
    }
    // The storage for the lot, reserved up front.
    SendMessageW(m_control, LB_INITSTORAGE, texts.size(), texts.size() * 8 * sizeof(wchar_t));
    for (const auto &text : texts) {
        append(text);
    }
}

std::string ListBoxControlAdapter::textAt(std::int16_t position) const
{
    const LRESULT length = SendMessageW(m_control, LB_GETTEXTLEN, static_cast<WPARAM>(position), 0);
    if (position < 0 || length == LB_ERR) {
        runtimeError("list position out of range");
    }
    std::wstring wide(static_cast<std::size_t>(length) + 1, L'\0');
    const LRESULT copied = SendMessageW(m_control, LB_GETTEXT, static_cast<WPARAM>(position), reinterpret_cast<LPARAM>(wide.data()));
    if (copied == LB_ERR) {
        runtimeError("list position out of range");
    }
    wide.resize(static_cast<std::size_t>(copied));
    return utf8Text(wide);
}

void ListBoxControlAdapter::removeAt(std::int16_t position)
{
    if (position < 0 || SendMessageW(m_control, LB_DELETESTRING, static_cast<WPARAM>(position), 0) == LB_ERR) {
        runtimeError("list position out of range");
    }
}

std::int16_t ListBoxControlAdapter::count() const
{
    const LRESULT count = SendMessageW(m_control, LB_GETCOUNT, 0, 0);
    if (count == LB_ERR) {
        runtimeError("the list box cannot count its items");
    }
    return static_cast<std::int16_t>(count);
}

void ListBoxControlAdapter::hold(HWND control, bool held)
{
    SendMessageW(control, WM_SETREDRAW, held ? FALSE : TRUE, 0);
    // A list that is not on screen yet (the window at its start) is painted when it is shown.
    if (!held && IsWindowVisible(control) != FALSE) {
        RedrawWindow(control, nullptr, nullptr, RDW_ERASE | RDW_FRAME | RDW_INVALIDATE);
    }
}
