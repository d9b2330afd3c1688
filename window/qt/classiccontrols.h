#pragma once

#include <QCheckBox>
#include <QProxyStyle>

// Qt's controls where they behave otherwise than the classic ones the window is drawn for.

// Fusion, but a list or text box draws a two-pixel sunken edge, which turns the highlight
// colour while the box has the keyboard focus: Tab into an empty list shows where it went.
class ClassicStyle final : public QProxyStyle
{
    Q_OBJECT

public:
    ClassicStyle();

    [[nodiscard]] int pixelMetric(PixelMetric metric, const QStyleOption *option, const QWidget *widget) const override;
    void drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter, const QWidget *widget) const override;
};

// A check box that takes a click anywhere in its rectangle, not only on its box and caption.
class ClassicCheckBox final : public QCheckBox
{
    Q_OBJECT

public:
    using QCheckBox::QCheckBox;

protected:
    [[nodiscard]] bool hitButton(const QPoint &pos) const override;
};
