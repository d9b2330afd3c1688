#pragma once

#include <windows.h>

#include <cstdio>

// Ends a Win32 start-up benchmark at its window's first paint: once the window has painted
// itself, its controls are painted at once too, "painted" is written to standard output with
// the milliseconds since begin() (the program's own part of its start), and the program
// quits. The caller times the start of the process to that line.
namespace FirstPaint {

inline WNDPROC original = nullptr;
inline LARGE_INTEGER began{};

// Called first thing in wWinMain: what came before is the system's starting of the process.
inline void begin()
{
    QueryPerformanceCounter(&began);
}

inline LRESULT CALLBACK watch(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    const LRESULT result = CallWindowProcW(original, window, message, wParam, lParam);
    if (message == WM_PAINT) {
        RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        GdiFlush();
        LARGE_INTEGER now;
        LARGE_INTEGER frequency;
        QueryPerformanceCounter(&now);
        QueryPerformanceFrequency(&frequency);
        std::printf("painted %.3f\n",
                    static_cast<double>(now.QuadPart - began.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart));
        std::fflush(stdout);
        PostQuitMessage(0);
    }
    return result;
}

inline void quitAfterFirstPaint(HWND window)
{
    original = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&watch)));
}

} // namespace FirstPaint
