#include "checkboxcontroladapter.h"

#include "runtimeerror.h"

CheckBoxControlAdapter::CheckBoxControlAdapter(HWND control)
    : m_control(control)
{
    if (IsWindow(m_control) == FALSE) {
        runtimeError("the check box is missing");
    }
}

std::int16_t CheckBoxControlAdapter::value() const
{
    return SendMessageW(m_control, BM_GETCHECK, 0, 0) == BST_CHECKED ? Checked : Unchecked;
}

void CheckBoxControlAdapter::setValue(std::int16_t value)
{
    if (value != Unchecked && value != Checked) {
        runtimeError("invalid check box state");
    }
    // Setting the state from the program raises no click: BM_SETCHECK notifies nobody.
    SendMessageW(m_control, BM_SETCHECK, value == Checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void CheckBoxControlAdapter::setEnabled(bool enabled)
{
    // Windows leaves no control with the focus when it disables the focused one: the focus
    // moves on to the next control first, as the Qt window does.
    if (!enabled && GetFocus() == m_control) {
        SetFocus(GetNextDlgTabItem(GetParent(m_control), m_control, FALSE));
    }
    EnableWindow(m_control, enabled ? TRUE : FALSE);
}
