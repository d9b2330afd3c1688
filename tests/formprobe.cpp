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

ContestCheck::Lists FormProbe::allItems() const
{
    return {items(0), items(1), items(2), items(3)};
}

std::string FormProbe::invariantProblem() const
{
    ContestCheck::Boxes states;
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        states[i] = {boxes[i]->isChecked(), boxes[i]->isEnabled()};
    }
    return ContestCheck::invariants(allItems(), states);
}

QPoint FormProbe::indicatorOf(const QCheckBox *box)
{
    QStyleOptionButton option;
    option.initFrom(box);
    return box->style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, box).center();
}
