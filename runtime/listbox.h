#pragma once

#include <cstdint>
#include <string>
#include <vector>

// What the contest needs from a list box: an unsorted list of texts.
// Positions and counts are 16-bit, positions count from 0.
class ListBox
{
public:
    virtual ~ListBox() = default;

    virtual void clear() = 0;
    // Adds text as the last item.
    virtual void append(const std::string &text) = 0;
    // Adds the texts in order, as the last items; a list box may do it in one step.
    virtual void appendAll(const std::vector<std::string> &texts)
    {
        for (const auto &text : texts) {
            append(text);
        }
    }
    [[nodiscard]] virtual std::string textAt(std::int16_t position) const = 0;
    // Removes the item at position; the items behind it move up by one.
    virtual void removeAt(std::int16_t position) = 0;
    [[nodiscard]] virtual std::int16_t count() const = 0;
};
