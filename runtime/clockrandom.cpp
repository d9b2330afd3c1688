#include "clockrandom.h"

#include <chrono>

void ClockRandom::seed()
{
    const auto ticks = std::chrono::system_clock::now().time_since_epoch();
    seedWith(static_cast<std::uint64_t>(std::chrono::duration_cast<std::chrono::nanoseconds>(ticks).count()));
}

void ClockRandom::seedWith(std::uint64_t value)
{
    // Both halves of the value go into the seed, so nanoseconds and seconds both count.
    std::seed_seq sequence{static_cast<std::uint32_t>(value), static_cast<std::uint32_t>(value >> 32U)};
    m_engine.seed(sequence);
}

float ClockRandom::next()
{
    return toUnitFloat(static_cast<std::uint32_t>(m_engine()));
}
