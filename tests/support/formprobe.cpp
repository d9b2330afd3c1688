#include "formprobe.h"

#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>

#include <type_traits>

FormProbe::FormProbe(const QWidget *form)
{
    forEach([form](const FormLayout::Control &row, auto &widget) {
        widget = form->findChild<std::remove_reference_t<decltype(widget)>>(QString::fromStdString(FormLayout::nameOf(row)));
    });
}

std::vector<std::string> FormProbe::items(std::size_t list) const
{
    std::vector<std::string> texts;
    for (int i = 0; i < List1[list]->count(); ++i) {
        texts.push_back(List1[list]->item(i)->text().toStdString());
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
    for (std::size_t i = 0; i < Check1.size(); ++i) {
        states[i] = {Check1[i]->isChecked(), Check1[i]->isEnabled()};
    }
    return ContestCheck::invariants(allItems(), states);
}

QPoint FormProbe::indicatorOf(const QCheckBox *box)
{
    QStyleOptionButton option;
    option.initFrom(box);
    return box->style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, box).center();
}
