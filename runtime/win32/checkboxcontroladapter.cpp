#include "checkboxcontroladapter.h"

#include "runtimeerror.h"

CheckBoxControlAdapter::CheckBoxControlAdapter(HWND control)
    : m_control(control)
{
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
    EnableWindow(m_control, enabled ? TRUE : FALSE);
}
