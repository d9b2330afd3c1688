#include "mainform.h"

#include "checkboxwidgetadapter.h"
#include "classiccontrols.h"
#include "formcolours.h"
#include "formtexts.h"
#include "listwidgetadapter.h"

#include "hamburger.xpm"

#include <QAccessibleWidget>
#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>

#include <algorithm>

using FormLayout::Control;
using FormLayout::Kind;

namespace {

// A screen reader takes the window for what it is, a frame named by its caption, and can read
// its title on demand; as a plain widget it was a nameless filler.
QAccessibleInterface *accessibleWindow(const QString &className, QObject *object)
{
    auto *form = qobject_cast<MainForm *>(object);
    return className == QLatin1String("MainForm") && form != nullptr && form->isWindow() ? new QAccessibleWidget(form, QAccessible::Window)
                                                                                         : nullptr;
}

// The widgets of the table, made in tab order: the frame before the boxes that stand in it.
FormWidgets makeWidgets(QWidget *form)
{
    FormWidgets widgets;
    widgets.forEachInTabOrder([&](const Control &row, auto &widget) {
        QWidget *container = row.container == FormLayout::Container::Frame1 ? widgets.Frame1 : form;
        Q_ASSERT(container != nullptr);
        widget = new std::remove_pointer_t<std::remove_reference_t<decltype(widget)>>(container);
    });
    return widgets;
}

QColor toQColor(FormColours::Rgb rgb)
{
    return {rgb.red, rgb.green, rgb.blue};
}

// The scheme's text colour for role where it reads on the fixed back colour, else black or white.
QColor readableText(std::uint32_t backBgr, const QWidget *widget, QPalette::ColorRole role)
{
    const QColor scheme = QApplication::palette(widget).color(role);
    return toQColor(FormColours::readableTextOn(FormColours::fromBgr(backBgr), {scheme.red(), scheme.green(), scheme.blue()}));
}

// A fixed back colour with text that reads on it, while the control takes input; a disabled
// control keeps the scheme's greyed text.
void setFixedColours(QWidget *widget, std::uint32_t backBgr)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, toQColor(FormColours::fromBgr(backBgr)));
    const QColor text = readableText(backBgr, widget, QPalette::WindowText);
    palette.setColor(QPalette::Active, QPalette::WindowText, text);
    palette.setColor(QPalette::Inactive, QPalette::WindowText, text);
    widget->setPalette(palette);
}

QFont formFont()
{
    QFont font(QString::fromLatin1(FormLayout::FontFamily), FormLayout::FontPointSize, QFont::Normal);
    // The face (or its metric twin) covers every letter the window shows, Cyrillic and
    // Latin: without merging, start-up does not sort the fallback list for nothing.
    font.setStyleStrategy(QFont::StyleStrategy(QFont::PreferMatch | QFont::NoFontMerging));
    return font;
}

// A graphical button: flat in its back colour, with a bevel that turns over when pressed
// and a darker edge while it has the keyboard focus.
QString buttonStyleSheet(const QColor &back, const QColor &text)
{
    return QStringLiteral(
               "QPushButton { background-color: %1; color: %3;"
               " border: 2px outset %1; }"
               "QPushButton:pressed { border-style: inset; }"
               "QPushButton:focus { border: 2px solid %2; }")
        .arg(back.name(), back.darker(250).name(), text.name());
}

// A frame: its back colour fills it edge to edge, an etched line runs round it and the
// caption sits on the top line.
QString frameStyleSheet(const QColor &back, const QColor &text)
{
    return QStringLiteral(
               "QGroupBox { background-color: %1; border: 2px groove %2; margin-top: 9px; }"
               "QGroupBox::title { subcontrol-origin: margin; subcontrol-position: top left;"
               " left: 6px; padding: 0px 2px; background-color: %1; color: %3; }")
        .arg(back.name(), back.darker(140).name(), text.name());
}

// Each kind shows its text in its own way; a list starts empty.
void setText(QGroupBox *frame, const QString &text)
{
    frame->setTitle(text);
}
void setText(QAbstractButton *button, const QString &text)
{
    button->setText(text);
}
void setText(QLabel *label, const QString &text)
{
    label->setText(text);
}
void setText(QPlainTextEdit *box, const QString &text)
{
    box->setPlainText(text);
}
void setText(QListWidget * /*list*/, const QString & /*text*/) { }

// A fixed back colour: the button and the frame draw theirs by style sheet, every other
// control fills its background with it.
void setBack(QPushButton *button, std::uint32_t backBgr)
{
    button->setStyleSheet(buttonStyleSheet(toQColor(FormColours::fromBgr(backBgr)), readableText(backBgr, button, QPalette::ButtonText)));
}
void setBack(QGroupBox *frame, std::uint32_t backBgr)
{
    frame->setStyleSheet(frameStyleSheet(toQColor(FormColours::fromBgr(backBgr)), readableText(backBgr, frame, QPalette::WindowText)));
}
void setBack(QWidget *widget, std::uint32_t backBgr)
{
    setFixedColours(widget, backBgr);
    widget->setBackgroundRole(QPalette::Window);
    widget->setAutoFillBackground(true);
}

} // namespace

MainForm::MainForm(std::unique_ptr<RandomSource> random, QWidget *parent)
    : QWidget(parent)
    , m_handles(makeWidgets(this))
    , m_contest(std::move(random))
{
    static const bool readAsWindow = (QAccessible::installFactory(&accessibleWindow), true);
    Q_UNUSED(readAsWindow)
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(QString::fromUtf8(FormTexts::Caption));
    setWindowIcon(QIcon(QPixmap(hamburger_xpm)));
    setWindowFlag(Qt::WindowMaximizeButtonHint, false);
    // Twips follow the screen's density, also where the toolkit's own scaling is off.
    setFixedSize(FormLayout::toPixels(FormLayout::ClientWidth, logicalDpiX()),
                 FormLayout::toPixels(FormLayout::ClientHeight, logicalDpiY()));
    // Every control inherits the window's font. With applyFont() the application already
    // uses it, and the controls were created in it: setting it again would lay out the
    // statement once more for nothing.
    if (QApplication::font() != formFont()) {
        setFont(formFont());
    }
    setAutoFillBackground(true);
    qApp->installEventFilter(this);

    setUpKinds();
    applyLayoutTable();
    applyColours();
    nameForScreenReaders();
    routeEvents();
    m_contest.load(m_handles);
}

MainForm::~MainForm() = default;

void MainForm::applyFont()
{
    QApplication::setFont(formFont());
    QFont::insertSubstitution(QString::fromLatin1(FormLayout::FontFamily), QString::fromLatin1(FormLayout::FontSubstitute));
}

void MainForm::applyLayoutTable()
{
    const int dpiX = logicalDpiX();
    const int dpiY = logicalDpiY();
    m_handles.forEach([&](const Control &row, auto *widget) {
        widget->setObjectName(QString::fromStdString(FormLayout::nameOf(row)));
        const FormLayout::PixelRect place = FormLayout::toPixels(row, dpiX, dpiY); // within its container
        widget->setGeometry(place.left, place.top, place.width, place.height);
        if (row.shown == FormLayout::Shown::No) {
            widget->setFocusPolicy(Qt::NoFocus);
            widget->hide();
        }
        setText(widget, QString::fromStdString(FormTexts::withLineFeeds(row.text)));
    });

    // Keyboard focus follows the tab indexes through the controls that can take it.
    QWidget *previous = nullptr;
    m_handles.forEachInTabOrder([&](const Control & /*row*/, QWidget *widget) {
        if (widget->focusPolicy() == Qt::NoFocus) {
            return;
        }
        if (previous != nullptr) {
            setTabOrder(previous, widget);
        }
        previous = widget;
    });
}

void MainForm::applyColours()
{
    setFixedColours(this, FormLayout::WindowColour);
    m_handles.forEach([](const Control &row, auto *widget) {
        if (row.backColour != FormLayout::DefaultColour) {
            setBack(widget, row.backColour);
        }
    });
}

bool MainForm::eventFilter(QObject *watched, QEvent *event)
{
    // The desktop's scheme changed while the program runs (the application is told, not its
    // windows): the text on the fixed back colours is chosen again, by the same rule.
    if (watched == qApp && event->type() == QEvent::ApplicationPaletteChange) {
        applyColours();
    }
    return QWidget::eventFilter(watched, event);
}

void MainForm::setUpKinds()
{
    for (QLabel *label : m_handles.Label1) {
        label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        label->setTextFormat(Qt::PlainText);
    }

    for (QListWidget *list : m_handles.List1) {
        list->setUniformItemSizes(true);
        list->setSelectionMode(QAbstractItemView::SingleSelection);
        // The lists are drawn over the one pixel by which their headings reach into them.
        list->raise();
    }

    for (QPlainTextEdit *text : m_handles.Text1) {
        text->setReadOnly(true);
        text->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
        text->setLineWrapMode(QPlainTextEdit::WidgetWidth);
        text->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        text->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        text->setTabChangesFocus(true);
    }
    // Return and Enter press the focused button, as Space does; there is no default button.
    m_handles.Command1[0]->setAutoDefault(true);
    m_handles.at(FormLayout::firstFocus(), [](QWidget *widget) { widget->setFocus(); });
}

void MainForm::nameForScreenReaders()
{
    // Boxes, button, frame and labels are read by their captions.
    m_handles.forEach([](const Control &row, QWidget *widget) {
        if (const char *name = FormLayout::accessibleNameOf(row)) {
            widget->setAccessibleName(QString::fromUtf8(name));
        }
    });
}

void MainForm::routeEvents()
{
    for (std::size_t i = 0; i < m_handles.Check1.size(); ++i) {
        const auto index = static_cast<std::int16_t>(i);
        // Every change of state, a click's once it has been reported: a screen reader's toggle
        // action changes the state without a click, and must run the trial all the same. The
        // reset's own unchecking arrives here too and finds an unchecked box.
        connect(m_handles.Check1[i], &ClassicCheckBox::settled, this, [this, index] { m_contest.boxChanged(m_handles, index); });
    }
    for (std::size_t i = 0; i < m_handles.Command1.size(); ++i) {
        const auto index = static_cast<std::int16_t>(i);
        connect(m_handles.Command1[i], &QPushButton::clicked, this, [this, index] { m_contest.buttonPressed(m_handles, index); });
    }
}

FormHandlers &MainForm::handlers()
{
    return m_contest.handlers();
}
