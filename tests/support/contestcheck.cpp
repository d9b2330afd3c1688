#include "contestcheck.h"

#include "numbertext.h"

namespace ContestCheck {

namespace {

constexpr auto Candidates = static_cast<std::size_t>(ContestRules::Candidates);

// The candidate's number a text names (decimal digits, no sign, blank or leading zero), or
// 0 when it names none.
std::size_t candidate(const std::string &text)
{
    if (text.empty() || text.size() > 4 || text[0] == '0') {
        return 0;
    }
    std::size_t n = 0;
    for (const char digit : text) {
        if (digit < '0' || digit > '9') {
            return 0;
        }
        n = n * 10 + static_cast<std::size_t>(digit - '0');
    }
    return n <= Candidates ? n : 0;
}

} // namespace

std::string eachNumberOnce(const Lists &lists)
{
    std::array<int, Candidates + 1> seen{};
    for (const auto &list : lists) {
        for (const auto &text : list) {
            const std::size_t n = candidate(text);
            if (n == 0) {
                return "not a candidate's number: \"" + text + "\"";
            }
            ++seen[n];
        }
    }
    for (std::size_t n = 1; n <= Candidates; ++n) {
        if (seen[n] != 1) {
            return std::to_string(n) + " stands " + std::to_string(seen[n]) + " times";
        }
    }
    return {};
}

std::string ascending(const std::vector<std::string> &texts)
{
    for (std::size_t i = 1; i < texts.size(); ++i) {
        if (candidate(texts[i - 1]) >= candidate(texts[i])) {
            return "\"" + texts[i - 1] + "\" before \"" + texts[i] + "\" at " + std::to_string(i);
        }
    }
    return {};
}

std::string fullPool(const std::vector<std::string> &texts)
{
    if (texts.size() != Candidates) {
        return std::to_string(texts.size()) + " entries";
    }
    for (unsigned int n = 1; n <= Candidates; ++n) {
        if (texts[n - 1] != numberText(n)) {
            return "entry " + std::to_string(n - 1) + " is \"" + texts[n - 1] + "\"";
        }
    }
    return {};
}

std::string invariants(const Lists &lists, const Boxes &boxes)
{
    if (lists.size() != static_cast<std::size_t>(ContestRules::ListCount)) {
        return std::to_string(lists.size()) + " lists";
    }
    if (std::string problem = eachNumberOnce(lists); !problem.empty()) {
        return problem;
    }
    if (std::string problem = ascending(lists[ContestRules::PoolIndex]); !problem.empty()) {
        return "the pool: " + problem;
    }
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        const std::size_t count = lists[i].size();
        const bool run = count == static_cast<std::size_t>(ContestRules::DropOutsPerTrial);
        if ((!run && count != 0) || boxes[i].checked != run || boxes[i].enabled == run) {
            return "trial " + std::to_string(i) + ": " + std::to_string(count) + " entries, box " +
                (boxes[i].checked ? "checked" : "unchecked") + " and " + (boxes[i].enabled ? "enabled" : "disabled");
        }
    }
    return {};
}

} // namespace ContestCheck
