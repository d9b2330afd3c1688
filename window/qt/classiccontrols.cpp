#include "classiccontrols.h"

#include <QAbstractScrollArea>
#include <QPainter>
#include <QStyleFactory>
#include <QStyleOption>

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

bool ClassicCheckBox::hitButton(const QPoint &pos) const
{
    return rect().contains(pos);
}
