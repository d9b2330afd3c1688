#pragma once

#include "checkboxcontroladapter.h"
#include "controlids.h"
#include "formcontest.h"
#include "formlayout.h"
#include "listboxcontroladapter.h"
#include "ownedhandle.h"
#include "randomsource.h"

#include <windows.h>

#include <array>
#include <memory>

// The program's only window on Win32: it makes the pool, three trial boxes with their
// lists, the reset button and the problem statement from the layout table as classic
// controls, and routes their events to the window's handlers. The contest's state lives in
// its controls.
class MainForm
{
public:
    // Creates the window and its controls at the screen's density and raises Form_Load;
    // without a random source the form uses the program's clock-seeded one.
    explicit MainForm(HINSTANCE instance, std::unique_ptr<RandomSource> random = nullptr);
    ~MainForm();
    MainForm(const MainForm &) = delete;
    MainForm &operator=(const MainForm &) = delete;

    // Registers the window class, with the program's icon, once per process; the brush and
    // icons it holds live as long as the process.
    static void registerClass(HINSTANCE instance);

    [[nodiscard]] HWND window() const;
    [[nodiscard]] FormHandlers &handlers();
    // Shows the window with the keyboard focus in the problem statement.
    void show(int showCommand);

private:
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);

    void createControls(HINSTANCE instance);
    [[nodiscard]] const FormLayout::Control *rowOf(HWND control) const;
    [[nodiscard]] LRESULT colourControl(UINT message, HDC dc, HWND control);
    void drawButton(const DRAWITEMSTRUCT &item) const;
    void routeCommand(int id, int notification);

    HWND m_window = nullptr;
    FormWindows m_handles;
    HWND m_lastFocus = nullptr;

    int m_dpiX = 96;
    int m_dpiY = 96;
    OwnedFont m_font;
    std::array<OwnedBrush, FormLayout::Table.size()> m_brushes{};

    FormContest<ListBoxControlAdapter, CheckBoxControlAdapter> m_contest;
};
