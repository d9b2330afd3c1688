#pragma once

#include <QString>

#include <string>
#include <vector>

// Checks of the contest's invariants on plain lists of texts. Each returns an empty
// string when the invariant holds, else what is wrong.
namespace ContestCheck {
// The four lists hold each of "1".."1000" exactly once.
QString eachNumberOnce(const std::vector<std::vector<std::string>> &lists);
// The texts are numbers in strictly ascending order.
QString ascending(const std::vector<std::string> &texts);
// The texts are exactly "1".."1000".
QString fullPool(const std::vector<std::string> &texts);
} // namespace ContestCheck
