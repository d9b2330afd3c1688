#include "mainform.h"

#include "classiccontrols.h"
#include "formcolours.h"
#include "formtexts.h"
#include "resourceids.h"
#include "widetext.h"

#include <string>

using FormLayout::Control;
using FormLayout::Kind;

namespace {

COLORREF colourRef(FormColours::Rgb rgb)
{
    return RGB(rgb.red, rgb.green, rgb.blue);
}

FormColours::Rgb rgbOf(COLORREF colour)
{
    return {GetRValue(colour), GetGValue(colour), GetBValue(colour)};
}

// The scheme's text colour where it reads on the fixed back colour, else black or white.
COLORREF readableText(std::uint32_t backBgr, int systemColour)
{
    return colourRef(FormColours::readableTextOn(FormColours::fromBgr(backBgr), rgbOf(GetSysColor(systemColour))));
}

constexpr DWORD WindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr DWORD WindowExtendedStyle = WS_EX_CONTROLPARENT;

// The program's icon at the size the system asks for; the .ico carries one for each scaling.
HICON iconSized(HINSTANCE instance, int widthMetric, int heightMetric)
{
    return made(static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDI_PRINCE_TRIALS), IMAGE_ICON, GetSystemMetrics(widthMetric),
                                              GetSystemMetrics(heightMetric), 0)),
                "cannot load the program's icon");
}

} // namespace

void MainForm::registerClass(HINSTANCE instance)
{
    static const OwnedBrush back(
        made(CreateSolidBrush(colourRef(FormColours::fromBgr(FormLayout::WindowColour))), "cannot make the window's brush"));
    // The window shows its class's icons, large and small: the title bar, the task bar and the
    // task switcher fall back to them, so setting them on the window too would only cost time.
    static const OwnedIcon largeIcon(iconSized(instance, SM_CXICON, SM_CYICON));
    static const OwnedIcon smallIcon(iconSized(instance, SM_CXSMICON, SM_CYSMICON));
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = &MainForm::windowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = back.get();
    windowClass.lpszClassName = ControlIds::WindowClass;
    windowClass.hIcon = largeIcon.get();
    windowClass.hIconSm = smallIcon.get();
    if (RegisterClassExW(&windowClass) == 0 && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
        runtimeError("cannot register the window's class");
    }
}

MainForm::MainForm(HINSTANCE instance, std::unique_ptr<RandomSource> random)
    : m_contest(std::move(random))
{
    // Twips follow the screen's density; the program is declared DPI-aware, so Windows
    // reports the real one and does not stretch the window.
    const HDC screen = GetDC(nullptr);
    m_dpiX = GetDeviceCaps(screen, LOGPIXELSX);
    m_dpiY = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    m_font = OwnedFont(made(CreateFontW(-MulDiv(FormLayout::FontPointSize, m_dpiY, 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                                        RUSSIAN_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_ROMAN,
                                        wideText(FormLayout::FontFamily).c_str()),
                            "cannot make the window's font"));

    RECT outer{0, 0, FormLayout::toPixels(FormLayout::ClientWidth, m_dpiX), FormLayout::toPixels(FormLayout::ClientHeight, m_dpiY)};
    AdjustWindowRectEx(&outer, WindowStyle, FALSE, WindowExtendedStyle);
    const std::wstring caption = wideText(FormTexts::Caption);
    (void)made(CreateWindowExW(WindowExtendedStyle, ControlIds::WindowClass, caption.c_str(), WindowStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                               outer.right - outer.left, outer.bottom - outer.top, nullptr, nullptr, instance, this),
               "cannot make the window");
    createControls(instance);
    m_contest.load(m_handles);
}

MainForm::~MainForm()
{
    // A window closed by its user is gone already (m_window is cleared when it is destroyed).
    if (m_window != nullptr) {
        SetWindowLongPtrW(m_window, GWLP_USERDATA, 0);
        DestroyWindow(m_window);
    }
}

void MainForm::createControls(HINSTANCE instance)
{
    // Made in ascending tab index, each list's heading just before its list: the dialog
    // manager's Tab walks the controls that take the focus in the order they were made, and a
    // screen reader names a list after the label made just before it.
    m_handles.forEachInCreationOrder([&](const Control &row, HWND &control) {
        const ClassicControls::Kind kind = ClassicControls::of(row.kind);
        const FormLayout::PixelRect place = FormLayout::placeInWindow(row, m_dpiX, m_dpiY);
        const bool shown = row.shown == FormLayout::Shown::Yes;
        const DWORD style = WS_CHILD | (shown ? WS_VISIBLE : 0) | (shown ? kind.style : kind.style & ~WS_TABSTOP);
        control = made(CreateWindowExW(kind.extendedStyle, kind.className, nullptr, style, place.left, place.top, place.width, place.height,
                                       m_window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(ControlIds::of(row))), instance, nullptr),
                       "cannot make a control of the window");
        // The text after the font: the statement is laid out once, in the font it is shown in.
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(m_font.get()), FALSE);
        if (SetWindowTextW(control, wideText(row.text).c_str()) == FALSE) {
            runtimeError("cannot set the text of a control of the window");
        }
        if (row.backColour != FormLayout::DefaultColour) {
            m_brushes[static_cast<std::size_t>(&row - FormLayout::Table.data())] =
                OwnedBrush(made(CreateSolidBrush(colourRef(FormColours::fromBgr(row.backColour))), "cannot make a control's brush"));
        }
    });
    // The boxes stand in the frame: the frame goes beneath them.
    SetWindowPos(m_handles.Frame1, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    ClassicControls::letTabLeave(m_handles.Text1[0]);
    ClassicControls::pressOnReturn(m_handles.Command1[0]);
}

const Control *MainForm::rowOf(HWND control) const
{
    const int id = GetDlgCtrlID(control);
    for (const Control &row : FormLayout::Table) {
        if (ControlIds::of(row) == id) {
            return &row;
        }
    }
    return nullptr;
}

HWND MainForm::window() const
{
    return m_window;
}

FormHandlers &MainForm::handlers()
{
    return m_contest.handlers();
}

void MainForm::show(int showCommand)
{
    ShowWindow(m_window, showCommand);
    UpdateWindow(m_window);
    SetFocus(m_handles.at(FormLayout::firstFocus(), [](HWND control) { return control; }));
}

LRESULT CALLBACK MainForm::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto *form = static_cast<MainForm *>(reinterpret_cast<CREATESTRUCTW *>(lParam)->lpCreateParams);
        form->m_window = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
    }
    auto *form = reinterpret_cast<MainForm *>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (form == nullptr) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    if (message == WM_NCDESTROY) {
        // The last message the window gets: the form no longer has one.
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        form->m_window = nullptr;
        return DefWindowProcW(window, message, wParam, lParam);
    }
    return form->handle(message, wParam, lParam);
}

LRESULT MainForm::handle(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND:
        routeCommand(LOWORD(wParam), HIWORD(wParam));
        return 0;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
        return colourControl(message, reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_SYSCOLORCHANGE:
    case WM_SETTINGCHANGE:
        // The scheme changed while the program runs: the text colours are chosen afresh as
        // each control is painted; the fixed back colours' brushes stay.
        RedrawWindow(m_window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
        break;
    case WM_DRAWITEM:
        drawButton(*reinterpret_cast<const DRAWITEMSTRUCT *>(lParam));
        return TRUE;
    case WM_ACTIVATE:
        // The control that had the focus gets it back when the window is active again.
        if (LOWORD(wParam) == WA_INACTIVE) {
            m_lastFocus = GetFocus();
        } else if (m_lastFocus != nullptr) {
            SetFocus(m_lastFocus);
            return 0;
        }
        break;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        break;
    }
    return DefWindowProcW(m_window, message, wParam, lParam);
}

void MainForm::routeCommand(int id, int notification)
{
    if (notification != BN_CLICKED) {
        return;
    }
    for (std::size_t i = 0; i < m_handles.Check1.size(); ++i) {
        if (id == ControlIds::of(Kind::CheckBox, static_cast<int>(i))) {
            m_contest.boxChanged(m_handles, static_cast<std::int16_t>(i));
        }
    }
    for (std::size_t i = 0; i < m_handles.Command1.size(); ++i) {
        if (id == ControlIds::of(Kind::CommandButton, static_cast<int>(i))) {
            m_contest.buttonPressed(m_handles, static_cast<std::int16_t>(i));
        }
    }
}

LRESULT MainForm::colourControl(UINT message, HDC dc, HWND control)
{
    const Control *row = rowOf(control);
    if (row != nullptr && row->kind == Kind::TextBox) {
        // Read-only, but in the system's colours for text: not greyed as a disabled box.
        SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
        SetBkColor(dc, GetSysColor(COLOR_WINDOW));
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
    }
    if (row == nullptr || row->backColour == FormLayout::DefaultColour) {
        return DefWindowProcW(m_window, message, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control));
    }
    SetTextColor(dc, readableText(row->backColour, COLOR_WINDOWTEXT));
    SetBkColor(dc, colourRef(FormColours::fromBgr(row->backColour)));
    return reinterpret_cast<LRESULT>(m_brushes[static_cast<std::size_t>(row - FormLayout::Table.data())].get());
}

void MainForm::drawButton(const DRAWITEMSTRUCT &item) const
{
    if (const Control *row = rowOf(item.hwndItem)) {
        ClassicControls::drawButton(item, m_brushes[static_cast<std::size_t>(row - FormLayout::Table.data())].get(),
                                    readableText(row->backColour, COLOR_BTNTEXT), m_font.get(), wideText(row->text));
    }
}
