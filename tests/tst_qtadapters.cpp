// The contest through the Qt adapters on real list and check-box widgets: the same
// scripted draws must leave the widgets exactly as they leave the in-memory fakes.

#include "checkboxwidgetadapter.h"
#include "contest.h"
#include "contestcheck.h"
#include "contestparts.h"
#include "fakecheckbox.h"
#include "fakelistbox.h"
#include "listwidgetadapter.h"
#include "scriptedrandom.h"
#include "verifyholds.h"

#include <QCheckBox>
#include <QListWidget>
#include <QTest>

#include <array>

namespace {

std::vector<std::string> texts(const QListWidget &widget)
{
    std::vector<std::string> result;
    for (int i = 0; i < widget.count(); ++i) {
        result.push_back(widget.item(i)->text().toStdString());
    }
    return result;
}

} // namespace

using ContestCheck::Order;

class QtAdaptersTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void widgetsMatchTheFakes_data()
    {
        QTest::addColumn<quint64>("seed");
        QTest::addColumn<Order>("order");
        QTest::newRow("seed 1, I II III") << quint64{1} << Order{0, 1, 2};
        QTest::newRow("seed 2, III II I") << quint64{2} << Order{2, 1, 0};
        QTest::newRow("seed 3, II only") << quint64{3} << Order{1};
        QTest::newRow("seed 4, III I") << quint64{4} << Order{2, 0};
        QTest::newRow("seed 5, nothing") << quint64{5} << Order{};
    }
    void widgetsMatchTheFakes()
    {
        QFETCH(quint64, seed);
        QFETCH(Order, order);

        std::array<QListWidget, 4> lists;
        std::array<QCheckBox, 3> boxes;
        for (QCheckBox &box : boxes) {
            box.setChecked(true);
            box.setEnabled(false);
        }
        std::int16_t trial = 0;
        ContestParts<ListWidgetAdapter, CheckBoxWidgetAdapter> adapters(std::array{&lists[0], &lists[1], &lists[2], &lists[3]},
                                                                        std::array{&boxes[0], &boxes[1], &boxes[2]});
        ScriptedRandom random(ScriptedRandom::seeded(seed));
        Contest real(adapters.stage(), trial, random);

        ContestParts<FakeListBox, FakeCheckBox> fakes;
        ScriptedRandom fakeRandom(ScriptedRandom::seeded(seed));
        Contest fake(fakes.stage(), trial, fakeRandom);

        // A mess left from before: the reset must clear it.
        lists[0].addItem(QStringLiteral("stale"));
        real.ResetPool();
        fake.ResetPool();
        for (std::size_t i = 0; i < boxes.size(); ++i) {
            QVERIFY(!boxes[i].isChecked());
            QVERIFY(boxes[i].isEnabled());
        }
        VERIFY_HOLDS(ContestCheck::fullPool(texts(lists[3])));

        for (const auto index : order) {
            trial = index;
            real.RunTrial();
            fake.RunTrial();
        }
        for (std::size_t i = 0; i < lists.size(); ++i) {
            QCOMPARE(texts(lists[i]), fakes.lists[i].items);
        }
    }

    void listBoxOperations()
    {
        QListWidget widget;
        ListWidgetAdapter box(&widget);
        QCOMPARE(box.count(), std::int16_t{0});
        for (const char *text : {"10", "20", "30", "40"}) {
            box.append(text);
        }
        QCOMPARE(box.count(), std::int16_t{4});
        QCOMPARE(box.textAt(0), std::string("10"));
        box.removeAt(1);
        QCOMPARE(box.textAt(1), std::string("30"));
        box.removeAt(2);
        QCOMPARE(texts(widget), (std::vector<std::string>{"10", "30"}));
        box.appendAll({"7", "8", "9"});
        QCOMPARE(texts(widget), (std::vector<std::string>{"10", "30", "7", "8", "9"}));
        box.clear();
        QCOMPARE(widget.count(), 0);
    }

    void checkBoxOperations()
    {
        QCheckBox widget;
        CheckBoxWidgetAdapter box(&widget);
        box.setValue(CheckBox::Checked);
        QCOMPARE(box.value(), CheckBox::Checked);
        box.setEnabled(false);
        QVERIFY(!widget.isEnabled());
        box.setValue(CheckBox::Unchecked);
        QCOMPARE(box.value(), CheckBox::Unchecked);
        box.setEnabled(true);
        QVERIFY(widget.isEnabled());
    }
};

QTEST_MAIN(QtAdaptersTest)
#include "tst_qtadapters.moc"
