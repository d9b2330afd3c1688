#pragma once

#include "contestrules.h"

#include <array>
#include <cstdint>

class CheckBox;
class ListBox;
class RandomSource;

// The contest: refilling the pool and drawing a trial's drop-outs. Its whole state lives in
// the four lists and three boxes it is given; it keeps no copy.
class Contest
{
public:
    using Lists = std::array<ListBox *, ContestRules::ListCount>;
    using Boxes = std::array<CheckBox *, ContestRules::TrialCount>;
    // What the contest is played on: the three trials' lists and the pool last, and a box per
    // trial.
    struct Stage {
        Lists lists;
        Boxes boxes;
    };

    // currentTrial names the trial that RunTrial() runs; its owner writes it.
    Contest(const Stage &stage, const std::int16_t &currentTrial, RandomSource &random);

    // Empties the trial lists, re-arms the boxes and refills the pool with "1".."1000".
    void ResetPool();
    // Moves 333 randomly drawn texts from the pool to the list of trial currentTrial.
    // Only for a trial in 0..2 that has not run since the last reset.
    void RunTrial();

    // The pool position that value r draws from a pool of poolCount entries:
    // floor(r * 333) mod poolCount, with the product formed exactly.
    [[nodiscard]] static std::int16_t drawPosition(float r, std::int16_t poolCount);

private:
    const Lists m_lists;
    const Boxes m_boxes;
    const std::int16_t &m_currentTrial;
    RandomSource &m_random;
};
