#pragma once

#include "clockrandom.h"
#include "randomsource.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

// A random source that plays a script: a constant, a list of values (the last one repeats),
// or a repeatable seeded sequence. It counts its seedings and draws.
class ScriptedRandom final : public RandomSource
{
public:
    using Script = std::function<float(int draw)>;

    explicit ScriptedRandom(Script script = constant(0.0F))
        : m_script(std::move(script))
    {
    }

    void seed() override { ++seedings; }
    [[nodiscard]] float next() override { return m_script(draws++); }

    static Script constant(float r)
    {
        return [r](int) { return r; };
    }
    static Script values(std::vector<float> list)
    {
        return [list = std::move(list)](int draw) { return list.at(std::min(static_cast<std::size_t>(draw), list.size() - 1)); };
    }
    // The same draws as the program's own source started from seed.
    static Script seeded(std::uint64_t seed)
    {
        auto source = std::make_shared<ClockRandom>();
        source->seedWith(seed);
        return [source](int) { return source->next(); };
    }

    int seedings = 0;
    int draws = 0;

private:
    Script m_script;
};

// The largest float below 1.
inline const float AlmostOne = std::nextafter(1.0F, 0.0F);
