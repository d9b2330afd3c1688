// Times the contest on the Windows window's real list boxes: RunTrial (a box's click handler)
// with the lists' redrawing held off, as the window holds it off around a handler; and a
// whole click, from its event to the lists' redrawing turned back on.

#include "../report.h"
#include "controlids.h"
#include "formhandlers.h"
#include "mainform.h"

#include <windows.h>

#include <cstdlib>
#include <vector>

namespace {

void pumpMessages()
{
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

LARGE_INTEGER now()
{
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return counter;
}

double millisecondsSince(LARGE_INTEGER start)
{
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(now().QuadPart - start.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand)
{
    const int contests = __argc > 1 ? std::atoi(__argv[1]) : 300;
    MainForm::registerClass(instance);
    MainForm form(instance);
    form.show(showCommand);
    pumpMessages();

    const FormWindows controls = controlsOf(form.window());
    std::vector<double> trialMs;
    std::vector<double> clickMs;
    std::vector<double> resetMs;
    for (int contest = 0; contest < contests; ++contest) {
        for (int box = 0; box < 3; ++box) {
            HWND control = controls.Check1[static_cast<std::size_t>(box)];
            SendMessageW(control, BM_SETCHECK, BST_CHECKED, 0);
            if (contest % 2 == 0) {
                // RunTrial alone, the lists' redrawing held off as the window holds it off.
                for (HWND list : controls.List1) {
                    SendMessageW(list, WM_SETREDRAW, FALSE, 0);
                }
                const LARGE_INTEGER start = now();
                form.handlers().Check1_Click(static_cast<std::int16_t>(box));
                trialMs.push_back(millisecondsSince(start));
                for (HWND list : controls.List1) {
                    SendMessageW(list, WM_SETREDRAW, TRUE, 0);
                    InvalidateRect(list, nullptr, TRUE);
                }
            } else {
                // A whole click: the box's click event, as the box sends it once checked.
                const LARGE_INTEGER start = now();
                SendMessageW(form.window(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(control), BN_CLICKED), reinterpret_cast<LPARAM>(control));
                clickMs.push_back(millisecondsSince(start));
            }
            pumpMessages();
        }
        HWND reset = controls.Command1[0];
        const LARGE_INTEGER start = now();
        SendMessageW(form.window(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(reset), BN_CLICKED), reinterpret_cast<LPARAM>(reset));
        resetMs.push_back(millisecondsSince(start));
        pumpMessages();
    }
    report("RunTrial", trialMs, "ms");
    report("Click on a box to its lists redrawn", clickMs, "ms");
    report("Click on the reset button to its lists redrawn", resetMs, "ms");
    return 0;
}
