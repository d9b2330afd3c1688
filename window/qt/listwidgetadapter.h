#pragma once

#include "listbox.h"

class QListWidget;

// The list-box operations on a QListWidget.
class ListWidgetAdapter final : public ListBox
{
public:
    explicit ListWidgetAdapter(QListWidget *widget);

    void clear() override;
    void append(const std::string &text) override;
    void appendAll(const std::vector<std::string> &texts) override;
    [[nodiscard]] std::string textAt(std::int16_t position) const override;
    void removeAt(std::int16_t position) override;
    [[nodiscard]] std::int16_t count() const override;

private:
    QListWidget *const m_widget;
};
