// Helper for the Wine test: an adapter over a list box that does not exist, in a process set up
// as the program's own, so that its run-time error is shown in a message box and the process
// then ends with status 1. It never returns normally.

#include "listboxcontroladapter.h"
#include "program.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    Program::prepare();
    const ListBoxControlAdapter missing(nullptr);
    return 0;
}
