#pragma once

#include "contest.h"
#include "contestrules.h"

#include <array>
#include <cstddef>
#include <utility>

// Four lists and three boxes of one kind each, owned together and handed to the contest in one:
// in-memory stand-ins in a test, or adapters over a window's own controls.
template <typename List, typename Box>
class ContestParts
{
public:
    ContestParts() = default;

    // One adapter over each of a window's lists and boxes: List(listHandles[i]) and Box(boxHandles[i]).
    template <typename ListHandles, typename BoxHandles>
    ContestParts(const ListHandles &listHandles, const BoxHandles &boxHandles)
        : lists(each<List>(listHandles, std::make_index_sequence<ContestRules::ListCount>()))
        , boxes(each<Box>(boxHandles, std::make_index_sequence<ContestRules::TrialCount>()))
    {
    }

    [[nodiscard]] Contest::Stage stage()
    {
        Contest::Stage stage{};
        for (std::size_t i = 0; i < lists.size(); ++i) {
            stage.lists[i] = &lists[i];
        }
        for (std::size_t i = 0; i < boxes.size(); ++i) {
            stage.boxes[i] = &boxes[i];
        }
        return stage;
    }

    std::array<List, ContestRules::ListCount> lists{};
    std::array<Box, ContestRules::TrialCount> boxes{};

private:
    template <typename Part, typename Handles, std::size_t... I>
    static std::array<Part, sizeof...(I)> each(const Handles &handles, std::index_sequence<I...>)
    {
        static_assert(std::tuple_size_v<Handles> == sizeof...(I), "one handle for each list and box of the contest");
        return {Part(handles[I])...};
    }
};
