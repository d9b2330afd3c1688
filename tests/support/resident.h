#pragma once

#include <fstream>
#include <string>

// The process's resident memory in MiB, from /proc; -1 where it cannot be read.
[[nodiscard]] inline double residentMiB()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0) {
            return std::stod(line.substr(6)) / 1024.0;
        }
    }
    return -1;
}
