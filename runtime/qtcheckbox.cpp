#include "qtcheckbox.h"

#include "runtimeerror.h"

#include <QCheckBox>

QtCheckBox::QtCheckBox(QCheckBox *widget)
    : m_widget(widget)
{
}

std::int16_t QtCheckBox::value() const
{
    return m_widget->isChecked() ? Checked : Unchecked;
}

void QtCheckBox::setValue(std::int16_t value)
{
    if (value != Unchecked && value != Checked) {
        runtimeError("invalid check box state");
    }
    m_widget->setChecked(value == Checked);
}

void QtCheckBox::setEnabled(bool enabled)
{
    m_widget->setEnabled(enabled);
}
