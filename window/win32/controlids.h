#pragma once

#include "formhandles.h"
#include "formlayout.h"

#include <windows.h>

// How the Windows window and its controls are found, by the window itself and by a test
// reading them from another process: the window's class, and a control ID per element.
namespace ControlIds {

inline constexpr const wchar_t *WindowClass = L"PrinceTrialsMainForm";

// One block of a hundred IDs per control array, the element's index within it; clear of
// the dialog manager's IDOK and IDCANCEL, which its Return and Escape keys send.
[[nodiscard]] constexpr int of(FormLayout::Kind kind, int index)
{
    return 100 * (static_cast<int>(kind) + 1) + (index < 0 ? 0 : index);
}

[[nodiscard]] constexpr int of(const FormLayout::Control &row)
{
    return of(row.kind, row.index);
}

} // namespace ControlIds

// The window's controls: every kind is a window of its own.
using FormWindows = FormHandles<SameForEveryKind<HWND>>;

// The controls of the program's window, found by their IDs; from another process too.
[[nodiscard]] inline FormWindows controlsOf(HWND window)
{
    FormWindows controls;
    controls.forEach([window](const FormLayout::Control &row, HWND &control) { control = GetDlgItem(window, ControlIds::of(row)); });
    return controls;
}
