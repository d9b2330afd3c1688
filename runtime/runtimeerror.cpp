#include "runtimeerror.h"

#include <cstdio>
#include <cstdlib>

void runtimeError(const char *what)
{
    std::fprintf(stderr, "prince-trials: run-time error: %s\n", what);
    std::fflush(stderr);
    std::abort();
}
