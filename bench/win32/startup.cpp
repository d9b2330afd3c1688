// Start-up timing on Windows: the program as wWinMain starts it, or with
// PRINCE_BENCH_REFERENCE a window of the same client size built plainly, the reference: empty,
// with PRINCE_BENCH_REFERENCE_TEXT showing one line in the program's font, or with
// PRINCE_BENCH_REFERENCE_CONTROLS holding the program's 16 standard controls with their
// contents. Each writes "painted" when its window has first been painted, and quits.

#include "firstpaint.h"

#ifdef PRINCE_BENCH_REFERENCE

#ifdef PRINCE_BENCH_REFERENCE_CONTROLS
#include "classiccontrols.h"
#include "formlayout.h"
#include "numbertext.h"
#include "widetext.h"

#include <string>

namespace {

// The controls of the layout table, made with CreateWindowEx as any program makes them: each
// text set after the font, and the pool filled with its redrawing held off.
void addControls(HWND window, HINSTANCE instance)
{
    const HFONT font = CreateFontW(-16, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, RUSSIAN_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                   DEFAULT_QUALITY, DEFAULT_PITCH | FF_ROMAN, L"Times New Roman");
    HWND pool = nullptr;
    for (const FormLayout::Control *row : FormLayout::inCreationOrder()) {
        const ClassicControls::Kind kind = ClassicControls::of(row->kind);
        const FormLayout::PixelRect place = FormLayout::placeInWindow(*row, 96, 96);
        const bool shown = row->shown == FormLayout::Shown::Yes;
        HWND control = CreateWindowExW(kind.extendedStyle, kind.className, nullptr, WS_CHILD | (shown ? WS_VISIBLE : 0) | kind.style,
                                       place.left, place.top, place.width, place.height, window, nullptr, instance, nullptr);
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        SetWindowTextW(control, wideText(row->text).c_str());
        if (row->kind == FormLayout::Kind::ListBox && row->index == 3) {
            pool = control;
        }
    }
    SendMessageW(pool, WM_SETREDRAW, FALSE, 0);
    for (unsigned int n = 1; n <= 1000; ++n) {
        SendMessageW(pool, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wideText(numberText(n)).c_str()));
    }
    SendMessageW(pool, WM_SETREDRAW, TRUE, 0);
}

} // namespace
#endif

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand)
{
    FirstPaint::begin();
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = &DefWindowProcW;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = L"ReferenceWindow";
    RegisterClassExW(&windowClass);
    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    RECT outer{0, 0, 466, 319};
    AdjustWindowRectEx(&outer, style, FALSE, WS_EX_CONTROLPARENT);
    HWND window = CreateWindowExW(WS_EX_CONTROLPARENT, L"ReferenceWindow", L"reference", style, CW_USEDEFAULT, CW_USEDEFAULT,
                                  outer.right - outer.left, outer.bottom - outer.top, nullptr, nullptr, instance, nullptr);
#if defined(PRINCE_BENCH_REFERENCE_TEXT)
    HWND line = CreateWindowExW(0, L"STATIC", L"Философия - Бастелон, Трелавин", WS_CHILD | WS_VISIBLE, 0, 0, 300, 25, window, nullptr,
                                instance, nullptr);
    SendMessageW(line, WM_SETFONT,
                 reinterpret_cast<WPARAM>(CreateFontW(-16, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, RUSSIAN_CHARSET, OUT_DEFAULT_PRECIS,
                                                      CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_ROMAN, L"Times New Roman")),
                 FALSE);
#elif defined(PRINCE_BENCH_REFERENCE_CONTROLS)
    addControls(window, instance);
#endif
    FirstPaint::quitAfterFirstPaint(window);
    ShowWindow(window, showCommand);
    UpdateWindow(window);
    MSG message{};
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
    FirstPaint::begin();
    return Program::run(instance, showCommand, [](MainForm &form) { FirstPaint::quitAfterFirstPaint(form.window()); });
}

#endif
