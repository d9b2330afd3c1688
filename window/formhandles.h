#pragma once

#include "contestrules.h"
#include "formlayout.h"

#include <array>
#include <cstddef>

// Types names a front end's control type for each kind of the layout table: Frame, CheckBox,
// CommandButton, ListBox, TextBox and Label. Where one type serves every kind (a window
// handle, an element's number), SameForEveryKind names it once.
template <typename T>
struct SameForEveryKind {
    using Frame = T;
    using CheckBox = T;
    using CommandButton = T;
    using ListBox = T;
    using TextBox = T;
    using Label = T;
};

// A front end's handles on its controls (a widget, a window handle, an element's number): one
// array per kind, each as long as the table has rows of that kind, and each row's control
// found from the row. Every front end, its tests and its benchmarks hold their handles in one
// of these.
template <typename Types>
class FormHandles
{
public:
    using Control = FormLayout::Control;
    using Kind = FormLayout::Kind;

    typename Types::Frame Frame1{};
    std::array<typename Types::CheckBox, FormLayout::countOf(Kind::CheckBox)> Check1{};
    std::array<typename Types::CommandButton, FormLayout::countOf(Kind::CommandButton)> Command1{};
    std::array<typename Types::ListBox, FormLayout::countOf(Kind::ListBox)> List1{};
    std::array<typename Types::TextBox, FormLayout::countOf(Kind::TextBox)> Text1{};
    std::array<typename Types::Label, FormLayout::countOf(Kind::Label)> Label1{};

    static_assert(FormLayout::countOf(Kind::Frame) == 1, "one frame, Frame1");
    static_assert(FormLayout::countOf(Kind::ListBox) == ContestRules::ListCount, "a list per trial and the pool");
    static_assert(FormLayout::countOf(Kind::CheckBox) == ContestRules::TrialCount, "a box per trial");
    static_assert(FormLayout::countOf(Kind::CommandButton) >= 1, "the reset button, Command1(0)");

    // visit(element) for the element that stands for row, as its own type; what visit returns.
    template <typename Visit>
    decltype(auto) at(const Control &row, Visit &&visit)
    {
        const auto i = static_cast<std::size_t>(row.index == FormLayout::NotInArray ? 0 : row.index);
        switch (row.kind) {
        case Kind::Frame:
            return visit(Frame1);
        case Kind::CheckBox:
            return visit(Check1.at(i));
        case Kind::CommandButton:
            return visit(Command1.at(i));
        case Kind::ListBox:
            return visit(List1.at(i));
        case Kind::TextBox:
            return visit(Text1.at(i));
        case Kind::Label:
            break;
        }
        return visit(Label1.at(i));
    }

    // visit(row, element) for every row of the table: in the table's order; in ascending tab
    // index (the order in which the focus walks them, and in which the Qt window and the page
    // make them); in the order in which the Windows window makes them (FormLayout::inCreationOrder).
    template <typename Visit>
    void forEach(Visit &&visit)
    {
        for (const Control &row : FormLayout::Table) {
            at(row, [&](auto &element) { visit(row, element); });
        }
    }
    template <typename Visit>
    void forEachInTabOrder(Visit &&visit)
    {
        forEachIn(FormLayout::inTabOrder(), visit);
    }
    template <typename Visit>
    void forEachInCreationOrder(Visit &&visit)
    {
        forEachIn(FormLayout::inCreationOrder(), visit);
    }

private:
    template <typename Visit>
    void forEachIn(const std::array<const Control *, FormLayout::Table.size()> &rows, Visit &visit)
    {
        for (const Control *row : rows) {
            at(*row, [&](auto &element) { visit(*row, element); });
        }
    }
};
