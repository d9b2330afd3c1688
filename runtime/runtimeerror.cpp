#include "runtimeerror.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>

namespace {
RuntimeErrorReport frontEndReport = nullptr;
} // namespace

void setRuntimeErrorReport(RuntimeErrorReport report)
{
    frontEndReport = report;
}

void runtimeError(const char *what)
{
    const std::string report = std::string("prince-trials: run-time error: ") + what;
    std::fputs((report + "\n").c_str(), stderr);
    std::fflush(stderr);
    // Once only: an error while the report is shown must not report again.
    if (const RuntimeErrorReport frontEnd = std::exchange(frontEndReport, nullptr)) {
        frontEnd(report.c_str());
    }
    // The state may be broken: end at once, without running destructors over it.
    std::_Exit(EXIT_FAILURE);
}
