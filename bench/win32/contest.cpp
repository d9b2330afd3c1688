// Times the contest on the Windows window's real list boxes: RunTrial (a box's click handler)
// with the lists' redrawing held off, as the window holds it off around a handler, beside its
// floor, the same 333 moves made plainly between two standard list boxes; and a whole click,
// from its event until the lists it changed have been repainted on screen.

#include "../report.h"
#include "classiccontrols.h"
#include "controlids.h"
#include "formhandlers.h"
#include "mainform.h"
#include "numbertext.h"
#include "widetext.h"

#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

namespace {

LARGE_INTEGER now()
{
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return counter;
}

double millisecondsBetween(LARGE_INTEGER start, LARGE_INTEGER end)
{
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(end.QuadPart - start.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

// Each list box counts its paints and notes when the last one ended. A list's original
// procedure is kept in its user data, which the standard list box leaves to programs.
struct Paints {
    int count = 0;
    LARGE_INTEGER last{};
};
std::map<HWND, Paints> paints;

LRESULT CALLBACK countingPaints(HWND list, UINT message, WPARAM wParam, LPARAM lParam)
{
    const auto original = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(list, GWLP_USERDATA));
    const LRESULT result = CallWindowProcW(original, list, message, wParam, lParam);
    if (message == WM_PAINT) {
        GdiFlush();
        ++paints[list].count;
        paints[list].last = now();
    }
    return result;
}

void pumpMessages()
{
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

// Sends a click on control to the window, then runs the window's messages until each of lists
// has painted again: the time from the click to the end of the last of those paints.
double clickUntilRepainted(HWND window, HWND control, const std::vector<HWND> &lists)
{
    std::map<HWND, int> before;
    for (HWND list : lists) {
        before[list] = paints[list].count;
    }
    const LARGE_INTEGER start = now();
    SendMessageW(window, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(control), BN_CLICKED), reinterpret_cast<LPARAM>(control));
    const auto repainted = [&] { return std::ranges::all_of(lists, [&](HWND list) { return paints[list].count > before[list]; }); };
    while (!repainted() && millisecondsBetween(start, now()) < 2000) {
        pumpMessages();
    }
    LARGE_INTEGER last = start;
    for (HWND list : lists) {
        last.QuadPart = std::max(last.QuadPart, paints[list].last.QuadPart);
    }
    return millisecondsBetween(start, last);
}

// RunTrial's moves made plainly, the floor: two standard list boxes of the window's kind, the
// pool of 1000 refilled before each round; each round draws 333 texts (at the draw's positions,
// rand() for the random source) and moves each, read, removed and added, redrawing held off.
std::vector<double> plainMoves(HWND window, int rounds)
{
    const ClassicControls::Kind kind = ClassicControls::of(FormLayout::Kind::ListBox);
    HWND pool = CreateWindowExW(kind.extendedStyle, kind.className, nullptr, WS_CHILD | kind.style, 0, 0, 60, 120, window, nullptr,
                                nullptr, nullptr);
    HWND trial = CreateWindowExW(kind.extendedStyle, kind.className, nullptr, WS_CHILD | kind.style, 0, 0, 60, 120, window, nullptr,
                                 nullptr, nullptr);
    if (pool == nullptr || trial == nullptr) {
        std::exit(1);
    }
    std::vector<double> times;
    std::wstring text(16, L'\0');
    for (int round = 0; round < rounds; ++round) {
        SendMessageW(pool, LB_RESETCONTENT, 0, 0);
        SendMessageW(trial, LB_RESETCONTENT, 0, 0);
        for (unsigned int n = 1; n <= 1000; ++n) {
            SendMessageW(pool, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wideText(numberText(n)).c_str()));
        }
        SendMessageW(pool, WM_SETREDRAW, FALSE, 0);
        SendMessageW(trial, WM_SETREDRAW, FALSE, 0);
        const LARGE_INTEGER start = now();
        for (int drop = 0; drop < ContestRules::DropOutsPerTrial; ++drop) {
            const auto count = static_cast<int>(SendMessageW(pool, LB_GETCOUNT, 0, 0));
            const double r = static_cast<double>(std::rand()) / (static_cast<double>(RAND_MAX) + 1.0);
            const auto position = static_cast<WPARAM>(static_cast<int>(std::floor(r * ContestRules::DrawSpan)) % count);
            SendMessageW(pool, LB_GETTEXT, position, reinterpret_cast<LPARAM>(text.data()));
            SendMessageW(trial, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
            SendMessageW(pool, LB_DELETESTRING, position, 0);
        }
        times.push_back(millisecondsBetween(start, now()));
        SendMessageW(pool, WM_SETREDRAW, TRUE, 0);
        SendMessageW(trial, WM_SETREDRAW, TRUE, 0);
    }
    DestroyWindow(pool);
    DestroyWindow(trial);
    return times;
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
    for (HWND list : controls.List1) {
        SetWindowLongPtrW(list, GWLP_USERDATA, GetWindowLongPtrW(list, GWLP_WNDPROC));
        SetWindowLongPtrW(list, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&countingPaints));
    }
    const std::vector<HWND> allLists(controls.List1.begin(), controls.List1.end());
    std::vector<double> trialMs;
    std::vector<double> clickMs;
    std::vector<double> resetMs;
    for (int contest = 0; contest < contests; ++contest) {
        for (std::size_t box = 0; box < controls.Check1.size(); ++box) {
            HWND control = controls.Check1[box];
            SendMessageW(control, BM_SETCHECK, BST_CHECKED, 0);
            if (contest % 2 == 0) {
                // RunTrial alone, the lists' redrawing held off as the window holds it off.
                for (HWND list : controls.List1) {
                    SendMessageW(list, WM_SETREDRAW, FALSE, 0);
                }
                const LARGE_INTEGER start = now();
                form.handlers().Check1_Click(static_cast<std::int16_t>(box));
                trialMs.push_back(millisecondsBetween(start, now()));
                for (HWND list : controls.List1) {
                    SendMessageW(list, WM_SETREDRAW, TRUE, 0);
                    InvalidateRect(list, nullptr, TRUE);
                }
                pumpMessages();
            } else {
                // A whole click, as the box sends it once checked: its list and the pool change.
                clickMs.push_back(
                    clickUntilRepainted(form.window(), control, {controls.List1[box], controls.List1[ContestRules::PoolIndex]}));
            }
        }
        resetMs.push_back(clickUntilRepainted(form.window(), controls.Command1[0], allLists));
    }
    report("RunTrial", trialMs, "ms");
    report("RunTrial's moves on plain list boxes", plainMoves(form.window(), static_cast<int>(trialMs.size())), "ms");
    report("Click on a box until its lists are repainted", clickMs, "ms");
    report("Click on the reset button until the lists are repainted", resetMs, "ms");
    return 0;
}
