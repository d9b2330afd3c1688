#pragma once

#include "checkbox.h"

// The check-box operations on a page's check box (an input inside its label).
class CheckBoxElementAdapter final : public CheckBox
{
public:
    explicit CheckBoxElementAdapter(int element);

    [[nodiscard]] std::int16_t value() const override;
    void setValue(std::int16_t value) override;
    void setEnabled(bool enabled) override;

private:
    int m_element;
};
