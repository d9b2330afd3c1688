#pragma once

#include "checkbox.h"

class QCheckBox;

// The check-box operations on a QCheckBox.
class CheckBoxWidgetAdapter final : public CheckBox
{
public:
    explicit CheckBoxWidgetAdapter(QCheckBox *widget);

    [[nodiscard]] std::int16_t value() const override;
    void setValue(std::int16_t value) override;
    void setEnabled(bool enabled) override;

private:
    QCheckBox *const m_widget;
};
