#include "mainform.h"

#include "checkboxwidgetadapter.h"
#include "classiccontrols.h"
#include "clockrandom.h"
#include "formcolours.h"
#include "formhandlers.h"
#include "formtexts.h"
#include "listwidgetadapter.h"

#include "hamburger.xpm"

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

template <typename Widget, std::size_t N>
std::array<Widget *, N> makeControls(QWidget *parent)
{
    std::array<Widget *, N> controls{};
    for (auto &control : controls) {
        control = new Widget(parent);
    }
    return controls;
}

template <typename Adapter, typename Widget, std::size_t N>
std::array<std::unique_ptr<Adapter>, N> adaptersOf(const std::array<Widget *, N> &widgets)
{
    std::array<std::unique_ptr<Adapter>, N> adapters;
    for (std::size_t i = 0; i < N; ++i) {
        adapters[i] = std::make_unique<Adapter>(widgets[i]);
    }
    return adapters;
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

QString objectNameOf(const Control &row)
{
    const auto array = QLatin1String(row.array);
    return row.index == FormLayout::NotInArray ? QString(array) : QStringLiteral("%1_%2").arg(array).arg(row.index);
}

// The texts keep Windows line ends; the text boxes break lines at the line feeds.
QString displayText(const char *text)
{
    return QString::fromUtf8(text).replace(QLatin1String("\r\n"), QLatin1String("\n"));
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

} // namespace

MainForm::MainForm(std::unique_ptr<RandomSource> random, QWidget *parent)
    : QWidget(parent)
    , Frame1(new QGroupBox(this))
    , Check1(makeControls<ClassicCheckBox, 3>(Frame1))
    , Command1(makeControls<QPushButton, 1>(this))
    , List1(makeControls<QListWidget, 4>(this))
    , Text1(makeControls<QPlainTextEdit, 2>(this))
    , Label1(makeControls<QLabel, 5>(this))
    , m_random(random ? std::move(random) : std::make_unique<ClockRandom>())
    , m_listAdapters(adaptersOf<ListWidgetAdapter>(List1))
    , m_checkAdapters(adaptersOf<CheckBoxWidgetAdapter>(Check1))
    , m_handlers(std::make_unique<FormHandlers>(
          Contest::Lists{m_listAdapters[0].get(), m_listAdapters[1].get(), m_listAdapters[2].get(), m_listAdapters[3].get()},
          Contest::Boxes{m_checkAdapters[0].get(), m_checkAdapters[1].get(), m_checkAdapters[2].get()}, *m_random))
{
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(QStringLiteral("%1 %2").arg(QString::fromUtf8(FormTexts::WebAddress), QString::fromUtf8(FormTexts::CaptionTitle)));
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
    setFixedColours(this, FormLayout::WindowColour);
    setAutoFillBackground(true);

    setUpKinds();
    applyLayoutTable();
    nameForScreenReaders();
    routeEvents();
    m_handlers->Form_Load();
}

MainForm::~MainForm() = default;

void MainForm::applyFont()
{
    QApplication::setFont(formFont());
    QFont::insertSubstitution(QString::fromLatin1(FormLayout::FontFamily), QString::fromLatin1(FormLayout::FontSubstitute));
}

QWidget *MainForm::control(const Control &row) const
{
    const auto i = static_cast<std::size_t>(std::max<std::int16_t>(row.index, 0));
    switch (row.kind) {
    case Kind::Frame:
        return Frame1;
    case Kind::CheckBox:
        return Check1.at(i);
    case Kind::CommandButton:
        return Command1.at(i);
    case Kind::ListBox:
        return List1.at(i);
    case Kind::TextBox:
        return Text1.at(i);
    case Kind::Label:
        return Label1.at(i);
    }
    return nullptr;
}

void MainForm::applyLayoutTable()
{
    using FormLayout::toPixels;
    const int dpiX = logicalDpiX();
    const int dpiY = logicalDpiY();
    for (const Control &row : FormLayout::Controls) {
        QWidget *widget = control(row);
        Q_ASSERT(widget->parentWidget() == (row.container == FormLayout::Container::Frame1 ? static_cast<QWidget *>(Frame1) : this));
        widget->setObjectName(objectNameOf(row));
        const FormLayout::PixelRect place = toPixels(row, dpiX, dpiY); // within its container
        widget->setGeometry(place.left, place.top, place.width, place.height);
        if (!FormLayout::isShown(row)) {
            widget->setFocusPolicy(Qt::NoFocus);
            widget->hide();
        }
        if (row.backColour != FormLayout::DefaultColour) {
            const QColor back = toQColor(FormColours::fromBgr(row.backColour));
            if (row.kind == Kind::CommandButton) {
                widget->setStyleSheet(buttonStyleSheet(back, readableText(row.backColour, widget, QPalette::ButtonText)));
            } else if (row.kind == Kind::Frame) {
                widget->setStyleSheet(frameStyleSheet(back, readableText(row.backColour, widget, QPalette::WindowText)));
            } else {
                setFixedColours(widget, row.backColour);
                widget->setBackgroundRole(QPalette::Window);
                widget->setAutoFillBackground(true);
            }
        }
        const QString text = displayText(row.text);
        switch (row.kind) {
        case Kind::Frame:
            Frame1->setTitle(text);
            break;
        case Kind::CheckBox:
            static_cast<QCheckBox *>(widget)->setText(text);
            break;
        case Kind::CommandButton:
            static_cast<QPushButton *>(widget)->setText(text);
            break;
        case Kind::Label:
            static_cast<QLabel *>(widget)->setText(text);
            break;
        case Kind::TextBox:
            static_cast<QPlainTextEdit *>(widget)->setPlainText(text);
            break;
        case Kind::ListBox:
            break;
        }
    }

    // Keyboard focus follows the tab indexes through the controls that can take it.
    QWidget *previous = nullptr;
    for (const Control *row : FormLayout::inTabOrder()) {
        QWidget *widget = control(*row);
        if (widget->focusPolicy() == Qt::NoFocus) {
            continue;
        }
        if (previous != nullptr) {
            setTabOrder(previous, widget);
        }
        previous = widget;
    }
}

void MainForm::setUpKinds()
{
    for (QLabel *label : Label1) {
        label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        label->setTextFormat(Qt::PlainText);
    }

    for (QListWidget *list : List1) {
        list->setUniformItemSizes(true);
        list->setSelectionMode(QAbstractItemView::SingleSelection);
        // The lists are drawn over the one pixel by which their headings reach into them.
        list->raise();
    }

    for (QPlainTextEdit *text : Text1) {
        text->setReadOnly(true);
        text->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
        text->setLineWrapMode(QPlainTextEdit::WidgetWidth);
        text->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        text->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        text->setTabChangesFocus(true);
    }
    // Return and Enter press the focused button, as Space does; there is no default button.
    Command1[0]->setAutoDefault(true);
    Text1[0]->setFocus();
}

void MainForm::nameForScreenReaders()
{
    // Boxes, button, frame and labels are read by their captions. Trial i's list is named
    // after its heading Label1[i + 1]; the pool, last in its array, after the last label.
    for (std::size_t i = 0; i < List1.size(); ++i) {
        List1[i]->setAccessibleName(Label1[i + 1]->text());
    }
    Text1[0]->setAccessibleName(QString::fromUtf8(FormTexts::StatementName));
    Text1[1]->setAccessibleName(QString::fromUtf8(FormTexts::QuotationName));
}

void MainForm::routeEvents()
{
    for (std::size_t i = 0; i < Check1.size(); ++i) {
        const auto index = static_cast<std::int16_t>(i);
        // toggled, not clicked: a screen reader's toggle action changes the state without a
        // click, and must run the trial all the same. The reset's own unchecking arrives here
        // too and finds an unchecked box.
        connect(Check1[i], &QCheckBox::toggled, this, [this, index] { m_handlers->Check1_Click(index); });
    }
    for (std::size_t i = 0; i < Command1.size(); ++i) {
        const auto index = static_cast<std::int16_t>(i);
        connect(Command1[i], &QPushButton::clicked, this, [this, index] { m_handlers->Command1_Click(index); });
    }
}

FormHandlers &MainForm::handlers() const
{
    return *m_handlers;
}
