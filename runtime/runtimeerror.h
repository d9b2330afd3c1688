#pragma once

// A control operation that cannot be carried out ends the program with a report on
// standard error, rather than running on with corrupted state.
[[noreturn]] void runtimeError(const char *what);
