// Reads the Windows program's window from another process, the way a Windows test tool
// does: it finds the window by its class and reads its controls with messages that work
// across processes (WM_GETTEXT, LB_GETCOUNT, LB_GETTEXT, BM_GETCHECK) and with
// GetWindowRect, IsWindowEnabled and GetGUIThreadInfo. Commands come one a line on standard
// input; each answer is one line of JSON on standard output.
//   wait     until the window is shown, with all its controls (the program's latest)
//   state    the lists' counts, the boxes (checked, enabled) and what breaks the invariants
//   layout   the density, the client area (size and place on the screen), every control's
//            place and fixed back colour, and every control that is not where, or not what,
//            the layout table says
//   focus    the control that has the keyboard focus
//   errorbox the run-time error's message box (of any process): its text, then OK pressed
//   syscolours R G B   the scheme's text colours, for windows and buttons, set to that colour
//   syscolours restore   and back as they were
//   read     what a screen reader reads through the system's accessibility interface, and
//            where it differs from the caption: the window's name, each captioned control's
//            name, the statement's role (text), and each list's name, which Windows takes
//            from the control before it in the z-order: its heading
//   close    asks the window to close

#include "contestcheck.h"
#include "controlids.h"
#include "formcolours.h"
#include "formlayout.h"
#include "formtexts.h"
#include "widetext.h"

#include <windows.h>

#include <oleacc.h>

#include <array>
#include <cstdio>
#include <iostream>
#include <string>
#include <utility>
#include <vector>

namespace {

using FormLayout::Control;
using FormLayout::nameOf;

std::string quoted(const std::string &text)
{
    std::string out = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
        }
        out += c == '\r' ? ' ' : c == '\n' ? ' ' : c;
    }
    return out + "\"";
}

std::string textOf(HWND control)
{
    const auto length = static_cast<int>(SendMessageW(control, WM_GETTEXTLENGTH, 0, 0));
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    text.resize(static_cast<std::size_t>(SendMessageW(control, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()))));
    return utf8Text(text);
}

std::vector<std::string> itemsOf(HWND list)
{
    std::vector<std::string> items;
    const auto count = static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        // The list may change between two messages: a buffer sized by LB_GETTEXTLEN could
        // then be too short for LB_GETTEXT. The texts are numbers; anything longer is wrong.
        std::wstring text(64, L'\0');
        const LRESULT length = SendMessageW(list, LB_GETTEXTLEN, i, 0);
        const LRESULT copied =
            length >= 0 && length < 64 ? SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text.data())) : LB_ERR;
        text.resize(copied >= 0 && copied < 64 ? static_cast<std::size_t>(copied) : 0);
        items.push_back(utf8Text(text));
    }
    return items;
}

std::string state(HWND window)
{
    const FormWindows controls = controlsOf(window);
    ContestCheck::Lists lists;
    std::string counts;
    for (const HWND list : controls.List1) {
        lists.push_back(itemsOf(list));
        counts += (counts.empty() ? "" : ",") + std::to_string(lists.back().size());
    }
    ContestCheck::Boxes boxes;
    std::string shown;
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        const HWND box = controls.Check1[i];
        auto &b = boxes[i];
        b = {SendMessageW(box, BM_GETCHECK, 0, 0) == BST_CHECKED, IsWindowEnabled(box) != FALSE};
        shown += std::string(i > 0 ? "," : "") + "[" + (b.checked ? "true" : "false") + "," + (b.enabled ? "true" : "false") + "]";
    }
    return "{\"counts\":[" + counts + "],\"boxes\":[" + shown + "],\"pool_start\":" + quoted(lists[3].empty() ? "" : lists[3].front()) +
        ",\"problem\":" + quoted(ContestCheck::invariants(lists, boxes)) + "}";
}

std::string layout(HWND window)
{
    const HDC screen = GetDC(nullptr);
    const int dpiX = GetDeviceCaps(screen, LOGPIXELSX);
    const int dpiY = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    RECT client;
    GetClientRect(window, &client);

    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    std::string controls;
    std::string problems;
    const auto problem = [&problems](const std::string &what) { problems += (problems.empty() ? "" : ",") + quoted(what); };
    if (client.right != FormLayout::toPixels(FormLayout::ClientWidth, dpiX) ||
        client.bottom != FormLayout::toPixels(FormLayout::ClientHeight, dpiY)) {
        problem("client area " + std::to_string(client.right) + "x" + std::to_string(client.bottom));
    }
    controlsOf(window).forEach([&](const Control &row, HWND control) {
        if (control == nullptr) {
            problem(nameOf(row) + " is missing");
            return;
        }
        RECT rect;
        GetWindowRect(control, &rect);
        MapWindowPoints(nullptr, window, reinterpret_cast<POINT *>(&rect), 2);
        const FormLayout::PixelRect want = FormLayout::placeInWindow(row, dpiX, dpiY);
        const FormLayout::PixelRect got{rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
        std::string back = "null";
        if (row.backColour != FormLayout::DefaultColour) {
            const FormColours::Rgb rgb = FormColours::fromBgr(row.backColour);
            back = "[" + std::to_string(rgb.red) + "," + std::to_string(rgb.green) + "," + std::to_string(rgb.blue) + "]";
        }
        controls += (controls.empty() ? "" : ",") + quoted(nameOf(row)) + ":{\"rect\":[" + std::to_string(got.left) + "," +
            std::to_string(got.top) + "," + std::to_string(got.width) + "," + std::to_string(got.height) + "],\"back\":" + back + "}";
        if (got != want) {
            problem(nameOf(row) + " stands at " + std::to_string(got.left) + "," + std::to_string(got.top) + " " +
                    std::to_string(got.width) + "x" + std::to_string(got.height));
        }
        if (row.kind != FormLayout::Kind::ListBox && textOf(control) != row.text) {
            problem(nameOf(row) + " says " + quoted(textOf(control)));
        }
        const bool shown = row.shown == FormLayout::Shown::Yes;
        if ((IsWindowVisible(control) != FALSE) != shown) {
            problem(nameOf(row) + (shown ? " is hidden" : " is shown"));
        }
    });
    return "{\"dpi\":[" + std::to_string(dpiX) + "," + std::to_string(dpiY) + "],\"client\":[" + std::to_string(client.right) + "," +
        std::to_string(client.bottom) + "],\"origin\":[" + std::to_string(origin.x) + "," + std::to_string(origin.y) + "],\"controls\":{" +
        controls + "},\"problems\":[" + problems + "]}";
}

std::string focus(HWND window)
{
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
    const int id = info.hwndFocus != nullptr ? GetDlgCtrlID(info.hwndFocus) : 0;
    for (const Control &row : FormLayout::Table) {
        if (ControlIds::of(row) == id) {
            return "{\"focus\":" + quoted(nameOf(row)) + "}";
        }
    }
    return "{\"focus\":\"\"}";
}

// The role and name of a window's standard accessible object; role -1 where it has none.
std::pair<long, std::string> readOf(HWND control)
{
    IAccessible *accessible = nullptr;
    // __uuidof, not IID_IAccessible: the 64-bit liboleacc.a of Debian's mingw-w64 links that
    // name to a jump into oleacc.dll, not to the interface's ID.
    if (FAILED(AccessibleObjectFromWindow(control, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible),
                                          reinterpret_cast<void **>(&accessible))) ||
        accessible == nullptr) {
        return {-1, ""};
    }
    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    VARIANT role{};
    BSTR name = nullptr;
    accessible->get_accRole(self, &role);
    accessible->get_accName(self, &name);
    accessible->Release();
    const std::string text = name != nullptr ? utf8Text(name) : "";
    SysFreeString(name);
    return {role.vt == VT_I4 ? role.lVal : -1, text};
}

std::string errorBox()
{
    HWND box = nullptr;
    for (int tries = 0; box == nullptr && tries < 300; ++tries) {
        box = FindWindowW(L"#32770", L"prince-trials");
        if (box == nullptr) {
            Sleep(100);
        }
    }
    if (box == nullptr) {
        return "{\"error\":\"no message box\"}";
    }
    const std::string text = textOf(GetDlgItem(box, 0xFFFF)); // a message box's text
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    return "{\"text\":" + quoted(text) + "}";
}

std::string sysColours(const std::string &colour)
{
    static const std::array<int, 2> elements{COLOR_WINDOWTEXT, COLOR_BTNTEXT};
    static std::array<COLORREF, 2> before{GetSysColor(COLOR_WINDOWTEXT), GetSysColor(COLOR_BTNTEXT)};
    std::array<COLORREF, 2> values = before;
    int red = 0;
    int green = 0;
    int blue = 0;
    if (std::sscanf(colour.c_str(), "%d %d %d", &red, &green, &blue) == 3) {
        values.fill(RGB(red, green, blue));
    }
    return SetSysColors(2, elements.data(), values.data()) != FALSE ? "{\"set\":true}" : "{\"error\":\"SetSysColors\"}";
}

std::string read(HWND window)
{
    std::string problems;
    const auto problem = [&problems](const std::string &what) { problems += (problems.empty() ? "" : ",") + quoted(what); };
    const std::string caption = FormTexts::Caption;
    if (readOf(window).second != caption) {
        problem("the window is read as " + quoted(readOf(window).second));
    }
    const FormWindows controls = controlsOf(window);
    for (std::size_t i = 0; i < controls.List1.size(); ++i) {
        const HWND before = GetWindow(controls.List1[i], GW_HWNDPREV);
        if (before != controls.Label1.at(static_cast<std::size_t>(FormLayout::headingOf(static_cast<int>(i))))) {
            problem("List1_" + std::to_string(i) + " comes after " + quoted(textOf(before)) + " in the z-order");
        }
    }
    controlsOf(window).forEach([&problem](const Control &row, HWND control) {
        const auto [role, name] = readOf(control);
        if (row.kind == FormLayout::Kind::TextBox
                ? role != ROLE_SYSTEM_TEXT
                : row.kind != FormLayout::Kind::ListBox && row.shown == FormLayout::Shown::Yes && name != row.text) {
            problem(nameOf(row) + " is read as " + std::to_string(role) + " " + quoted(name));
        }
    });
    return "{\"problems\":[" + problems + "]}";
}

} // namespace

int main()
{
    CoInitialize(nullptr);
    HWND window = nullptr;
    std::string command;
    while (std::getline(std::cin, command)) {
        if (command.empty()) {
            continue;
        }
        if (command == "errorbox") {
            std::cout << errorBox() << std::endl;
            continue;
        }
        if (command == "wait") {
            // The window exists before its controls do; it is shown once they all stand.
            window = nullptr;
            for (int tries = 0; window == nullptr && tries < 300; ++tries) {
                window = FindWindowW(ControlIds::WindowClass, nullptr);
                if (window == nullptr || IsWindowVisible(window) == FALSE) {
                    window = nullptr;
                    Sleep(100);
                }
            }
        }
        std::string answer;
        if (window == nullptr) {
            answer = "{\"error\":\"no window\"}";
        } else if (command == "wait") {
            answer = "{\"window\":true}";
        } else if (command == "state") {
            answer = state(window);
        } else if (command == "layout") {
            answer = layout(window);
        } else if (command == "focus") {
            answer = focus(window);
        } else if (command == "read") {
            answer = read(window);
        } else if (command.rfind("syscolours ", 0) == 0) {
            answer = sysColours(command.substr(11));
        } else if (command == "close") {
            PostMessageW(window, WM_CLOSE, 0, 0);
            answer = "{\"closed\":true}";
        } else {
            answer = "{\"error\":" + quoted("unknown command " + command) + "}";
        }
        std::cout << answer << std::endl;
    }
    return 0;
}
