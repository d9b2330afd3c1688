#include "mainform.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("prince-trials"));
    QApplication::setApplicationVersion(QStringLiteral("1.00"));
    QGuiApplication::setDesktopFileName(QStringLiteral("example.prince_trials.PrinceTrials"));
    MainForm::applyAppearance();

    MainForm form;
    form.show();
    return QApplication::exec();
}
