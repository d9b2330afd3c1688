#include "classiccontrols.h"

#include <QAbstractScrollArea>
#include <QAccessible>
#include <QFocusEvent>
#include <QPainter>
#include <QStyleFactory>
#include <QStyleOption>
#include <QTimer>

#include <utility>

namespace {

constexpr int EdgeWidth = 2;

bool isScrollArea(const QWidget *widget)
{
    return qobject_cast<const QAbstractScrollArea *>(widget) != nullptr;
}

} // namespace

ClassicStyle::ClassicStyle()
    : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion")))
{
}

int ClassicStyle::pixelMetric(PixelMetric metric, const QStyleOption *option, const QWidget *widget) const
{
    if (metric == PM_DefaultFrameWidth && isScrollArea(widget)) {
        return EdgeWidth;
    }
    return QProxyStyle::pixelMetric(metric, option, widget);
}

void ClassicStyle::drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter, const QWidget *widget) const
{
    if (element != PE_Frame || !isScrollArea(widget)) {
        QProxyStyle::drawPrimitive(element, option, painter, widget);
        return;
    }
    // Outer line dark and inner line light, as a sunken edge; both in the highlight colour
    // while the box has the focus.
    const bool focused = (option->state & State_HasFocus) != 0;
    const QPalette &palette = option->palette;
    const QRect outer = option->rect.adjusted(0, 0, -1, -1);
    painter->save();
    painter->setBrush(Qt::NoBrush);
    painter->setPen(focused ? palette.color(QPalette::Highlight) : palette.color(QPalette::Dark));
    painter->drawRect(outer);
    painter->setPen(focused ? palette.color(QPalette::Highlight) : palette.color(QPalette::Midlight));
    painter->drawRect(outer.adjusted(1, 1, -1, -1));
    painter->restore();
}

ClassicCheckBox::ClassicCheckBox(QWidget *parent)
    : QCheckBox(parent)
{
    // A click toggles the box, reports its state, then ends in clicked(); nothing else runs
    // in between, so the click is still handled to the end before the next input.
    connect(this, &QAbstractButton::toggled, this, [this] {
        if (!m_clicking) {
            emit settled();
        }
    });
    connect(this, &QAbstractButton::clicked, this, [this] {
        if (std::exchange(m_clicking, false)) {
            emit settled();
        }
    });
}

void ClassicCheckBox::nextCheckState()
{
    // Only a click asks for the next state.
    m_clicking = true;
    QCheckBox::nextCheckState();
}

bool ClassicCheckBox::hitButton(const QPoint &pos) const
{
    return rect().contains(pos);
}

void ClassicListWidget::currentChanged(const QModelIndex &current, const QModelIndex &previous)
{
    // QListView announces the new current item as the focus whether or not the list has it;
    // without the focus, the item view's own handling alone.
    if (hasFocus()) {
        QListWidget::currentChanged(current, previous);
    } else {
        QAbstractItemView::currentChanged(current, previous); // NOLINT(bugprone-parent-virtual-call)
    }
}

void ClassicListWidget::focusInEvent(QFocusEvent *event)
{
    QListWidget::focusInEvent(event);
    if (event->reason() == Qt::MouseFocusReason || count() == 0) {
        return;
    }
    if (!currentIndex().isValid()) {
        selectionModel()->setCurrentIndex(model()->index(0, 0), QItemSelectionModel::NoUpdate);
    }
    // The toolkit announces the list itself after this handler: the current item goes after
    // it, once the focus has settled.
    QTimer::singleShot(0, this, [this] {
        QAccessibleInterface *list = QAccessible::isActive() && hasFocus() ? QAccessible::queryAccessibleInterface(this) : nullptr;
        QAccessibleTableInterface *rows = list != nullptr ? list->tableInterface() : nullptr;
        if (QAccessibleInterface *item = rows != nullptr ? rows->cellAt(currentRow(), 0) : nullptr) {
            QAccessibleEvent focus(item, QAccessible::Focus);
            QAccessible::updateAccessibility(&focus);
        }
    });
}
