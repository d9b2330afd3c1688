// The contest on in-memory lists and boxes with scripted random values.

#include "contest.h"
#include "contestcheck.h"
#include "contestparts.h"
#include "fakecheckbox.h"
#include "fakelistbox.h"
#include "numbertext.h"
#include "scriptedrandom.h"
#include "verifyholds.h"

#include <QTest>

#include <algorithm>
#include <array>

namespace {

struct FakeForm : ContestParts<FakeListBox, FakeCheckBox> {
    explicit FakeForm(ScriptedRandom::Script script)
        : random(std::move(script))
    {
    }

    void run(std::int16_t trial)
    {
        currentTrial = trial;
        contest.RunTrial();
    }

    [[nodiscard]] std::vector<std::vector<std::string>> allItems() const
    {
        return {lists[0].items, lists[1].items, lists[2].items, lists[3].items};
    }

    FakeListBox &pool() { return lists[ContestRules::PoolIndex]; }

    std::int16_t currentTrial = 0;
    ScriptedRandom random;
    Contest contest{stage(), currentTrial, random};
};

using ContestCheck::Order;

int highest(const std::vector<std::string> &texts)
{
    int top = 0;
    for (const auto &text : texts) {
        top = std::max(top, std::stoi(text));
    }
    return top;
}

void addSources()
{
    QTest::addColumn<ScriptedRandom::Script>("script");
}

} // namespace

Q_DECLARE_METATYPE(ScriptedRandom::Script)
Q_DECLARE_METATYPE(ContestCheck::Order)

class ContestTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void resetRestoresTheFreshState_data()
    {
        QTest::addColumn<Order>("before");
        QTest::newRow("nothing run") << Order{};
        QTest::newRow("trial I") << Order{0};
        QTest::newRow("trial III") << Order{2};
        QTest::newRow("trials II, I") << Order{1, 0};
        QTest::newRow("decided I, II, III") << Order{0, 1, 2};
        QTest::newRow("decided III, I, II") << Order{2, 0, 1};
    }
    void resetRestoresTheFreshState()
    {
        QFETCH(Order, before);
        FakeForm form(ScriptedRandom::seeded(7));
        form.contest.ResetPool();
        for (const auto trial : before) {
            form.run(trial);
        }
        form.lists[1].items.push_back("left over");

        form.contest.ResetPool();

        VERIFY_HOLDS(ContestCheck::fullPool(form.pool().items));
        for (std::size_t i = 0; i < 3; ++i) {
            QVERIFY(form.lists[i].items.empty());
            QCOMPARE(form.boxes[i].state, CheckBox::Unchecked);
            QVERIFY(form.boxes[i].enabled);
        }
        QCOMPARE(form.random.draws, static_cast<int>(before.size()) * 333);
        QCOMPARE(form.random.seedings, 0);
    }

    void oneTrialMoves333Texts_data()
    {
        QTest::addColumn<std::int16_t>("trial");
        addSources();
        const std::array<std::pair<const char *, ScriptedRandom::Script>, 5> sources{{
            {"r = 0", ScriptedRandom::constant(0.0F)},
            {"r = 0.5", ScriptedRandom::constant(0.5F)},
            {"r just below 1", ScriptedRandom::constant(AlmostOne)},
            {"seed 1", ScriptedRandom::seeded(1)},
            {"seed 20261208", ScriptedRandom::seeded(20261208)},
        }};
        for (std::int16_t trial = 0; trial < 3; ++trial) {
            for (const auto &[name, script] : sources) {
                QTest::addRow("trial %d, %s", trial + 1, name) << trial << script;
            }
        }
    }
    void oneTrialMoves333Texts()
    {
        QFETCH(std::int16_t, trial);
        QFETCH(ScriptedRandom::Script, script);
        FakeForm form(script);
        form.contest.ResetPool();

        form.run(trial);

        for (std::int16_t i = 0; i < 3; ++i) {
            QCOMPARE(form.lists[static_cast<std::size_t>(i)].items.size(), i == trial ? 333U : 0U);
        }
        QCOMPARE(form.pool().items.size(), 667U);
        VERIFY_HOLDS(ContestCheck::ascending(form.pool().items));
        VERIFY_HOLDS(ContestCheck::eachNumberOnce(form.allItems()));
        // With at most 332 removals before it, "666" still stands at position 333 or later.
        QVERIFY2(highest(form.lists[static_cast<std::size_t>(trial)].items) < 666, "drew 666 or above");
        QCOMPARE(form.random.draws, 333);
    }

    void everyOrderLeavesOneWinner_data()
    {
        QTest::addColumn<Order>("order");
        addSources();
        const std::array<std::pair<const char *, ScriptedRandom::Script>, 5> sources{{
            {"r = 0", ScriptedRandom::constant(0.0F)},
            {"r just below 1", ScriptedRandom::constant(AlmostOne)},
            {"seed 3", ScriptedRandom::seeded(3)},
            {"seed 99", ScriptedRandom::seeded(99)},
            {"seed 123456789", ScriptedRandom::seeded(123456789)},
        }};
        for (const auto &order : ContestCheck::TrialOrders) {
            for (const auto &[name, script] : sources) {
                QTest::addRow("%d%d%d, %s", order[0] + 1, order[1] + 1, order[2] + 1, name) << order << script;
            }
        }
    }
    void everyOrderLeavesOneWinner()
    {
        QFETCH(Order, order);
        QFETCH(ScriptedRandom::Script, script);
        FakeForm form(script);
        form.contest.ResetPool();

        for (std::size_t step = 0; step < order.size(); ++step) {
            const auto trial = static_cast<std::size_t>(order[step]);
            form.run(order[step]);
            QCOMPARE(form.lists[trial].items.size(), 333U);
            QCOMPARE(form.pool().items.size(), 1000U - 333U * (step + 1));
            VERIFY_HOLDS(ContestCheck::ascending(form.pool().items));
            VERIFY_HOLDS(ContestCheck::eachNumberOnce(form.allItems()));
            if (step < 2) {
                QVERIFY2(highest(form.lists[trial].items) < 1000, "\"1000\" left before the third trial");
            }
        }
        QCOMPARE(form.pool().items.size(), 1U);
    }

    void drawPosition_data()
    {
        QTest::addColumn<float>("r");
        QTest::addColumn<std::int16_t>("poolCount");
        QTest::addColumn<std::int16_t>("position");
        QTest::newRow("r = 0") << 0.0F << std::int16_t{1000} << std::int16_t{0};
        QTest::newRow("r just below 1, full pool") << AlmostOne << std::int16_t{1000} << std::int16_t{332};
        QTest::newRow("r just below 1, pool of 333") << AlmostOne << std::int16_t{333} << std::int16_t{332};
        QTest::newRow("r just below 1, pool of 332 folds") << AlmostOne << std::int16_t{332} << std::int16_t{0};
        QTest::newRow("r = 0.5") << 0.5F << std::int16_t{1000} << std::int16_t{166};
        QTest::newRow("r = 0.5, pool of 100") << 0.5F << std::int16_t{100} << std::int16_t{66};
        // 1712989 * 2^-24 times 333 is 33.9999996 exactly; a float product rounds it to 34.
        QTest::newRow("exact product below 34") << 1712989 * 0x1p-24F << std::int16_t{1000} << std::int16_t{33};
        QTest::newRow("exact product below 67") << 3375596 * 0x1p-24F << std::int16_t{1000} << std::int16_t{66};
        QTest::newRow("pool of 2, even slot") << 0.5F << std::int16_t{2} << std::int16_t{0};
        QTest::newRow("pool of 2, odd slot") << 331.5F / 333.0F << std::int16_t{2} << std::int16_t{1};
        QTest::newRow("pool of 1") << AlmostOne << std::int16_t{1} << std::int16_t{0};
    }
    void drawPosition()
    {
        QFETCH(float, r);
        QFETCH(std::int16_t, poolCount);
        QFETCH(std::int16_t, position);
        QCOMPARE(Contest::drawPosition(r, poolCount), position);
    }

    void constantValueDrawsARun_data()
    {
        QTest::addColumn<float>("r");
        QTest::addColumn<int>("firstDrawn");
        QTest::newRow("r = 0") << 0.0F << 1;
        QTest::newRow("r = 0.5") << 0.5F << 167;
        QTest::newRow("r just below 1") << AlmostOne << 333;
    }
    void constantValueDrawsARun()
    {
        // The same position drawn 333 times from an ascending pool takes 333 neighbours in order.
        QFETCH(float, r);
        QFETCH(int, firstDrawn);
        FakeForm form(ScriptedRandom::constant(r));
        form.contest.ResetPool();
        form.run(1);
        const auto &drawn = form.lists[1].items;
        QCOMPARE(drawn.size(), 333U);
        for (std::size_t i = 0; i < drawn.size(); ++i) {
            QCOMPARE(drawn[i], numberText(static_cast<unsigned>(firstDrawn) + static_cast<unsigned>(i)));
        }
    }

    void poolSizesSeenByTheDraws_data()
    {
        QTest::addColumn<float>("lastR");
        QTest::addColumn<std::int16_t>("lastPosition");
        QTest::newRow("r = 0") << 0.0F << std::int16_t{0};
        QTest::newRow("r just below 1") << AlmostOne << std::int16_t{0};
        QTest::newRow("odd slot") << 331.5F / 333.0F << std::int16_t{1};
        QTest::newRow("slot 1") << 1.5F / 333.0F << std::int16_t{1};
    }
    void poolSizesSeenByTheDraws()
    {
        QFETCH(float, lastR);
        QFETCH(std::int16_t, lastPosition);
        std::vector<float> script(998, 0.25F);
        script.push_back(lastR);
        FakeForm form(ScriptedRandom::values(script));
        form.contest.ResetPool();
        const Order order{2, 0, 1};
        for (const auto trial : order) {
            form.run(trial);
        }

        const auto &removals = form.pool().removals;
        QCOMPARE(removals.size(), 999U);
        for (std::size_t i = 0; i < removals.size(); ++i) {
            QCOMPARE(removals[i].countBefore, static_cast<std::int16_t>(1000 - i));
        }
        QCOMPARE(removals.back().countBefore, std::int16_t{2});
        QCOMPARE(removals.back().position, lastPosition);
    }

    void theListFollowsCurrentTrialOnly()
    {
        // Trial III run first fills list 2 from the full pool; the next run fills its own list.
        FakeForm first(ScriptedRandom::seeded(11));
        first.contest.ResetPool();
        first.run(2);
        FakeForm second(ScriptedRandom::seeded(11));
        second.contest.ResetPool();
        second.run(0);
        QCOMPARE(first.lists[2].items, second.lists[0].items);
        QCOMPARE(first.pool().items, second.pool().items);
    }
};

QTEST_APPLESS_MAIN(ContestTest)
#include "tst_contest.moc"
