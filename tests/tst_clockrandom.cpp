// The program's random source and number text.

#include "clockrandom.h"
#include "numbertext.h"

#include <QTest>

#include <array>
#include <chrono>
#include <cmath>

class ClockRandomTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void toUnitFloat_data()
    {
        QTest::addColumn<quint32>("bits");
        QTest::addColumn<float>("value");
        QTest::newRow("zero") << 0U << 0.0F;
        QTest::newRow("low byte is dropped") << 0xFFU << 0.0F;
        QTest::newRow("smallest step") << 0x100U << 0x1p-24F;
        QTest::newRow("half") << 0x80000000U << 0.5F;
        QTest::newRow("all ones is just below 1") << 0xFFFFFFFFU << std::nextafter(1.0F, 0.0F);
        QTest::newRow("top 24 bits set") << 0xFFFFFF00U << std::nextafter(1.0F, 0.0F);
    }
    void toUnitFloat()
    {
        QFETCH(quint32, bits);
        QFETCH(float, value);
        QCOMPARE(ClockRandom::toUnitFloat(bits), value);
        QVERIFY(ClockRandom::toUnitFloat(bits) < 1.0F);
    }

    void tenMillionDrawsAreUniformInUnitInterval()
    {
        ClockRandom random;
        random.seedWith(20261208);
        constexpr int Draws = 10'000'000;
        constexpr int Buckets = 100;
        std::array<int, Buckets> counts{};
        float lowest = 1.0F;
        float highest = 0.0F;
        for (int i = 0; i < Draws; ++i) {
            const float r = random.next();
            if (!(r >= 0.0F && r < 1.0F)) {
                QFAIL(qPrintable(QStringLiteral("draw %1 is %2").arg(i).arg(double(r), 0, 'g', 9)));
            }
            lowest = std::min(lowest, r);
            highest = std::max(highest, r);
            ++counts[static_cast<std::size_t>(r * Buckets)];
        }
        const double expected = double(Draws) / Buckets;
        double chiSquare = 0;
        for (const int count : counts) {
            chiSquare += (count - expected) * (count - expected) / expected;
        }
        // 99 degrees of freedom: 149 is past the 0.9999 quantile, so only a skewed source fails.
        QVERIFY2(chiSquare < 149.0, qPrintable(QString::number(chiSquare)));
        QVERIFY(lowest < 1e-5F);
        QVERIFY(highest > 1.0F - 1e-5F);
    }

    void sameSeedSameSequence()
    {
        ClockRandom a;
        ClockRandom b;
        for (int i = 0; i < 100; ++i) {
            QCOMPARE(a.next(), b.next());
        }
        a.seedWith(42);
        b.seedWith(42);
        for (int i = 0; i < 100; ++i) {
            QCOMPARE(a.next(), b.next());
        }
    }

    void seedsAtDifferentMomentsDiffer()
    {
        const auto firstDraws = [](ClockRandom &source) {
            std::array<float, 16> draws{};
            for (float &draw : draws) {
                draw = source.next();
            }
            return draws;
        };
        ClockRandom first;
        first.seed();
        const auto start = std::chrono::system_clock::now();
        while (std::chrono::system_clock::now() == start) { }
        ClockRandom second;
        second.seed();
        ClockRandom unseeded;

        const auto firstRun = firstDraws(first);
        QVERIFY2(firstRun != firstDraws(second), "two clock seedings gave the same sequence");
        QVERIFY2(firstRun != firstDraws(unseeded), "a clock seeding gave the fixed start's sequence");
    }

    void numberText_data()
    {
        QTest::addColumn<uint>("number");
        QTest::addColumn<QString>("text");
        QTest::newRow("1") << 1U << "1";
        QTest::newRow("9") << 9U << "9";
        QTest::newRow("10") << 10U << "10";
        QTest::newRow("100") << 100U << "100";
        QTest::newRow("666") << 666U << "666";
        QTest::newRow("999") << 999U << "999";
        QTest::newRow("1000") << 1000U << "1000";
    }
    void numberText()
    {
        QFETCH(uint, number);
        QFETCH(QString, text);
        QCOMPARE(QString::fromStdString(::numberText(number)), text);
    }
};

QTEST_APPLESS_MAIN(ClockRandomTest)
#include "tst_clockrandom.moc"
