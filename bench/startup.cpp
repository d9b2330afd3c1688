// Start-up timing: the program as main.cpp starts it, or with PRINCE_BENCH_REFERENCE an
// empty Qt window of the same size (with PRINCE_BENCH_REFERENCE_TEXT, one that also shows
// one line in the program's font); each ends as soon as its window has been painted once,
// so the whole process's time is cold start to first painted window.

#include <QApplication>
#include <QTimer>
#include <QWidget>

#ifdef PRINCE_BENCH_REFERENCE
#include <QLabel>
#else
#include "mainform.h"
#include "program.h"
#endif

namespace {

// Ends the application once the watched window's first paint has been delivered.
class FirstPaintQuit : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && !m_seen) {
            m_seen = true;
            QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool m_seen = false;
};

} // namespace

int main(int argc, char *argv[])
{
#ifdef PRINCE_BENCH_REFERENCE
    QApplication app(argc, argv);
    QWidget form;
    form.resize(466, 319);
#ifdef PRINCE_BENCH_REFERENCE_TEXT
    QLabel line(QStringLiteral("Философия - Бастелон, Трелавин"), &form);
    line.setFont(QFont(QStringLiteral("Times New Roman"), 12));
#endif
    FirstPaintQuit quit;
    form.installEventFilter(&quit);
    form.show();
    return QApplication::exec();
#else
    // The program exactly as main() starts it, with the first paint ending it.
    Q_UNUSED(argc)
    FirstPaintQuit quit;
    return Program::run(argv[0], [&quit](MainForm &form) { form.installEventFilter(&quit); });
#endif
}
