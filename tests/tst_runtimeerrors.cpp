// A control operation that cannot be carried out ends the program with a report, instead
// of reading past a list or running on with a corrupted contest.

#include <QProcess>
#include <QTest>

class RuntimeErrorsTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void endsWithAReport_data()
    {
        QTest::addColumn<QString>("operation");
        QTest::addColumn<QString>("report");
        // clang-format off
        QTest::newRow("text past the end") << "text-at" << "list position out of range";
        QTest::newRow("remove before the start") << "remove-at" << "list position out of range";
        QTest::newRow("draw from an empty pool") << "empty-pool" << "draw from an empty pool";
        QTest::newRow("random value of 1") << "r-is-one" << "random value outside [0, 1)";
        QTest::newRow("a fourth trial") << "trial-index" << "trial index out of range";
        // clang-format on
    }
    void endsWithAReport()
    {
        QFETCH(QString, operation);
        QFETCH(QString, report);
        QProcess probe;
        probe.setProgram(QStringLiteral(PRINCE_PROBE));
        probe.setArguments({operation});
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        probe.setProcessEnvironment(environment);
        probe.start();
        QVERIFY(probe.waitForFinished(60000));
        QCOMPARE(probe.exitStatus(), QProcess::NormalExit);
        QCOMPARE(probe.exitCode(), 1);
        QVERIFY2(probe.readAllStandardError().contains("prince-trials: run-time error: " + report.toUtf8()), qPrintable(report));
    }
};

QTEST_APPLESS_MAIN(RuntimeErrorsTest)
#include "tst_runtimeerrors.moc"
