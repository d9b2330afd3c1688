#pragma once

#include "contest.h"

#include <cstdint>

class RandomSource;

// What the window does when it loads and when its boxes and button are used, without a
// toolkit: each front end makes its controls, wraps them in the runtime's list-box and
// check-box operations and routes their events here.
class FormHandlers
{
public:
    FormHandlers(const Contest::Stage &stage, RandomSource &random);

    // Raised once, when the window is created and before it is first shown: the contest
    // starts fresh, then the random source is seeded from the clock, once per run.
    void Form_Load();
    // Box Index changed state. A checked box locks and runs its trial; an unchecked one
    // (the reset unchecking it) does nothing.
    void Check1_Click(std::int16_t Index);
    // Button Index was pressed: button 0 restarts the contest, without reseeding.
    void Command1_Click(std::int16_t Index);

    // The trial that ran last, 0 until one has.
    [[nodiscard]] std::int16_t currentTrial() const;

private:
    std::int16_t CurrentTrial = 0;
    const Contest::Boxes m_check1;
    RandomSource &m_random;
    Contest m_contest;
};
