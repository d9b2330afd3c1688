#pragma once

#include "randomsource.h"

#include <cstdint>
#include <random>

// The program's random source: a 32-bit Mersenne Twister turned into floats in [0, 1).
// It starts from a fixed seed; seed() restarts it from the system clock.
class ClockRandom final : public RandomSource
{
public:
    ClockRandom() = default;

    void seed() override;
    [[nodiscard]] float next() override;

    // Restarts the sequence from a given seed, for repeatable runs.
    void seedWith(std::uint64_t value);

    // The top 24 bits of a 32-bit engine output times 2^-24: every float it gives is a
    // multiple of 2^-24 in [0, 1 - 2^-24], so the result is never 1.0f.
    [[nodiscard]] static constexpr float toUnitFloat(std::uint32_t bits) { return static_cast<float>(bits >> 8U) * 0x1p-24F; }

private:
    std::mt19937 m_engine;
};
