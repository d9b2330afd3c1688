#include "formprobe.h"

#include <QCheckBox>
#include <QListWidget>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>

FormProbe::FormProbe(const QWidget *form)
    : reset(form->findChild<QPushButton *>(QStringLiteral("Command1_0")))
{
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        boxes[i] = form->findChild<QCheckBox *>(QStringLiteral("Check1_%1").arg(i));
    }
    for (std::size_t i = 0; i < lists.size(); ++i) {
        lists[i] = form->findChild<QListWidget *>(QStringLiteral("List1_%1").arg(i));
    }
}

std::vector<std::string> FormProbe::items(std::size_t list) const
{
    std::vector<std::string> texts;
    for (int i = 0; i < lists[list]->count(); ++i) {
        texts.push_back(lists[list]->item(i)->text().toStdString());
    }
    return texts;
}

std::vector<std::vector<std::string>> FormProbe::allItems() const
{
    return {items(0), items(1), items(2), items(3)};
}

QString FormProbe::invariantProblem() const
{
    std::array<int, 1001> seen{};
    for (std::size_t l = 0; l < lists.size(); ++l) {
        int previous = 0;
        for (int i = 0; i < lists[l]->count(); ++i) {
            const int n = lists[l]->item(i)->text().toInt();
            if (n < 1 || n > 1000) {
                return QStringLiteral("list %1 holds \"%2\"").arg(l).arg(lists[l]->item(i)->text());
            }
            ++seen[std::size_t(n)];
            if (l == 3 && n <= previous) {
                return QStringLiteral("the pool has %1 after %2").arg(n).arg(previous);
            }
            previous = n;
        }
    }
    for (int n = 1; n <= 1000; ++n) {
        if (seen[std::size_t(n)] != 1) {
            return QStringLiteral("%1 stands %2 times").arg(n).arg(seen[std::size_t(n)]);
        }
    }
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        const int count = lists[i]->count();
        const bool run = count == 333;
        if ((!run && count != 0) || boxes[i]->isChecked() != run || boxes[i]->isEnabled() == run) {
            return QStringLiteral("trial %1: %2 entries, box %3 and %4")
                .arg(i)
                .arg(count)
                .arg(boxes[i]->isChecked() ? "checked" : "unchecked", boxes[i]->isEnabled() ? "enabled" : "disabled");
        }
    }
    return {};
}

QPoint FormProbe::indicatorOf(const QCheckBox *box)
{
    QStyleOptionButton option;
    option.initFrom(box);
    return box->style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, box).center();
}
