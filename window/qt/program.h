#pragma once

#include <functional>

class MainForm;

// The program's start-up, shared by main() and the start-up benchmark.
namespace Program {

// Checks for a display, opens the window and runs until it is closed; returns the exit
// status. The program takes no command line: only programPath reaches the toolkit, whose
// environment variables (scaling, accessibility, platform) still apply. beforeShow, when
// given, sees the window just before it is first shown.
int run(char *programPath, const std::function<void(MainForm &)> &beforeShow = {});

// What run() sets up on the application before the window exists: names, style, font,
// the toolkit's own texts in Bulgarian and the run-time error box. Tests call it too.
void prepareApplication();

} // namespace Program
