// Times the contest on the real window's widgets and watches memory over a long run.
//   bench_contest [contests]
// Prints one line per figure: name, median, unit, and the spread.

#include "formhandlers.h"
#include "formprobe.h"
#include "mainform.h"
#include "program.h"
#include "report.h"
#include "resident.h"

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>

#include <cstdio>
#include <string>
#include <vector>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    Program::prepareApplication();
    const int contests = argc > 1 ? std::stoi(argv[1]) : 2000;

    MainForm form;
    form.show();
    QApplication::processEvents();
    const FormProbe probe(&form);

    std::vector<double> trialMs;
    std::vector<double> resetMs;
    double rssAt100 = 0;
    QElapsedTimer timer;
    for (int contest = 1; contest <= contests; ++contest) {
        for (QCheckBox *box : probe.Check1) {
            timer.start();
            box->setChecked(true); // raises the box's handler, which runs the trial
            trialMs.push_back(double(timer.nsecsElapsed()) / 1e6);
        }
        timer.start();
        form.handlers().Command1_Click(0);
        resetMs.push_back(double(timer.nsecsElapsed()) / 1e6);
        QApplication::processEvents(); // let the window repaint as it would between clicks
        if (contest == 100) {
            rssAt100 = residentMiB();
        }
    }
    report("RunTrial", trialMs, "ms");
    report("ResetPool from decided", resetMs, "ms");
    if (contests >= 100) {
        const double rssAtEnd = residentMiB();
        std::printf("RSS growth, contest 100 to %d\t%.3f\tMiB\tat 100: %.1f MiB, at end: %.1f MiB\n", contests, rssAtEnd - rssAt100,
                    rssAt100, rssAtEnd);
    }
    return 0;
}
