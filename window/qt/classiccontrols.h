#pragma once

#include <QCheckBox>
#include <QListWidget>
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
// settled() follows each change of its state: after a click (mouse or keyboard) has finished,
// once the new state has been reported to a screen reader, or at once when the state changed
// otherwise (from the program, or a screen reader's own toggle action). A handler that
// disables the box moves the focus on, and a state change reported on a control that no
// longer has the focus goes unheard; after toggled() it would be reported too late.
class ClassicCheckBox final : public QCheckBox
{
    Q_OBJECT

public:
    explicit ClassicCheckBox(QWidget *parent = nullptr);

Q_SIGNALS:
    void settled();

protected:
    [[nodiscard]] bool hitButton(const QPoint &pos) const override;
    void nextCheckState() override;

private:
    bool m_clicking = false;
};

// A list that has a current item whenever it takes the focus from the keyboard, and tells a
// screen reader which one, as a classic list box draws its focus on the first item. Qt sets
// a current item only the first time, and announces it before the list itself, so a screen
// reader heard the list alone, and the first arrow key seemed to skip the first item. Nor
// does the list claim the focus for a screen reader when its current item moves while
// another control has it, as a trial's removals move the pool's.
class ClassicListWidget final : public QListWidget
{
    Q_OBJECT

public:
    using QListWidget::QListWidget;

protected:
    void focusInEvent(QFocusEvent *event) override;
    void currentChanged(const QModelIndex &current, const QModelIndex &previous) override;
};
