#pragma once

// A uniform single-precision random sequence.
class RandomSource
{
public:
    virtual ~RandomSource() = default;

    // Restarts the sequence from the system clock.
    virtual void seed() = 0;
    // The next value r of the sequence, 0 <= r < 1.
    [[nodiscard]] virtual float next() = 0;
};
