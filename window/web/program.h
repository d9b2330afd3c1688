#pragma once

// The program's start-up in the browser.
namespace Program {

// Sets up the run-time error report and makes the window, which lives on after main()
// returns: the page's events call back into it.
void run();

} // namespace Program
