#pragma once

#include "contestcheck.h"

#include <array>
#include <string>
#include <vector>

class QCheckBox;
class QListWidget;
class QPoint;
class QPushButton;
class QWidget;

// The window's contest controls, found by object name as a test sees them.
class FormProbe
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

    std::array<QCheckBox *, 3> boxes{};
    std::array<QListWidget *, 4> lists{};
    QPushButton *reset = nullptr;
};
