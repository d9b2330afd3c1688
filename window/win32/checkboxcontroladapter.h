#pragma once

#include "checkbox.h"

#include <windows.h>

// The check-box operations on a standard BUTTON control with the auto check box style.
class CheckBoxControlAdapter final : public CheckBox
{
public:
    explicit CheckBoxControlAdapter(HWND control);

    [[nodiscard]] std::int16_t value() const override;
    void setValue(std::int16_t value) override;
    void setEnabled(bool enabled) override;

private:
    HWND const m_control;
};
