#pragma once

#include <algorithm>
#include <cstdio>
#include <vector>

// One row for bench/run.py: name, median, unit and the spread, tab-separated.
inline void report(const char *name, std::vector<double> values, const char *unit)
{
    std::sort(values.begin(), values.end());
    std::printf("%s\t%.3f\t%s\tmin %.3f max %.3f, %zu runs\n", name, values[values.size() / 2], unit, values.front(), values.back(),
                values.size());
}
