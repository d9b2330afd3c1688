// Times the contest on the real window's widgets and watches memory over a long run.
//   bench_contest [contests]
// Prints one line per figure: name, median, unit, and the spread.

#include "formhandlers.h"
#include "mainform.h"
#include "program.h"
#include "report.h"

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QListWidget>
#include <QPushButton>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {

// Resident set size in KiB, from /proc.
long residentKiB()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0) {
            return std::stol(line.substr(6));
        }
    }
    return -1;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    Program::prepareApplication();
    const int contests = argc > 1 ? std::stoi(argv[1]) : 2000;

    MainForm form;
    form.show();
    QApplication::processEvents();
    std::array<QCheckBox *, 3> boxes{};
    for (int i = 0; i < 3; ++i) {
        boxes[static_cast<std::size_t>(i)] = form.findChild<QCheckBox *>(QStringLiteral("Check1_%1").arg(i));
    }

    std::vector<double> trialMs;
    std::vector<double> resetMs;
    long rssAt100 = 0;
    QElapsedTimer timer;
    for (int contest = 1; contest <= contests; ++contest) {
        for (QCheckBox *box : boxes) {
            timer.start();
            box->setChecked(true); // raises the box's handler, which runs the trial
            trialMs.push_back(double(timer.nsecsElapsed()) / 1e6);
        }
        timer.start();
        form.handlers().Command1_Click(0);
        resetMs.push_back(double(timer.nsecsElapsed()) / 1e6);
        QApplication::processEvents(); // let the window repaint as it would between clicks
        if (contest == 100) {
            rssAt100 = residentKiB();
        }
    }
    report("RunTrial", trialMs, "ms");
    report("ResetPool from decided", resetMs, "ms");
    if (contests >= 100) {
        std::printf("RSS growth, contest 100 to %d\t%.3f\tMiB\tat 100: %.1f MiB, at end: %.1f MiB\n", contests,
                    double(residentKiB() - rssAt100) / 1024.0, double(rssAt100) / 1024.0, double(residentKiB()) / 1024.0);
    }
    return 0;
}
