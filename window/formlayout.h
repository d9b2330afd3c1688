#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <utility>

#include "formtexts.h"

// The window's controls as one table: geometry in twips, colours as 0x00BBGGRR.
namespace FormLayout {

enum class Kind { Frame, CheckBox, CommandButton, ListBox, TextBox, Label };
enum class Container { Window, Frame1 };
enum class Shown { Yes, No };

struct Control {
    const char *array;  // the control array's name
    std::int16_t index; // element of the array; NotInArray for the frame
    Kind kind;
    Container container; // Left and Top count from its outer top-left corner
    int left;
    int top;
    int width;
    int height;
    std::uint32_t backColour; // DefaultColour: the system's colour for the kind
    int tabIndex;
    Shown shown;
    const char *text;
};

inline constexpr std::int16_t NotInArray = -1;
inline constexpr std::uint32_t DefaultColour = 0xFFFFFFFFU;

inline constexpr int TwipsPerInch = 1440;
inline constexpr int ClientWidth = 6990;
inline constexpr int ClientHeight = 4785;
inline constexpr std::uint32_t WindowColour = 0x00FFC0C0U;

using FormFacts::FontFamily;
using FormFacts::FontSubstitute; // metric-compatible
inline constexpr int FontPointSize = 12;

// The quotation box keeps its text but is not shown: where the table puts it, it would hide
// most of the statement and reach past the window's edges. A control that is not shown takes
// no focus either.
// clang-format off
inline constexpr std::array<Control, 16> Table{{
//   array       index       kind                 container             left   top  width height  back colour   tab  shown      text
    {"Frame1",   NotInArray, Kind::Frame,         Container::Window,     120,  720, 2535, 1575, 0x00FFC0C0U, 12, Shown::Yes, "Изпитания на принца"},
    {"Check1",   2,          Kind::CheckBox,      Container::Frame1,     120, 1080, 2295,  375, 0x00FFC0FFU, 15, Shown::Yes, "III-то изпитание"},
    {"Check1",   1,          Kind::CheckBox,      Container::Frame1,     120,  720, 2295,  375, 0x00FFC0FFU, 14, Shown::Yes, "II-ро изпитание"},
    {"Check1",   0,          Kind::CheckBox,      Container::Frame1,     120,  360, 2295,  375, 0x00FFC0FFU, 13, Shown::Yes, "I-во изпитание"},
    {"Command1", 0,          Kind::CommandButton, Container::Window,     240, 2400, 1815,  375, 0x008080FFU, 11, Shown::Yes, "Чисти"},
    {"List1",    3,          Kind::ListBox,       Container::Window,    2760,  840, 1095, 1770, DefaultColour, 9, Shown::Yes, ""},
    {"List1",    2,          Kind::ListBox,       Container::Window,    5880,  840,  855, 1770, DefaultColour, 7, Shown::Yes, ""},
    {"List1",    1,          Kind::ListBox,       Container::Window,    4920,  840,  855, 1770, DefaultColour, 5, Shown::Yes, ""},
    {"List1",    0,          Kind::ListBox,       Container::Window,    3960,  840,  855, 1770, DefaultColour, 3, Shown::Yes, ""},
    {"Text1",    1,          Kind::TextBox,       Container::Window,     600, 3240, 6735, 1815, DefaultColour, 1, Shown::No,  FormTexts::Quotation},
    {"Text1",    0,          Kind::TextBox,       Container::Window,     120, 2880, 6735, 1815, DefaultColour, 0, Shown::Yes, FormTexts::ProblemStatement},
    {"Label1",   4,          Kind::Label,         Container::Window,    2760,  480, 1095,  375, 0x0080C0FFU, 10, Shown::Yes, "Начало"},
    {"Label1",   3,          Kind::Label,         Container::Window,    5880,  480,  855,  375, 0x0080C0FFU,  8, Shown::Yes, "III-то"},
    {"Label1",   2,          Kind::Label,         Container::Window,    4920,  480,  855,  375, 0x0080C0FFU,  6, Shown::Yes, "II-ро"},
    {"Label1",   1,          Kind::Label,         Container::Window,    3960,  480,  855,  375, 0x0080C0FFU,  4, Shown::Yes, "I-во"},
    {"Label1",   0,          Kind::Label,         Container::Window,     960,    0, 4575,  375, 0x0080C0FFU,  2, Shown::Yes, "Философия - Трелавин, условие"},
}};
// clang-format on

struct PixelRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    friend constexpr bool operator==(const PixelRect &, const PixelRect &) = default;
};

// Twips to pixels on a screen of dotsPerInch (15 twips to the pixel at 96), rounded down:
// the client area is 466 x 319 pixels at 96 and 699 x 478 at 144.
[[nodiscard]] constexpr int toPixels(int twips, int dotsPerInch)
{
    return twips * dotsPerInch / TwipsPerInch;
}

// How many rows of a kind the table has: the size of that kind's control array.
[[nodiscard]] constexpr std::size_t countOf(Kind kind)
{
    std::size_t count = 0;
    for (const Control &row : Table) {
        count += row.kind == kind ? 1 : 0;
    }
    return count;
}

// The name by which a control is found, in a test or on a page: "Frame1", "Check1_2".
[[nodiscard]] inline std::string nameOf(const Control &row)
{
    return row.index == NotInArray ? std::string(row.array) : std::string(row.array) + "_" + std::to_string(row.index);
}

// The label over list i, which names it: Label1(i + 1) over trial i's list, the last label
// over the pool, the last list.
[[nodiscard]] constexpr int headingOf(int listIndex)
{
    return listIndex + 1;
}

// The row of a kind's control array element; the first row where there is none. (Rows are
// found by kind and index, not compared by address: some compilers' checked builds cannot
// compare addresses at compile time.)
[[nodiscard]] constexpr const Control &rowOf(Kind kind, int index)
{
    for (const Control &row : Table) {
        if (row.kind == kind && row.index == index) {
            return row;
        }
    }
    return Table.front();
}

// The list a row heads, by its index; -1 where it heads none.
[[nodiscard]] constexpr int listHeadedBy(const Control &row)
{
    for (const Control &list : Table) {
        if (row.kind == Kind::Label && list.kind == Kind::ListBox && headingOf(list.index) == row.index) {
            return list.index;
        }
    }
    return -1;
}

// What a screen reader reads a control by where it shows no caption of its own: a list, its
// heading's caption; a text box, its name. nullptr: its own caption.
[[nodiscard]] constexpr const char *accessibleNameOf(const Control &row)
{
    if (row.kind == Kind::ListBox) {
        return rowOf(Kind::Label, headingOf(row.index)).text;
    }
    return row.kind == Kind::TextBox ? FormTexts::TextBoxNames.at(static_cast<std::size_t>(row.index)) : nullptr;
}

// The rows sorted by key(row), ties in the table's order. By insertion: sixteen rows, and
// plain loops are constexpr in every standard library the builds use, the web's included.
template <typename Key>
[[nodiscard]] constexpr std::array<const Control *, Table.size()> sortedBy(Key key)
{
    std::array<const Control *, Table.size()> rows{};
    for (std::size_t i = 0; i < rows.size(); ++i) {
        rows[i] = &Table[i];
    }
    for (std::size_t i = 1; i < rows.size(); ++i) {
        for (std::size_t j = i; j > 0 && key(*rows[j - 1]) > key(*rows[j]); --j) {
            std::swap(rows[j - 1], rows[j]);
        }
    }
    return rows;
}

// The rows in ascending tab index: the order in which the keyboard focus walks the controls.
[[nodiscard]] constexpr std::array<const Control *, Table.size()> inTabOrder()
{
    return sortedBy([](const Control &row) { return row.tabIndex; });
}

// The order in which the controls are made: the tab order, with each list's heading moved to
// just before its list. Windows names a list after the label made just before it, and the
// focus, which skips labels, still walks the tab order.
[[nodiscard]] constexpr std::array<const Control *, Table.size()> inCreationOrder()
{
    return sortedBy([](const Control &row) {
        const int list = listHeadedBy(row);
        return list >= 0 ? 2 * rowOf(Kind::ListBox, list).tabIndex - 1 : 2 * row.tabIndex;
    });
}

// Whether the keyboard focus stops at a control: a shown one that takes input.
[[nodiscard]] constexpr bool takesFocus(const Control &row)
{
    return row.shown == Shown::Yes && row.kind != Kind::Label && row.kind != Kind::Frame;
}

// The control the focus starts in: the first in tab order that takes the focus (the statement).
[[nodiscard]] constexpr const Control &firstFocus()
{
    for (const Control *row : inTabOrder()) {
        if (takesFocus(*row)) {
            return *row;
        }
    }
    return Table.front();
}

// Each array's elements are numbered from 0 without a gap, and only the frame stands alone.
[[nodiscard]] constexpr bool arraysAreWhole()
{
    for (const Control &row : Table) {
        const bool alone = row.kind == Kind::Frame;
        if (alone != (row.index == NotInArray) || (!alone && static_cast<std::size_t>(row.index) >= countOf(row.kind))) {
            return false;
        }
        for (const Control &other : Table) {
            if (&other != &row && other.kind == row.kind && other.index == row.index) {
                return false;
            }
        }
    }
    return true;
}
static_assert(arraysAreWhole(), "each control array numbered 0, 1, ... once each");

// Controls are made in tab order: the frame must come before the boxes that stand in it.
[[nodiscard]] constexpr bool containersComeFirst()
{
    bool frameMade = false;
    for (const Control *row : inTabOrder()) {
        if (row->container == Container::Frame1 && !frameMade) {
            return false;
        }
        frameMade = frameMade || row->kind == Kind::Frame;
    }
    return true;
}
static_assert(containersComeFirst(), "the frame's tab index is below its boxes'");

// Each list has a heading, standing just over it, as wide as it.
[[nodiscard]] constexpr bool everyListHeaded()
{
    for (const Control &list : Table) {
        const Control &label = rowOf(Kind::Label, headingOf(list.index));
        if (list.kind == Kind::ListBox &&
            (label.kind != Kind::Label || label.left != list.left || label.width != list.width || label.top >= list.top ||
             label.top + label.height < list.top)) {
            return false;
        }
    }
    return true;
}
static_assert(everyListHeaded(), "each list's heading stands over it");

// Where a control stands in its container, in pixels at the given densities.
[[nodiscard]] constexpr PixelRect toPixels(const Control &row, int dpiX, int dpiY)
{
    return {toPixels(row.left, dpiX), toPixels(row.top, dpiY), toPixels(row.width, dpiX), toPixels(row.height, dpiY)};
}

// Where a control stands in the window's client area: a control in the frame stands at the
// frame's place plus its own place in the frame, each converted on its own, as a toolkit
// places a child in its container.
[[nodiscard]] constexpr PixelRect placeInWindow(const Control &row, int dpiX, int dpiY)
{
    PixelRect place = toPixels(row, dpiX, dpiY);
    if (row.container == Container::Frame1) {
        for (const Control &frame : Table) {
            if (frame.kind == Kind::Frame) {
                place.left += toPixels(frame.left, dpiX);
                place.top += toPixels(frame.top, dpiY);
            }
        }
    }
    return place;
}

} // namespace FormLayout
