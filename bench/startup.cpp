// Start-up timing: the program as main() starts it, or with PRINCE_BENCH_REFERENCE an empty
// Qt window of the same size (with PRINCE_BENCH_REFERENCE_TEXT, one that also shows one line
// in the program's font; with PRINCE_BENCH_REFERENCE_CONTROLS, one that holds the program's
// 16 controls with their contents, made plainly with Qt's own widgets: the program's floor).
// When its window's first paint has reached the display, each writes the moment
// (CLOCK_MONOTONIC nanoseconds) to the file descriptor named by PRINCE_BENCH_PAINTED_FD and
// quits: the caller times start to first paint, not the teardown.

#include <QApplication>
#include <QTimer>
#include <QWidget>

#ifdef PRINCE_BENCH_REFERENCE
#include <QLabel>
#ifdef PRINCE_BENCH_REFERENCE_CONTROLS
#include "contestrules.h"
#include "formlayout.h"
#include "numbertext.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#endif
#else
#include "mainform.h"
#include "program.h"
#endif

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

namespace {

void reportPainted()
{
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    const std::string line = std::to_string(std::chrono::duration_cast<std::chrono::nanoseconds>(now).count()) + "\n";
    if (const char *fd = std::getenv("PRINCE_BENCH_PAINTED_FD")) {
        if (::write(std::atoi(fd), line.data(), line.size()) != static_cast<ssize_t>(line.size())) {
            std::perror("bench_start: report");
        }
    }
}

// On the watched window's first paint, waits for the paint to be flushed to the display
// (the next turn of the event loop), reports the moment and quits.
class FirstPaintQuit : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && !m_seen) {
            m_seen = true;
            QTimer::singleShot(0, qApp, [] {
                reportPainted();
                QCoreApplication::quit();
            });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool m_seen = false;
};

#ifdef PRINCE_BENCH_REFERENCE_CONTROLS
// The controls of the layout table, as any Qt program makes them: each at its place with its
// text, in the window's font, and the pool filled with its 1000 numbers in one call.
void addControls(QWidget &form)
{
    form.setFont(QFont(QString::fromLatin1(FormLayout::FontFamily), FormLayout::FontPointSize));
    for (const FormLayout::Control &row : FormLayout::Table) {
        const QString text = QString::fromUtf8(row.text);
        QWidget *control = nullptr;
        switch (row.kind) {
        case FormLayout::Kind::Frame:
            control = new QGroupBox(text, &form);
            break;
        case FormLayout::Kind::CheckBox:
            control = new QCheckBox(text, &form);
            break;
        case FormLayout::Kind::CommandButton:
            control = new QPushButton(text, &form);
            break;
        case FormLayout::Kind::ListBox: {
            auto *list = new QListWidget(&form);
            if (row.index == ContestRules::PoolIndex) {
                QStringList numbers;
                for (unsigned int n = 1; n <= 1000; ++n) {
                    numbers.append(QString::fromStdString(numberText(n)));
                }
                list->addItems(numbers);
            }
            control = list;
            break;
        }
        case FormLayout::Kind::TextBox:
            control = new QPlainTextEdit(text, &form);
            break;
        case FormLayout::Kind::Label:
            control = new QLabel(text, &form);
            break;
        }
        const FormLayout::PixelRect place = FormLayout::placeInWindow(row, 96, 96);
        control->setGeometry(place.left, place.top, place.width, place.height);
        control->setVisible(row.shown == FormLayout::Shown::Yes);
    }
}
#endif

} // namespace

int main(int argc, char *argv[])
{
#ifdef PRINCE_BENCH_REFERENCE
    QApplication app(argc, argv);
    QWidget form;
    form.resize(466, 319);
#if defined(PRINCE_BENCH_REFERENCE_TEXT)
    QLabel line(QStringLiteral("Философия - Бастелон, Трелавин"), &form);
    line.setFont(QFont(QStringLiteral("Times New Roman"), 12));
#elif defined(PRINCE_BENCH_REFERENCE_CONTROLS)
    addControls(form);
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
