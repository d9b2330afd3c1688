#include "checkboxwidgetadapter.h"

#include "runtimeerror.h"

#include <QCheckBox>

CheckBoxWidgetAdapter::CheckBoxWidgetAdapter(QCheckBox *widget)
    : m_widget(widget)
{
}

std::int16_t CheckBoxWidgetAdapter::value() const
{
    return m_widget->isChecked() ? Checked : Unchecked;
}

void CheckBoxWidgetAdapter::setValue(std::int16_t value)
{
    if (value != Unchecked && value != Checked) {
        runtimeError("invalid check box state");
    }
    m_widget->setChecked(value == Checked);
}

void CheckBoxWidgetAdapter::setEnabled(bool enabled)
{
    m_widget->setEnabled(enabled);
}
