#pragma once

#include "listbox.h"

#include <string>
#include <utility>
#include <vector>

// An in-memory list box that also records every draw it serves: the pool's count and
// the position removed.
class FakeListBox final : public ListBox
{
public:
    struct Removal {
        std::int16_t countBefore;
        std::int16_t position;
    };

    void clear() override { items.clear(); }
    void append(const std::string &text) override { items.push_back(text); }
    [[nodiscard]] std::string textAt(std::int16_t position) const override { return items.at(static_cast<std::size_t>(position)); }
    void removeAt(std::int16_t position) override
    {
        removals.push_back({count(), position});
        items.erase(items.begin() + position);
    }
    [[nodiscard]] std::int16_t count() const override { return static_cast<std::int16_t>(items.size()); }

    std::vector<std::string> items;
    std::vector<Removal> removals;
};
