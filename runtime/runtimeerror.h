#pragma once

// A control operation that cannot be carried out ends the program with a report, rather
// than running on with corrupted state. The report goes to standard error and, where a
// front end has set one, to its own report (a message box over the window); then the
// program ends with a failing status.
[[noreturn]] void runtimeError(const char *what);

using RuntimeErrorReport = void (*)(const char *report);
void setRuntimeErrorReport(RuntimeErrorReport report);
