#include "classiccontrols.h"

namespace ClassicControls {

namespace {

WNDPROC originalOf(HWND control)
{
    return reinterpret_cast<WNDPROC>(GetWindowLongPtrW(control, GWLP_USERDATA));
}

void subclass(HWND control, WNDPROC procedure)
{
    SetWindowLongPtrW(control, GWLP_USERDATA, GetWindowLongPtrW(control, GWLP_WNDPROC));
    SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(procedure));
}

LRESULT CALLBACK tabLeavingEdit(HWND edit, UINT message, WPARAM wParam, LPARAM lParam)
{
    const LRESULT result = CallWindowProcW(originalOf(edit), edit, message, wParam, lParam);
    return message == WM_GETDLGCODE ? result & ~static_cast<LRESULT>(DLGC_WANTTAB | DLGC_WANTALLKEYS) : result;
}

LRESULT CALLBACK returnPressedButton(HWND button, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_GETDLGCODE && wParam == VK_RETURN) {
        return CallWindowProcW(originalOf(button), button, message, wParam, lParam) | DLGC_WANTMESSAGE;
    }
    if (message == WM_KEYDOWN && wParam == VK_RETURN) {
        PostMessageW(GetParent(button), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED), reinterpret_cast<LPARAM>(button));
        return 0;
    }
    return CallWindowProcW(originalOf(button), button, message, wParam, lParam);
}

} // namespace

Kind of(FormLayout::Kind kind)
{
    switch (kind) {
    case FormLayout::Kind::Frame:
        return {L"BUTTON", BS_GROUPBOX, 0};
    case FormLayout::Kind::CheckBox:
        return {L"BUTTON", BS_AUTOCHECKBOX | WS_TABSTOP, 0};
    case FormLayout::Kind::CommandButton:
        return {L"BUTTON", BS_OWNERDRAW | WS_TABSTOP, 0};
    case FormLayout::Kind::ListBox:
        return {L"LISTBOX", LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE};
    case FormLayout::Kind::TextBox:
        return {L"EDIT", ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | WS_VSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE};
    case FormLayout::Kind::Label:
        return {L"STATIC", SS_CENTER | SS_NOPREFIX, 0};
    }
    return {};
}

void letTabLeave(HWND edit)
{
    subclass(edit, &tabLeavingEdit);
}

void pressOnReturn(HWND button)
{
    subclass(button, &returnPressedButton);
}

void drawButton(const DRAWITEMSTRUCT &item, HBRUSH back, COLORREF text, HFONT font, const std::wstring &caption)
{
    RECT rect = item.rcItem;
    FillRect(item.hDC, &rect, back);
    const bool pressed = (item.itemState & ODS_SELECTED) != 0;
    DrawEdge(item.hDC, &rect, pressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
    RECT captionRect = rect;
    if (pressed) {
        OffsetRect(&captionRect, 1, 1);
    }
    const HGDIOBJ previous = SelectObject(item.hDC, font);
    SetBkMode(item.hDC, TRANSPARENT);
    SetTextColor(item.hDC, text);
    DrawTextW(item.hDC, caption.c_str(), -1, &captionRect, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(item.hDC, previous);
    if ((item.itemState & ODS_FOCUS) != 0) {
        InflateRect(&rect, -4, -4);
        DrawFocusRect(item.hDC, &rect);
    }
}

} // namespace ClassicControls
