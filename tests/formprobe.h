#pragma once

#include <QString>

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
    [[nodiscard]] std::vector<std::vector<std::string>> allItems() const;

    // Empty while the contest's invariants hold, else what is wrong: each of "1".."1000"
    // stands once in the four lists, the pool is ascending, and each trial list is empty
    // with its box armed or holds 333 with its box checked and disabled.
    [[nodiscard]] QString invariantProblem() const;

    // Where a person clicks a check box: on its indicator, not the middle of its caption.
    [[nodiscard]] static QPoint indicatorOf(const QCheckBox *box);

    std::array<QCheckBox *, 3> boxes{};
    std::array<QListWidget *, 4> lists{};
    QPushButton *reset = nullptr;
};
