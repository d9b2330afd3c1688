#pragma once

#include "formlayout.h"

#include <windows.h>

#include <string>

// The classic Win32 controls the window is made of, and where they behave otherwise than
// the window needs.
namespace ClassicControls {

struct Kind {
    const wchar_t *className = nullptr;
    DWORD style = 0;
    DWORD extendedStyle = 0;
};

// The control for each kind of the layout table: a group box, auto check boxes, an
// owner-drawn button (drawn in its back colour), list boxes with the system's defaults,
// multi-line read-only edits with a vertical scroll bar, centred labels.
[[nodiscard]] Kind of(FormLayout::Kind kind);

// A multi-line edit keeps Tab and Return to itself; a read-only one needs neither, and Tab
// moves on from it as from every other control.
void letTabLeave(HWND edit);
// Return and Enter press the focused button, as Space does.
void pressOnReturn(HWND button);

// A graphical button: its back colour, a raised edge that sinks while it is pressed, the
// caption (moved down and right with it) and a focus rectangle while it has the focus.
void drawButton(const DRAWITEMSTRUCT &item, HBRUSH back, COLORREF text, HFONT font, const std::wstring &caption);

} // namespace ClassicControls
