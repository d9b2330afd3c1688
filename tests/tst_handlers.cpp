// The complete window driven as a person drives it: mouse clicks on the boxes' indicators
// and the button, and the space key, on the real MainForm.

#include "contestcheck.h"
#include "formprobe.h"
#include "mainform.h"
#include "program.h"
#include "scriptedrandom.h"

#include <QCheckBox>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include <array>

namespace {

enum class Input { Mouse, Keyboard };

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
        form->show();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
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

    // The lists and boxes as exactly the trials in run leave them.
    void verifyRun(const std::vector<int> &run) const
    {
        QCOMPARE(probe.invariantProblem(), QString());
        for (int i = 0; i < 3; ++i) {
            const bool done = std::find(run.begin(), run.end(), i) != run.end();
            QCOMPARE(probe.lists[std::size_t(i)]->count(), done ? 333 : 0);
        }
    }

    ScriptedRandom *random;
    std::unique_ptr<MainForm> form;
    FormProbe probe;
};

using Order = std::vector<int>;

} // namespace

Q_DECLARE_METATYPE(Input)

class HandlersTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { Program::prepareApplication(); }

    void startsFreshAndSeedsOnce()
    {
        Window window;
        QCOMPARE(window.random->seedings, 1);
        QCOMPARE(window.random->draws, 0);
        QCOMPARE(ContestCheck::fullPool(window.probe.items(3)), QString());
        window.verifyRun({});
        QCOMPARE(window.form->currentTrial(), std::int16_t{0});
    }

    void everyOrderOfTrials_data()
    {
        QTest::addColumn<Order>("order");
        QTest::addColumn<Input>("input");
        const std::array<Order, 6> orders{{{0, 1, 2}, {0, 2, 1}, {1, 0, 2}, {1, 2, 0}, {2, 0, 1}, {2, 1, 0}}};
        for (const auto &order : orders) {
            QTest::addRow("%d%d%d, mouse", order[0] + 1, order[1] + 1, order[2] + 1) << order << Input::Mouse;
            QTest::addRow("%d%d%d, keyboard", order[0] + 1, order[1] + 1, order[2] + 1) << order << Input::Keyboard;
        }
    }
    void everyOrderOfTrials()
    {
        QFETCH(Order, order);
        QFETCH(Input, input);
        Window window;
        Order run;
        for (const int trial : order) {
            const auto before = window.probe.items(3);
            window.press(window.probe.boxes[static_cast<std::size_t>(trial)], input);
            run.push_back(trial);
            window.verifyRun(run);
            QCOMPARE(window.form->currentTrial(), static_cast<std::int16_t>(trial));
            // What the trial's list gained is exactly what the pool lost.
            auto gained = window.probe.items(static_cast<std::size_t>(trial));
            auto after = window.probe.items(3);
            after.insert(after.end(), gained.begin(), gained.end());
            std::sort(after.begin(), after.end());
            auto expected = before;
            std::sort(expected.begin(), expected.end());
            QCOMPARE(after, expected);
        }
        QCOMPARE(window.probe.lists[3]->count(), 1);
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
        window.press(window.probe.boxes[1], Input::Mouse);
        const auto before = window.probe.allItems();
        for (int attempt = 0; attempt < 3; ++attempt) {
            window.press(window.probe.boxes[1], input);
        }
        QCOMPARE(window.probe.allItems(), before);
        window.verifyRun({1});
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
        for (const int trial : before) {
            window.press(window.probe.boxes[static_cast<std::size_t>(trial)], Input::Mouse);
        }
        for (int i = 0; i < presses; ++i) {
            window.press(window.probe.reset, input);
        }
        window.verifyRun({});
        QCOMPARE(ContestCheck::fullPool(window.probe.items(3)), QString());
        // No trial ran and nothing was reseeded: the random sequence goes on where it was.
        QCOMPARE(window.random->draws, 333 * static_cast<int>(before.size()));
        QCOMPARE(window.random->seedings, 1);
    }

    void aContestAfterResetContinuesTheSequence()
    {
        Window window;
        window.press(window.probe.boxes[0], Input::Mouse);
        window.press(window.probe.reset, Input::Mouse);
        window.press(window.probe.boxes[0], Input::Mouse);

        // The same draws, from the same seed without the reset, as the second trial.
        ScriptedRandom::Script script = ScriptedRandom::seeded(2026);
        for (int i = 0; i < 333; ++i) {
            script(i);
        }
        Window reference(script);
        reference.press(reference.probe.boxes[0], Input::Mouse);
        QCOMPARE(window.probe.allItems(), reference.probe.allItems());
    }

    void handlersIgnoreWhatIsNotTheirs()
    {
        Window window;
        window.press(window.probe.boxes[2], Input::Mouse);
        const auto before = window.probe.allItems();
        window.form->Command1_Click(1);        // no such button
        window.form->Check1_Click(0);          // box I is not checked
        QCOMPARE(window.probe.allItems(), before);
        window.verifyRun({2});
    }
};

QTEST_MAIN(HandlersTest)
#include "tst_handlers.moc"
