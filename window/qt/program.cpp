#include "program.h"

#include "classiccontrols.h"
#include "displayguard.h"
#include "mainform.h"
#include "programinfo.h"
#include "runtimeerror.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QTranslator>

#include <cstdio>
#include <memory>

namespace {

bool isSet(const char *variable)
{
    return !qEnvironmentVariableIsEmpty(variable);
}

// The platforms that show windows on a display need one named in the environment;
// without it the toolkit would abort with advice to reinstall it.
bool displayMissing()
{
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    const bool needsDisplay = platform.isEmpty() || platform.startsWith("xcb") || platform.startsWith("wayland");
    return needsDisplay && !isSet("DISPLAY") && !isSet("WAYLAND_DISPLAY");
}

// A run-time error is shown over the window too, where a person can see it; the offscreen
// and minimal platforms have no one looking.
void showRuntimeError(const char *report)
{
    const QString platform = QGuiApplication::platformName();
    if (qApp == nullptr || platform == QLatin1String("offscreen") || platform == QLatin1String("minimal")) {
        return;
    }
    QMessageBox::critical(QApplication::activeWindow(), QApplication::applicationDisplayName(), QString::fromUtf8(report));
}

} // namespace

namespace Program {

void prepareApplication()
{
    QApplication::setApplicationName(QString::fromLatin1(ProgramInfo::Name));
    QApplication::setApplicationVersion(QString::fromLatin1(ProgramInfo::VersionText));
    QGuiApplication::setDesktopFileName(QString::fromLatin1(ProgramInfo::AppId));
    QApplication::setStyle(new ClassicStyle);
    MainForm::applyFont();

    // The whole window speaks Bulgarian, so the toolkit's own menus and dialogs do too,
    // whatever the user's locale. Without the translations they stay in English.
    auto *translator = new QTranslator(qApp);
    if (translator->load(QLocale(QLocale::Bulgarian), QStringLiteral("qtbase"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(translator);
    }
    setRuntimeErrorReport(&showRuntimeError);
}

int run(char *programPath, const std::function<void(MainForm &)> &beforeShow)
{
    if (displayMissing()) {
        std::fputs("prince-trials: needs a graphical display, and neither DISPLAY nor WAYLAND_DISPLAY is set\n", stderr);
        return 1;
    }
    int argumentCount = 1;
    char *arguments[] = {programPath, nullptr};
    auto guard = std::make_unique<DisplayGuard>();
    QApplication application(argumentCount, arguments);
    guard.reset();
    prepareApplication();

    MainForm form;
    if (beforeShow) {
        beforeShow(form);
    }
    form.show();
    return QApplication::exec();
}

} // namespace Program
