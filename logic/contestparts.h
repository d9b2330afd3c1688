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

    // One adapter over each control: List(listControls[i]) and Box(boxControls[i]).
    template <typename ListControls, typename BoxControls>
    ContestParts(const ListControls &listControls, const BoxControls &boxControls)
        : lists(each<List>(listControls, std::make_index_sequence<ContestRules::ListCount>()))
        , boxes(each<Box>(boxControls, std::make_index_sequence<ContestRules::TrialCount>()))
    {
    }

    [[nodiscard]] Contest::Controls controls()
    {
        Contest::Controls controls{};
        for (std::size_t i = 0; i < lists.size(); ++i) {
            controls.lists[i] = &lists[i];
        }
        for (std::size_t i = 0; i < boxes.size(); ++i) {
            controls.boxes[i] = &boxes[i];
        }
        return controls;
    }

    std::array<List, ContestRules::ListCount> lists{};
    std::array<Box, ContestRules::TrialCount> boxes{};

private:
    template <typename Part, typename Controls, std::size_t... I>
    static std::array<Part, sizeof...(I)> each(const Controls &controls, std::index_sequence<I...>)
    {
        static_assert(std::tuple_size_v<Controls> == sizeof...(I), "one control for each list and box of the contest");
        return {Part(controls[I])...};
    }
};
