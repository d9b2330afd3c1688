#include "listwidgetadapter.h"

#include "runtimeerror.h"

#include <QListWidget>

ListWidgetAdapter::ListWidgetAdapter(QListWidget *widget)
    : m_widget(widget)
{
}

void ListWidgetAdapter::clear()
{
    m_widget->clear();
}

void ListWidgetAdapter::append(const std::string &text)
{
    if (m_widget->count() >= INT16_MAX) {
        runtimeError("list box is full");
    }
    m_widget->addItem(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}

void ListWidgetAdapter::appendAll(const std::vector<std::string> &texts)
{
    if (m_widget->count() + static_cast<qsizetype>(texts.size()) > INT16_MAX) {
        runtimeError("list box is full");
    }
    QStringList items;
    items.reserve(static_cast<qsizetype>(texts.size()));
    for (const auto &text : texts) {
        items.append(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
    }
    // One insertion for the lot: the view lays out and announces the rows once.
    m_widget->addItems(items);
}

std::string ListWidgetAdapter::textAt(std::int16_t position) const
{
    const QListWidgetItem *item = m_widget->item(position);
    if (item == nullptr) {
        runtimeError("list position out of range");
    }
    return item->text().toStdString();
}

void ListWidgetAdapter::removeAt(std::int16_t position)
{
    QListWidgetItem *item = m_widget->takeItem(position);
    if (item == nullptr) {
        runtimeError("list position out of range");
    }
    delete item;
}

std::int16_t ListWidgetAdapter::count() const
{
    return static_cast<std::int16_t>(m_widget->count());
}
