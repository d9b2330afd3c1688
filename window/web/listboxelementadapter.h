#pragma once

#include "listbox.h"

// The list-box operations on one of the page's own list boxes (window/web/listbox.js).
class ListBoxElementAdapter final : public ListBox
{
public:
    explicit ListBoxElementAdapter(int element);

    void clear() override;
    void append(const std::string &text) override;
    void appendAll(const std::vector<std::string> &texts) override;
    [[nodiscard]] std::string textAt(std::int16_t position) const override;
    void removeAt(std::int16_t position) override;
    [[nodiscard]] std::int16_t count() const override;

    // While held, the list's texts change apart from the page, which lays the list out once
    // when it is let go, as a window holds off a list box's redrawing.
    static void hold(int element, bool held);

private:
    int m_element;
};
