#pragma once

// A run-time error on the page: its report over the window in a modal message, every control
// disabled and no further event handled. (The report also goes to the browser's console, as
// standard error.)
void showRuntimeErrorOnPage(const char *report);
