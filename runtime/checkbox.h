#pragma once

#include <cstdint>

// What the contest needs from a check box: its checked state and whether it takes input.
class CheckBox
{
public:
    static constexpr std::int16_t Unchecked = 0;
    static constexpr std::int16_t Checked = 1;

    virtual ~CheckBox() = default;

    [[nodiscard]] virtual std::int16_t value() const = 0;
    // Setting the state from the program may raise the box's change event.
    virtual void setValue(std::int16_t value) = 0;
    virtual void setEnabled(bool enabled) = 0;
};
