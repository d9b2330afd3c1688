#pragma once

#include <windows.h>

#include <functional>

class MainForm;

// The program's start-up on Windows, shared by wWinMain and the benchmarks.
namespace Program {

// Opens the window and runs its messages until it is closed; returns the exit status. The
// program takes no command line. beforeShow, when given, sees the window just before it is
// first shown.
int run(HINSTANCE instance, int showCommand, const std::function<void(MainForm &)> &beforeShow = {});

// What run() sets up before the window exists: a run-time error is shown in a message box
// before the program ends. Tests call it too.
void prepare();

} // namespace Program
