// A randomized user: 100,000 random clicks and key presses on any control of the real
// window, enabled or not, with the contest's invariants checked after every one.
// The seed is printed with any failure; PRINCE_RANDOM_USER_SEED replays another.

#include "mainform.h"
#include "scriptedrandom.h"

#include <QCheckBox>
#include <QListWidget>
#include <QPushButton>
#include <QRandomGenerator>
#include <QStyleOptionButton>
#include <QTest>

#include <array>

namespace {

constexpr int Actions = 100'000;

const std::array<Qt::Key, 14> Keys{Qt::Key_Space, Qt::Key_Tab,      Qt::Key_Backtab, Qt::Key_Up,     Qt::Key_Down,
                                   Qt::Key_Home,  Qt::Key_End,      Qt::Key_PageUp,  Qt::Key_PageDown, Qt::Key_Return,
                                   Qt::Key_Enter, Qt::Key_Escape,   Qt::Key_Delete,  Qt::Key_A};

} // namespace

class RandomUserTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { MainForm::applyAppearance(); }

    void invariantsHoldThroughRandomUse()
    {
        const quint32 seed = qEnvironmentVariableIsSet("PRINCE_RANDOM_USER_SEED")
            ? quint32(qEnvironmentVariableIntValue("PRINCE_RANDOM_USER_SEED"))
            : 20261208U;
        qInfo("random user seed %u", seed);
        QRandomGenerator user(seed);

        MainForm form(std::make_unique<ScriptedRandom>(ScriptedRandom::seeded(seed)));
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));

        std::array<QCheckBox *, 3> boxes{};
        std::array<QListWidget *, 4> lists{};
        for (int i = 0; i < 3; ++i) {
            boxes[std::size_t(i)] = form.findChild<QCheckBox *>(QStringLiteral("Check1_%1").arg(i));
        }
        for (int i = 0; i < 4; ++i) {
            lists[std::size_t(i)] = form.findChild<QListWidget *>(QStringLiteral("List1_%1").arg(i));
        }
        auto *reset = form.findChild<QPushButton *>(QStringLiteral("Command1_0"));
        // Every visible widget: the controls and their parts (list viewports, scroll bars).
        QList<QWidget *> targets{&form};
        for (QWidget *widget : form.findChildren<QWidget *>()) {
            if (widget->isVisible()) {
                targets.append(widget);
            }
        }

        int resets = 0;
        for (int action = 0; action < Actions; ++action) {
            QString what;
            QWidget *target = targets[user.bounded(targets.size())];
            switch (user.bounded(6)) {
            case 0: { // a click anywhere in a control
                const QPoint at(user.bounded(std::max(1, target->width())), user.bounded(std::max(1, target->height())));
                QTest::mouseClick(target, Qt::LeftButton, {}, at);
                what = QStringLiteral("click on %1 at %2,%3").arg(target->objectName()).arg(at.x()).arg(at.y());
                break;
            }
            case 1: { // a click on a box's indicator, where a person aims
                QCheckBox *box = boxes[std::size_t(user.bounded(3))];
                QStyleOptionButton option;
                option.initFrom(box);
                QTest::mouseClick(box, Qt::LeftButton, {}, box->style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, box).center());
                what = QStringLiteral("click on the indicator of %1").arg(box->objectName());
                break;
            }
            case 2: { // a key for whatever has the focus
                const Qt::Key key = Keys[std::size_t(user.bounded(int(Keys.size())))];
                QWidget *focus = QApplication::focusWidget() != nullptr ? QApplication::focusWidget() : &form;
                QTest::keyClick(focus, key);
                what = QStringLiteral("key %1 on %2").arg(key).arg(focus->objectName());
                break;
            }
            case 3: { // a key sent to any control, focused or not
                const Qt::Key key = Keys[std::size_t(user.bounded(int(Keys.size())))];
                QTest::keyClick(target, key);
                what = QStringLiteral("key %1 on %2").arg(key).arg(target->objectName());
                break;
            }
            case 4:
                QTest::mouseDClick(target, Qt::LeftButton, {}, target->rect().center());
                what = QStringLiteral("double click on %1").arg(target->objectName());
                break;
            default:
                if (user.bounded(4) == 0) {
                    QTest::mouseClick(reset, Qt::LeftButton, {}, reset->rect().center());
                    what = QStringLiteral("reset");
                } else {
                    QCheckBox *box = boxes[std::size_t(user.bounded(3))];
                    box->setFocus();
                    QTest::keyClick(box, Qt::Key_Space);
                    what = QStringLiteral("space on %1").arg(box->objectName());
                }
                break;
            }

            const QString where = QStringLiteral("seed %1, action %2 (%3): ").arg(seed).arg(action).arg(what);
            std::array<int, 1001> seen{};
            for (std::size_t l = 0; l < lists.size(); ++l) {
                int previous = 0;
                for (int i = 0; i < lists[l]->count(); ++i) {
                    const int n = lists[l]->item(i)->text().toInt();
                    QVERIFY2(n >= 1 && n <= 1000, qPrintable(where + QStringLiteral("not a candidate")));
                    ++seen[std::size_t(n)];
                    if (l == 3) {
                        QVERIFY2(n > previous, qPrintable(where + QStringLiteral("pool out of order")));
                        previous = n;
                    }
                }
            }
            for (int n = 1; n <= 1000; ++n) {
                QVERIFY2(seen[std::size_t(n)] == 1, qPrintable(where + QStringLiteral("%1 stands %2 times").arg(n).arg(seen[std::size_t(n)])));
            }
            for (std::size_t i = 0; i < boxes.size(); ++i) {
                const bool run = lists[i]->count() == 333;
                QVERIFY2(run || lists[i]->count() == 0, qPrintable(where + QStringLiteral("a trial list is part filled")));
                QVERIFY2(boxes[i]->isChecked() == run && boxes[i]->isEnabled() == !run,
                         qPrintable(where + QStringLiteral("box %1 does not match its list").arg(i)));
            }
            resets += what == QLatin1String("reset") ? 1 : 0;
        }
        // The walk must have reached every state often, or it proves little.
        QVERIFY2(resets > 1000, qPrintable(QString::number(resets)));
    }
};

QTEST_MAIN(RandomUserTest)
#include "tst_randomuser.moc"
