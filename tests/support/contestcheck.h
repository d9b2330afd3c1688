#pragma once

#include "contestrules.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

// The contest's invariants, checked on plain lists of texts so that every test can use them,
// on any front end. Each check returns an empty string when it holds, else what is wrong.
namespace ContestCheck {

// The four lists: the three trials' and the pool last.
using Lists = std::vector<std::vector<std::string>>;
struct Box {
    bool checked = false;
    bool enabled = true;
};
using Boxes = std::array<Box, ContestRules::TrialCount>;
// The trials in the order they run.
using Order = std::vector<std::int16_t>;

// Every order in which the three trials can run.
inline const std::array<Order, 6> TrialOrders{{{0, 1, 2}, {0, 2, 1}, {1, 0, 2}, {1, 2, 0}, {2, 0, 1}, {2, 1, 0}}};

// The lists hold each of "1".."1000" exactly once.
[[nodiscard]] std::string eachNumberOnce(const Lists &lists);
// The texts are numbers in strictly ascending order.
[[nodiscard]] std::string ascending(const std::vector<std::string> &texts);
// The texts are exactly "1".."1000".
[[nodiscard]] std::string fullPool(const std::vector<std::string> &texts);
// All that holds between events: each number once, the pool ascending, and each trial's
// list empty with its box armed, or holding 333 with its box checked and locked.
[[nodiscard]] std::string invariants(const Lists &lists, const Boxes &boxes);

} // namespace ContestCheck
