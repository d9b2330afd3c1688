// The window as it opens: every control by object name with its place, colour, text and
// font, the tab order, what a screen reader is told, and what is painted.

#include "formcolours.h"
#include "formtexts.h"
#include "mainform.h"
#include "program.h"
#include "scriptedrandom.h"

#include <QAccessible>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>

namespace {

const QColor WindowBack(192, 192, 255);
const QColor HeadingBack(255, 192, 128);
const QColor BoxBack(255, 192, 255);
const QColor ButtonBack(255, 128, 128);

QStringList readableFamilies()
{
    return {QStringLiteral("Times New Roman"), QStringLiteral("Liberation Serif")};
}

} // namespace

class MainFormTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { Program::prepareApplication(); }

    void shouldHaveDefaultValue_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("className");
        QTest::addColumn<QString>("parentName");
        QTest::addColumn<QRect>("geometry");
        QTest::addColumn<QColor>("back"); // invalid: the system's colour
        QTest::addColumn<QString>("text");
        const QColor system;
        // clang-format off
        QTest::newRow("Frame1") << "Frame1" << "QGroupBox" << "MainForm" << QRect(8, 48, 169, 105) << WindowBack << "Изпитания на принца";
        QTest::newRow("Check1_0") << "Check1_0" << "QCheckBox" << "Frame1" << QRect(8, 24, 153, 25) << BoxBack << "I-во изпитание";
        QTest::newRow("Check1_1") << "Check1_1" << "QCheckBox" << "Frame1" << QRect(8, 48, 153, 25) << BoxBack << "II-ро изпитание";
        QTest::newRow("Check1_2") << "Check1_2" << "QCheckBox" << "Frame1" << QRect(8, 72, 153, 25) << BoxBack << "III-то изпитание";
        QTest::newRow("Command1_0") << "Command1_0" << "QPushButton" << "MainForm" << QRect(16, 160, 121, 25) << ButtonBack << "Чисти";
        QTest::newRow("List1_0") << "List1_0" << "QListWidget" << "MainForm" << QRect(264, 56, 57, 118) << system << "";
        QTest::newRow("List1_1") << "List1_1" << "QListWidget" << "MainForm" << QRect(328, 56, 57, 118) << system << "";
        QTest::newRow("List1_2") << "List1_2" << "QListWidget" << "MainForm" << QRect(392, 56, 57, 118) << system << "";
        QTest::newRow("List1_3") << "List1_3" << "QListWidget" << "MainForm" << QRect(184, 56, 73, 118) << system << "";
        QTest::newRow("Text1_0") << "Text1_0" << "QPlainTextEdit" << "MainForm" << QRect(8, 192, 449, 121) << system << "";
        QTest::newRow("Text1_1") << "Text1_1" << "QPlainTextEdit" << "MainForm" << QRect(40, 216, 449, 121) << system << "";
        QTest::newRow("Label1_0") << "Label1_0" << "QLabel" << "MainForm" << QRect(64, 0, 305, 25) << HeadingBack << "Философия - Трелавин, условие";
        QTest::newRow("Label1_1") << "Label1_1" << "QLabel" << "MainForm" << QRect(264, 32, 57, 25) << HeadingBack << "I-во";
        QTest::newRow("Label1_2") << "Label1_2" << "QLabel" << "MainForm" << QRect(328, 32, 57, 25) << HeadingBack << "II-ро";
        QTest::newRow("Label1_3") << "Label1_3" << "QLabel" << "MainForm" << QRect(392, 32, 57, 25) << HeadingBack << "III-то";
        QTest::newRow("Label1_4") << "Label1_4" << "QLabel" << "MainForm" << QRect(184, 32, 73, 25) << HeadingBack << "Начало";
        // clang-format on
    }
    void shouldHaveDefaultValue()
    {
        QFETCH(QString, name);
        QFETCH(QString, className);
        QFETCH(QString, parentName);
        QFETCH(QRect, geometry);
        QFETCH(QColor, back);
        QFETCH(QString, text);

        MainForm form(std::make_unique<ScriptedRandom>());
        auto *widget = form.findChild<QWidget *>(name);
        QVERIFY2(widget != nullptr, qPrintable(name));
        QVERIFY2(widget->inherits(qPrintable(className)), widget->metaObject()->className());
        QCOMPARE(widget->parentWidget()->objectName(), parentName);
        QCOMPARE(widget->geometry(), geometry);
        QVERIFY(widget->isEnabled());

        if (back.isValid()) {
            QVERIFY(widget->autoFillBackground() || !widget->styleSheet().isEmpty());
            if (widget->styleSheet().isEmpty()) {
                QCOMPARE(widget->palette().color(widget->backgroundRole()), back);
            }
        }

        QString shown;
        if (auto *frame = qobject_cast<QGroupBox *>(widget)) {
            shown = frame->title();
        } else if (auto *button = qobject_cast<QAbstractButton *>(widget)) {
            shown = button->text();
        } else if (auto *label = qobject_cast<QLabel *>(widget)) {
            shown = label->text();
            QCOMPARE(label->alignment(), Qt::AlignHCenter | Qt::AlignTop);
        }
        QCOMPARE(shown, text);
        if (auto *box = qobject_cast<QCheckBox *>(widget)) {
            QVERIFY(!box->isChecked());
        }

        const QFont font = widget->font();
        QCOMPARE(font.family(), QStringLiteral("Times New Roman"));
        QCOMPARE(font.pointSize(), 12);
        QCOMPARE(font.weight(), QFont::Normal);
        QVERIFY(!font.italic() && !font.underline() && !font.strikeOut());
        QVERIFY2(readableFamilies().contains(QFontInfo(font).family()), qPrintable(QFontInfo(font).family()));
    }

    void windowIsFixedWithItsCaptionAndIcon()
    {
        MainForm form(std::make_unique<ScriptedRandom>());
        QCOMPARE(form.size(), QSize(466, 319));
        QCOMPARE(form.minimumSize(), form.maximumSize());
        QVERIFY(form.windowTitle().endsWith(QStringLiteral(" Философия - Бастелон, Трелавин")));
        QVERIFY(!form.windowTitle().startsWith(QLatin1Char(' ')));
        QCOMPARE(form.windowTitle().count(QLatin1Char(' ')), 4);
        QVERIFY(!form.windowIcon().isNull());
        QCOMPARE(form.windowIcon().availableSizes().value(0), QSize(32, 32));
        QCOMPARE(form.palette().color(QPalette::Window), WindowBack);
        QCOMPARE(form.font().family(), QStringLiteral("Times New Roman"));
    }

    void listsStartReadyForTheContest()
    {
        MainForm form(std::make_unique<ScriptedRandom>());
        auto *pool = form.findChild<QListWidget *>(QStringLiteral("List1_3"));
        QCOMPARE(pool->count(), 1000);
        QCOMPARE(pool->item(0)->text(), QStringLiteral("1"));
        QCOMPARE(pool->item(999)->text(), QStringLiteral("1000"));
        for (const char *name : {"List1_0", "List1_1", "List1_2", "List1_3"}) {
            auto *list = form.findChild<QListWidget *>(QLatin1String(name));
            QVERIFY(!list->isSortingEnabled());
            QCOMPARE(list->selectionMode(), QAbstractItemView::SingleSelection);
            QCOMPARE(list->palette().color(QPalette::Base), QApplication::palette(list).color(QPalette::Base));
        }
    }

    void statementShowsItsLines()
    {
        MainForm form(std::make_unique<ScriptedRandom>());
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        auto *statement = form.findChild<QPlainTextEdit *>(QStringLiteral("Text1_0"));
        QVERIFY(statement->isVisible());
        QVERIFY(statement->isReadOnly());
        QVERIFY(statement->textInteractionFlags() & Qt::TextSelectableByKeyboard);
        QVERIFY(statement->textInteractionFlags() & Qt::TextSelectableByMouse);
        QCOMPARE(statement->lineWrapMode(), QPlainTextEdit::WidgetWidth);
        QCOMPARE(statement->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);

        const QTextDocument *document = statement->document();
        QVERIFY(!document->toPlainText().contains(QLatin1Char('\r')));
        QCOMPARE(document->blockCount(), 26); // 25 lines, each ended by a line break
        QCOMPARE(document->findBlockByNumber(0).text(), QStringLiteral("Съществува поговорка: \"златото се изпитва с огън, жената "));
        QCOMPARE(document->findBlockByNumber(10).text(), QStringLiteral("Тема на проекта: Философия - Трелавин, условие"));
        QCOMPARE(document->findBlockByNumber(24).text(), QStringLiteral("бъде различен."));
        QCOMPARE(QString::fromUtf8(FormTexts::ProblemStatement).count(QStringLiteral("\r\n")), 25);
        QVERIFY(QString::fromUtf8(FormTexts::ProblemStatement).endsWith(QStringLiteral("различен.\r\n")));

        // Long lines wrap at the box's width instead of scrolling sideways, and the box
        // scrolls down to its last line.
        QVERIFY(!statement->horizontalScrollBar()->isVisible());
        QScrollBar *bar = statement->verticalScrollBar();
        QVERIFY(bar->maximum() > 0);
        bar->setValue(bar->maximum());
        const int bottom = statement->viewport()->height() - 4;
        QVERIFY(statement->cursorForPosition(QPoint(4, bottom)).blockNumber() >= 24);
        bar->setValue(0);
        QVERIFY(statement->cursorForPosition(QPoint(4, bottom)).blockNumber() < 24);

        auto *quotation = form.findChild<QPlainTextEdit *>(QStringLiteral("Text1_1"));
        QVERIFY(!quotation->isVisible());
        QCOMPARE(quotation->toPlainText(),
                 QStringLiteral("Неприятното в това да си първият, направил нещо по \n"
                                "правилния начин, е, че никой не оценява колко трудно е \n"
                                "било. \n"));
    }

    void tabMovesThroughTheControlsInOrder()
    {
        MainForm form(std::make_unique<ScriptedRandom>());
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        const QStringList expected{"Text1_0",    "List1_0",  "List1_1",  "List1_2",  "List1_3",
                                   "Command1_0", "Check1_0", "Check1_1", "Check1_2", "Text1_0"};
        for (const QString &name : expected) {
            QCOMPARE(QApplication::focusWidget()->objectName(), name);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
    }

    void screenReaderNames_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("spoken");
        QTest::addColumn<QAccessible::Role>("role");
        // clang-format off
        QTest::newRow("Frame1") << "Frame1" << "Изпитания на принца" << QAccessible::Grouping;
        QTest::newRow("Check1_0") << "Check1_0" << "I-во изпитание" << QAccessible::CheckBox;
        QTest::newRow("Check1_1") << "Check1_1" << "II-ро изпитание" << QAccessible::CheckBox;
        QTest::newRow("Check1_2") << "Check1_2" << "III-то изпитание" << QAccessible::CheckBox;
        QTest::newRow("Command1_0") << "Command1_0" << "Чисти" << QAccessible::Button;
        QTest::newRow("List1_0") << "List1_0" << "I-во" << QAccessible::List;
        QTest::newRow("List1_1") << "List1_1" << "II-ро" << QAccessible::List;
        QTest::newRow("List1_2") << "List1_2" << "III-то" << QAccessible::List;
        QTest::newRow("List1_3") << "List1_3" << "Начало" << QAccessible::List;
        QTest::newRow("Text1_0") << "Text1_0" << "Условие на задачата" << QAccessible::EditableText;
        QTest::newRow("Label1_0") << "Label1_0" << "Философия - Трелавин, условие" << QAccessible::StaticText;
        QTest::newRow("Label1_4") << "Label1_4" << "Начало" << QAccessible::StaticText;
        // clang-format on
    }
    void screenReaderNames()
    {
        QFETCH(QString, name);
        QFETCH(QString, spoken);
        QFETCH(QAccessible::Role, role);
        MainForm form(std::make_unique<ScriptedRandom>());
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(form.findChild<QWidget *>(name));
        QVERIFY(iface != nullptr);
        QCOMPARE(iface->text(QAccessible::Name), spoken);
        QCOMPARE(iface->role(), role);
    }

    void screenReaderReadsListItems()
    {
        MainForm form(std::make_unique<ScriptedRandom>());
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QAccessibleInterface *pool = QAccessible::queryAccessibleInterface(form.findChild<QWidget *>(QStringLiteral("List1_3")));
        QCOMPARE(pool->childCount(), 1000);
        QCOMPARE(pool->child(0)->text(QAccessible::Name), QStringLiteral("1"));
        QCOMPARE(pool->child(999)->text(QAccessible::Name), QStringLiteral("1000"));
        QAccessibleInterface *box = QAccessible::queryAccessibleInterface(form.findChild<QWidget *>(QStringLiteral("Check1_1")));
        QVERIFY(box->actionInterface() != nullptr);
        QVERIFY(box->actionInterface()->actionNames().contains(QAccessibleActionInterface::toggleAction()));
    }

    void captionsFollowTheSchemeWhileItRuns_data()
    {
        QTest::addColumn<QColor>("schemeText");
        QTest::addColumn<bool>("reads"); // on every fixed back colour
        QTest::newRow("dark blue: the captions take it") << QColor(0, 0, 160) << true;
        QTest::newRow("near white: black instead") << QColor(250, 250, 250) << false;
    }
    void captionsFollowTheSchemeWhileItRuns()
    {
        QFETCH(QColor, schemeText);
        QFETCH(bool, reads);
        MainForm form(std::make_unique<ScriptedRandom>());
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        const QPalette before = QApplication::palette();
        QPalette scheme = before;
        scheme.setColor(QPalette::WindowText, schemeText);
        scheme.setColor(QPalette::ButtonText, schemeText);
        QApplication::setPalette(scheme);
        const QImage image = form.grab().toImage();
        QApplication::setPalette(before);

        // Where each caption stands on its fixed back colour: title, heading, frame, box, button.
        const std::array<std::pair<QRect, QColor>, 5> captions{{{QRect(64, 0, 305, 24), HeadingBack},
                                                                {QRect(184, 32, 73, 23), HeadingBack},
                                                                {QRect(12, 48, 150, 22), WindowBack},
                                                                {QRect(36, 72, 130, 25), BoxBack},
                                                                {QRect(20, 164, 113, 17), ButtonBack}}};
        for (const auto &[rect, back] : captions) {
            double best = 0;
            bool painted = false;
            for (int y = rect.top(); y <= rect.bottom(); ++y) {
                for (int x = rect.left(); x <= rect.right(); ++x) {
                    const QColor pixel = image.pixelColor(x, y);
                    // Text is smoothed at its edges: a stroke's core comes near its colour.
                    painted = painted ||
                        std::abs(pixel.red() - schemeText.red()) + std::abs(pixel.green() - schemeText.green()) +
                                std::abs(pixel.blue() - schemeText.blue()) <=
                            48;
                    best = std::max(
                        best, FormColours::contrast({pixel.red(), pixel.green(), pixel.blue()}, {back.red(), back.green(), back.blue()}));
                }
            }
            QVERIFY2(best >= FormColours::MinimumContrast, qPrintable(QStringLiteral("%1: %2").arg(back.name()).arg(best)));
            QVERIFY2(painted == reads, qPrintable(back.name()));
        }
    }

    void paintsEveryColour_data()
    {
        QTest::addColumn<QPoint>("point");
        QTest::addColumn<QColor>("colour");
        QTest::newRow("window, top left") << QPoint(2, 2) << WindowBack;
        QTest::newRow("window, right of the lists") << QPoint(462, 100) << WindowBack;
        QTest::newRow("window, bottom edge") << QPoint(200, 316) << WindowBack;
        QTest::newRow("frame, below the boxes") << QPoint(100, 147) << WindowBack;
        QTest::newRow("title, left end") << QPoint(67, 3) << HeadingBack;
        QTest::newRow("title, right end") << QPoint(366, 22) << HeadingBack;
        QTest::newRow("heading Начало") << QPoint(186, 34) << HeadingBack;
        QTest::newRow("heading I-во") << QPoint(266, 34) << HeadingBack;
        QTest::newRow("heading II-ро") << QPoint(383, 54) << HeadingBack;
        QTest::newRow("heading III-то") << QPoint(447, 54) << HeadingBack;
        QTest::newRow("box I, right end") << QPoint(8 + 8 + 150, 48 + 24 + 2) << BoxBack;
        QTest::newRow("box II, right end") << QPoint(8 + 8 + 150, 48 + 48 + 22) << BoxBack;
        QTest::newRow("box III, right end") << QPoint(8 + 8 + 150, 48 + 72 + 12) << BoxBack;
        QTest::newRow("button, left of caption") << QPoint(16 + 8, 160 + 12) << ButtonBack;
        QTest::newRow("button, right of caption") << QPoint(16 + 112, 160 + 6) << ButtonBack;
        QTest::newRow("button, near the bottom") << QPoint(16 + 60, 160 + 21) << ButtonBack;
    }
    void paintsEveryColour()
    {
        QFETCH(QPoint, point);
        QFETCH(QColor, colour);
        MainForm form(std::make_unique<ScriptedRandom>());
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        const QImage image = form.grab().toImage();
        QCOMPARE(image.size(), QSize(466, 319));
        QCOMPARE(QColor(image.pixel(point)), colour);
    }
};

QTEST_MAIN(MainFormTest)
#include "tst_mainform.moc"
