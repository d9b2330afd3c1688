#pragma once

#include "classiccontrols.h"
#include "contestcheck.h"
#include "mainform.h"

#include <string>
#include <vector>

class QPoint;
class QWidget;

// The window's controls, found by object name as a test or a benchmark sees them.
class FormProbe : public FormWidgets
{
public:
    explicit FormProbe(const QWidget *form);

    [[nodiscard]] std::vector<std::string> items(std::size_t list) const;
    [[nodiscard]] ContestCheck::Lists allItems() const;

    // What is wrong with the contest in the window, by ContestCheck::invariants; empty
    // while everything holds.
    [[nodiscard]] std::string invariantProblem() const;

    // Where a person clicks a check box: on its indicator, not the middle of its caption.
    [[nodiscard]] static QPoint indicatorOf(const QCheckBox *box);
};
