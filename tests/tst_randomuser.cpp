// A randomized user: 100,000 random clicks and key presses on any control of the real
// window, enabled or not, with the contest's invariants checked after every one.
// The seed is printed with any failure; PRINCE_RANDOM_USER_SEED replays another.

#include "formprobe.h"
#include "mainform.h"
#include "program.h"
#include "scriptedrandom.h"

#include <QCheckBox>
#include <QListWidget>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTest>

#include <array>

namespace {

constexpr int Actions = 100'000;

const std::array<Qt::Key, 14> Keys{Qt::Key_Space, Qt::Key_Tab,    Qt::Key_Backtab, Qt::Key_Up,       Qt::Key_Down,
                                   Qt::Key_Home,  Qt::Key_End,    Qt::Key_PageUp,  Qt::Key_PageDown, Qt::Key_Return,
                                   Qt::Key_Enter, Qt::Key_Escape, Qt::Key_Delete,  Qt::Key_A};

} // namespace

class RandomUserTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { Program::prepareApplication(); }

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

        const FormProbe probe(&form);
        // Every visible widget: the controls and their parts (list viewports, scroll bars).
        QList<QWidget *> targets{&form};
        for (QWidget *widget : form.findChildren<QWidget *>()) {
            if (widget->isVisible()) {
                targets.append(widget);
            }
        }

        int resets = 0;
        int decided = 0;
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
                QCheckBox *box = probe.Check1[std::size_t(user.bounded(3))];
                QTest::mouseClick(box, Qt::LeftButton, {}, FormProbe::indicatorOf(box));
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
                    QTest::mouseClick(probe.Command1[0], Qt::LeftButton, {}, probe.Command1[0]->rect().center());
                    what = QStringLiteral("reset");
                } else {
                    QCheckBox *box = probe.Check1[std::size_t(user.bounded(3))];
                    box->setFocus();
                    QTest::keyClick(box, Qt::Key_Space);
                    what = QStringLiteral("space on %1").arg(box->objectName());
                }
                break;
            }

            const std::string problem = probe.invariantProblem();
            if (!problem.empty()) {
                QFAIL(qPrintable(
                    QStringLiteral("seed %1, action %2 (%3): %4").arg(seed).arg(action).arg(what, QString::fromStdString(problem))));
            }
            resets += what == QLatin1String("reset") ? 1 : 0;
            decided += probe.List1[3]->count() == 1 ? 1 : 0;
        }
        // The walk must have reached every state often, or it proves little.
        QVERIFY2(resets > 1000, qPrintable(QString::number(resets)));
        QVERIFY2(decided > 1000, qPrintable(QString::number(decided)));
    }
};

QTEST_MAIN(RandomUserTest)
#include "tst_randomuser.moc"
