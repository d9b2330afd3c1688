#pragma once

#include "checkbox.h"

class FakeCheckBox final : public CheckBox
{
public:
    [[nodiscard]] std::int16_t value() const override { return state; }
    void setValue(std::int16_t value) override { state = value; }
    void setEnabled(bool value) override { enabled = value; }

    std::int16_t state = Checked; // deliberately not the reset state
    bool enabled = false;
};
