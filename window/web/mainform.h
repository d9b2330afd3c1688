#pragma once

#include "checkboxelementadapter.h"
#include "contestparts.h"
#include "formcontrols.h"
#include "formhandlers.h"
#include "listboxelementadapter.h"
#include "randomsource.h"

#include <cstdint>
#include <memory>
#include <optional>

// The page's controls: every kind is an element of the page, known by its number.
using FormElements = FormControls<SameForEveryKind<int>>;

// The program's only window in the browser: it makes the pool, three trial boxes with their
// lists, the reset button and the problem statement from the layout table as native form
// controls, and routes their events to the window's handlers. The contest's state lives in
// its controls.
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
    // Runs a handler with the given lists held, laid out once after it.
    template <typename Handler>
    void heldDuring(std::initializer_list<int> lists, Handler handler);

    FormElements m_controls;
    std::unique_ptr<RandomSource> m_random;
    std::optional<ContestParts<ListBoxElementAdapter, CheckBoxElementAdapter>> m_parts;
    std::optional<FormHandlers> m_handlers;
};
