#pragma once

#include "checkboxelementadapter.h"
#include "formcontest.h"
#include "formhandles.h"
#include "listboxelementadapter.h"
#include "randomsource.h"

#include <cstdint>
#include <memory>

// The page's controls: every kind is an element of the page, known by its number.
using FormElements = FormHandles<SameForEveryKind<int>>;

// The program's only window in the browser: it makes the pool, three trial boxes with their
// lists, the reset button and the problem statement from the layout table, the boxes, the
// button and the statement as the page's form controls, the lists as its own list boxes
// (listbox.js), and routes their events to the window's handlers. The contest's state lives
// in its controls.
class MainForm
{
public:
    // Makes the page's controls and raises Form_Load; without a random source the form uses the
    // program's clock-seeded one.
    explicit MainForm(std::unique_ptr<RandomSource> random = nullptr);
    MainForm(const MainForm &) = delete;
    MainForm &operator=(const MainForm &) = delete;

    // The page's events: box Index changed state, button Index was pressed, the colour scheme
    // changed.
    void boxChanged(std::int16_t index);
    void buttonPressed(std::int16_t index);
    void applyColours();

private:
    void makeControls();

    FormElements m_handles;
    FormContest<ListBoxElementAdapter, CheckBoxElementAdapter> m_contest;
};
