// Click to painted, on the xcb platform: real X clicks (xdotool) on the trial boxes'
// indicators, timed from the moment the program takes the mouse press to the end of the
// window's next repaint.
//   bench_clickpaint [repetitions]

#include "formhandlers.h"
#include "formprobe.h"
#include "mainform.h"
#include "program.h"
#include "report.h"

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QProcess>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

class TimingApplication : public QApplication
{
public:
    using QApplication::QApplication;

    bool notify(QObject *receiver, QEvent *event) override
    {
        if (event->type() == QEvent::MouseButtonPress && qobject_cast<QCheckBox *>(receiver) != nullptr) {
            pressedAt = clock.nsecsElapsed();
            pressed = static_cast<QCheckBox *>(receiver);
        }
        const bool result = QApplication::notify(receiver, event);
        // The press alone repaints the indicator; the paint that counts is the first one
        // after the release has run the trial.
        if (event->type() == QEvent::UpdateRequest && receiver == window && pressed != nullptr && pressed->isChecked()) {
            samples.push_back(double(clock.nsecsElapsed() - pressedAt) / 1e6);
            pressed = nullptr;
        }
        return result;
    }

    QElapsedTimer clock;
    qint64 pressedAt = 0;
    QCheckBox *pressed = nullptr;
    QObject *window = nullptr;
    std::vector<double> samples;
};

} // namespace

int main(int argc, char *argv[])
{
    TimingApplication app(argc, argv);
    Program::prepareApplication();
    const int repetitions = argc > 1 ? std::atoi(argv[1]) : 30;

    MainForm form;
    app.window = &form;
    app.clock.start();
    form.show();
    QElapsedTimer wait;
    wait.start();
    while (!form.isActiveWindow() && wait.elapsed() < 5000) {
        QApplication::processEvents(QEventLoop::AllEvents, 50);
    }

    const FormProbe probe(&form);
    for (int rep = 0; rep < repetitions; ++rep) {
        for (int i = 0; i < 3; ++i) {
            const QCheckBox *box = probe.Check1[static_cast<std::size_t>(i)];
            const QPoint at = box->mapToGlobal(FormProbe::indicatorOf(box));
            const std::size_t before = app.samples.size();
            QProcess::execute(QStringLiteral("xdotool"),
                              {QStringLiteral("mousemove"), QStringLiteral("--sync"), QString::number(at.x()), QString::number(at.y()),
                               QStringLiteral("click"), QStringLiteral("1")});
            wait.restart();
            while (app.samples.size() == before && wait.elapsed() < 5000) {
                QApplication::processEvents(QEventLoop::AllEvents, 20);
            }
            if (app.samples.size() == before || !box->isChecked()) {
                std::fprintf(stderr, "bench_clickpaint: the click on box %d was not taken\n", i);
                return 1;
            }
        }
        form.handlers().Command1_Click(0);
        QApplication::processEvents();
    }
    report("Click to painted", app.samples, "ms");
    return 0;
}
