// The complete window driven as a person drives it: mouse clicks on the boxes' indicators
// and the button, and the space key, on the real MainForm.

#include "contestcheck.h"
#include "formhandlers.h"
#include "formprobe.h"
#include "mainform.h"
#include "program.h"
#include "scriptedrandom.h"
#include "verifyholds.h"

#include <QCheckBox>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include <array>

namespace {

enum class Input { Mouse, Keyboard };
using ContestCheck::Order;

struct Window {
    explicit Window(ScriptedRandom::Script script = ScriptedRandom::seeded(2026))
        : Window(std::make_unique<ScriptedRandom>(std::move(script)))
    {
    }

    explicit Window(std::unique_ptr<ScriptedRandom> source)
        : random(source.get())
        , form(std::make_unique<MainForm>(std::move(source)))
        , probe(form.get())
    {
    }

    [[nodiscard]] bool show() const
    {
        form->show();
        return QTest::qWaitForWindowActive(form.get());
    }

    static void press(QAbstractButton *button, Input input)
    {
        if (input == Input::Keyboard) {
            // A disabled button neither takes the focus nor the key.
            button->setFocus();
            QTest::keyClick(button, Qt::Key_Space);
            return;
        }
        auto *box = qobject_cast<QCheckBox *>(button);
        QTest::mouseClick(button, Qt::LeftButton, {}, box != nullptr ? FormProbe::indicatorOf(box) : button->rect().center());
    }

    // What differs from the lists and boxes as exactly the trials in run leave them.
    [[nodiscard]] std::string runProblem(const Order &run) const
    {
        if (std::string problem = probe.invariantProblem(); !problem.empty()) {
            return problem;
        }
        for (std::int16_t i = 0; i < 3; ++i) {
            const bool done = std::find(run.begin(), run.end(), i) != run.end();
            if (probe.List1[std::size_t(i)]->count() != (done ? 333 : 0)) {
                return "trial " + std::to_string(i) + (done ? " has not run" : " has run");
            }
        }
        return {};
    }

    ScriptedRandom *random;
    std::unique_ptr<MainForm> form;
    FormProbe probe;
};

} // namespace

Q_DECLARE_METATYPE(Input)
Q_DECLARE_METATYPE(ContestCheck::Order)

class HandlersTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { Program::prepareApplication(); }

    void startsFreshAndSeedsOnce()
    {
        Window window;
        QVERIFY(window.show());
        QCOMPARE(window.random->seedings, 1);
        QCOMPARE(window.random->draws, 0);
        VERIFY_HOLDS(ContestCheck::fullPool(window.probe.items(3)));
        VERIFY_HOLDS(window.runProblem({}));
        QCOMPARE(window.form->handlers().currentTrial(), std::int16_t{0});
    }

    void everyOrderOfTrials_data()
    {
        QTest::addColumn<Order>("order");
        QTest::addColumn<Input>("input");
        for (const auto &order : ContestCheck::TrialOrders) {
            QTest::addRow("%d%d%d, mouse", order[0] + 1, order[1] + 1, order[2] + 1) << order << Input::Mouse;
            QTest::addRow("%d%d%d, keyboard", order[0] + 1, order[1] + 1, order[2] + 1) << order << Input::Keyboard;
        }
    }
    void everyOrderOfTrials()
    {
        QFETCH(Order, order);
        QFETCH(Input, input);
        Window window;
        QVERIFY(window.show());
        Order run;
        for (const std::int16_t trial : order) {
            const auto before = window.probe.items(3);
            window.press(window.probe.Check1[static_cast<std::size_t>(trial)], input);
            run.push_back(trial);
            VERIFY_HOLDS(window.runProblem(run));
            QCOMPARE(window.form->handlers().currentTrial(), trial);
            // What the trial's list gained is exactly what the pool lost.
            auto gained = window.probe.items(static_cast<std::size_t>(trial));
            auto after = window.probe.items(3);
            after.insert(after.end(), gained.begin(), gained.end());
            std::sort(after.begin(), after.end());
            auto expected = before;
            std::sort(expected.begin(), expected.end());
            QCOMPARE(after, expected);
        }
        QCOMPARE(window.probe.List1[3]->count(), 1);
        QCOMPARE(window.random->draws, 999);
    }

    void aRunBoxIgnoresInput_data()
    {
        QTest::addColumn<Input>("input");
        QTest::newRow("mouse") << Input::Mouse;
        QTest::newRow("keyboard") << Input::Keyboard;
    }
    void aRunBoxIgnoresInput()
    {
        QFETCH(Input, input);
        Window window;
        QVERIFY(window.show());
        window.press(window.probe.Check1[1], Input::Mouse);
        const auto before = window.probe.allItems();
        for (int attempt = 0; attempt < 3; ++attempt) {
            window.press(window.probe.Check1[1], input);
        }
        QCOMPARE(window.probe.allItems(), before);
        VERIFY_HOLDS(window.runProblem({1}));
        QCOMPARE(window.random->draws, 333);
    }

    void resetFromEveryState_data()
    {
        QTest::addColumn<Order>("before");
        QTest::addColumn<Input>("input");
        QTest::addColumn<int>("presses");
        const std::array<std::pair<const char *, Order>, 4> states{{
            {"fresh", {}},
            {"one trial", {2}},
            {"two trials", {1, 0}},
            {"decided", {0, 2, 1}},
        }};
        for (const auto &[name, order] : states) {
            QTest::addRow("%s, mouse", name) << order << Input::Mouse << 1;
            QTest::addRow("%s, keyboard", name) << order << Input::Keyboard << 1;
            QTest::addRow("%s, twice", name) << order << Input::Mouse << 2;
        }
    }
    void resetFromEveryState()
    {
        QFETCH(Order, before);
        QFETCH(Input, input);
        QFETCH(int, presses);
        Window window;
        QVERIFY(window.show());
        for (const std::int16_t trial : before) {
            window.press(window.probe.Check1[static_cast<std::size_t>(trial)], Input::Mouse);
        }
        for (int i = 0; i < presses; ++i) {
            window.press(window.probe.Command1[0], input);
        }
        VERIFY_HOLDS(window.runProblem({}));
        VERIFY_HOLDS(ContestCheck::fullPool(window.probe.items(3)));
        // No trial ran and nothing was reseeded: the random sequence goes on where it was.
        QCOMPARE(window.random->draws, 333 * static_cast<int>(before.size()));
        QCOMPARE(window.random->seedings, 1);
    }

    void aContestAfterResetContinuesTheSequence()
    {
        Window window;
        QVERIFY(window.show());
        window.press(window.probe.Check1[0], Input::Mouse);
        window.press(window.probe.Command1[0], Input::Mouse);
        window.press(window.probe.Check1[0], Input::Mouse);

        // The same draws, from the same seed without the reset, as the second trial.
        ScriptedRandom::Script script = ScriptedRandom::seeded(2026);
        for (int i = 0; i < 333; ++i) {
            script(i);
        }
        Window reference(script);
        QVERIFY(reference.show());
        reference.press(reference.probe.Check1[0], Input::Mouse);
        QCOMPARE(window.probe.allItems(), reference.probe.allItems());
    }

    void handlersIgnoreWhatIsNotTheirs()
    {
        Window window;
        QVERIFY(window.show());
        window.press(window.probe.Check1[2], Input::Mouse);
        const auto before = window.probe.allItems();
        window.form->handlers().Command1_Click(1); // no such button
        window.form->handlers().Check1_Click(0);   // box I is not checked
        QCOMPARE(window.probe.allItems(), before);
        VERIFY_HOLDS(window.runProblem({2}));
    }
};

QTEST_MAIN(HandlersTest)
#include "tst_handlers.moc"
