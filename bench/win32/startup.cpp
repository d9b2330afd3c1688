// Start-up timing on Windows: the program as wWinMain starts it, or with
// PRINCE_BENCH_REFERENCE an empty window of the same client size built the same way (with
// PRINCE_BENCH_REFERENCE_TEXT, one that also shows one line in the program's font in a
// label); each writes "painted" when its window has first been painted, and quits.

#include "firstpaint.h"

#ifdef PRINCE_BENCH_REFERENCE

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand)
{
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = &DefWindowProcW;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = L"EmptyWindow";
    RegisterClassExW(&windowClass);
    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    RECT outer{0, 0, 466, 319};
    AdjustWindowRectEx(&outer, style, FALSE, 0);
    HWND window = CreateWindowExW(0, L"EmptyWindow", L"empty", style, CW_USEDEFAULT, CW_USEDEFAULT, outer.right - outer.left,
                                  outer.bottom - outer.top, nullptr, nullptr, instance, nullptr);
#ifdef PRINCE_BENCH_REFERENCE_TEXT
    HWND line = CreateWindowExW(0, L"STATIC", L"Философия - Бастелон, Трелавин", WS_CHILD | WS_VISIBLE, 0, 0, 300, 25, window, nullptr,
                                instance, nullptr);
    SendMessageW(line, WM_SETFONT,
                 reinterpret_cast<WPARAM>(CreateFontW(-16, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, RUSSIAN_CHARSET, OUT_DEFAULT_PRECIS,
                                                      CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_ROMAN, L"Times New Roman")),
                 FALSE);
#endif
    FirstPaint::quitAfterFirstPaint(window);
    ShowWindow(window, showCommand);
    UpdateWindow(window);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}

#else

#include "mainform.h"
#include "program.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand)
{
    // The program exactly as wWinMain starts it, with the first paint ending it.
    return Program::run(instance, showCommand, [](MainForm &form) { FirstPaint::quitAfterFirstPaint(form.window()); });
}

#endif
