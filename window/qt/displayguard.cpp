#include "displayguard.h"

#include <QRegularExpression>
#include <QString>
#include <QStringList>

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

struct Held {
    QtMsgType type;
    QByteArray category;
    QString message;
};

QtMessageHandler toolkitHandler = nullptr;
std::vector<Held> held;

// The cause, in the program's words, of what the toolkit said while it looked for a display.
QString causeOf(const std::vector<Held> &said)
{
    static const QRegularExpression noConnection(QStringLiteral("could not connect to display ?(.*)$"));
    static const QRegularExpression noPlugin(QStringLiteral("Could not find the Qt platform plugin \"([^\"]*)\""));
    QStringList causes;
    for (const Held &line : said) {
        if (const auto match = noConnection.match(line.message); match.hasMatch()) {
            causes << (match.captured(1).isEmpty() ? QStringLiteral("no X display is named (DISPLAY is not set)")
                                                   : QStringLiteral("cannot open the display %1").arg(match.captured(1)));
        } else if (const auto plugin = noPlugin.match(line.message); plugin.hasMatch()) {
            causes << QStringLiteral("no window system plug-in \"%1\" is installed").arg(plugin.captured(1));
        } else if (line.message.contains(QLatin1String("wl_display"))) {
            causes << QStringLiteral("cannot reach the Wayland compositor %1").arg(qEnvironmentVariable("WAYLAND_DISPLAY"));
        }
    }
    causes.removeDuplicates();
    return causes.isEmpty() ? QStringLiteral("cannot start the window system") : causes.join(QLatin1String("; "));
}

void watch(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type == QtFatalMsg) {
        std::fprintf(stderr, "prince-trials: %s\n", qUtf8Printable(causeOf(held)));
        std::fflush(stderr);
        std::_Exit(EXIT_FAILURE);
    }
    held.push_back({type, QByteArray(context.category != nullptr ? context.category : "default"), message});
}

} // namespace

DisplayGuard::DisplayGuard()
{
    toolkitHandler = qInstallMessageHandler(&watch);
}

DisplayGuard::~DisplayGuard()
{
    qInstallMessageHandler(toolkitHandler);
    for (const Held &line : held) {
        qt_message_output(line.type, QMessageLogContext(nullptr, 0, nullptr, line.category.constData()), line.message);
    }
    held.clear();
}
