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

private:
    HWND const m_control;
};
