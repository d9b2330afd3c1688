#pragma once

#include <cstdint>

// The fixed numbers of the contest.
namespace ContestRules {
inline constexpr std::int16_t Candidates = 1000;
inline constexpr std::int16_t DropOutsPerTrial = 333;
inline constexpr std::int16_t TrialCount = 3;
// The pool is the list after the three trial lists; trial i uses list i and box i.
inline constexpr std::int16_t PoolIndex = 3;
inline constexpr std::int16_t ListCount = TrialCount + 1;
// Drawn positions come from floor(r * DrawSpan), whatever the pool's size.
inline constexpr float DrawSpan = 333.0F;
} // namespace ContestRules
