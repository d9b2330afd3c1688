#pragma once

#include "listbox.h"

#include <windows.h>

// The list-box operations on a standard LISTBOX control.
class ListBoxControlAdapter final : public ListBox
{
public:
    explicit ListBoxControlAdapter(HWND control);

    void clear() override;
    void append(const std::string &text) override;
    void appendAll(const std::vector<std::string> &texts) override;
    [[nodiscard]] std::string textAt(std::int16_t position) const override;
    void removeAt(std::int16_t position) override;
    [[nodiscard]] std::int16_t count() const override;

    // While held, the list box is not redrawn; let go, it is redrawn once. A list box redraws
    // itself after every change, and a trial's 333 moves or the pool's 1000 entries, redrawn
    // one by one, take seconds under Wine.
    static void hold(HWND control, bool held);

private:
    HWND const m_control;
};
