#include "DisplayCheck.h"

#include <QList>
#include <QString>
#include <QtGlobal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <unistd.h>
#include <utility>

namespace {

bool isSet(const char* name) {
    const char* value = std::getenv(name);
    return value && *value;
}

QtMessageHandler previousHandler = nullptr;

// A message of the platform plugin, kept until the plugin has started or failed.
struct PlatformMessage {
    QtMsgType type;
    const char* category; // Qt's categories are static strings
    QString text;
};
// The first ("could not connect to display :9") is said in the one line.
QList<PlatformMessage> platformMessages;

void pass(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (previousHandler)
        previousHandler(type, context, message);
    else
        std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
}

void platformStartHandler(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (type == QtFatalMsg) {
        const QString reason = platformMessages.isEmpty() ? message : platformMessages.first().text;
        std::fprintf(stderr, "handwright: cannot open a window: %s\n",
                     reason.trimmed().toLocal8Bit().constData());
        std::fflush(stderr);
        _exit(1);
    }
    if (type != QtDebugMsg && context.category && std::strncmp(context.category, "qt.qpa", 6) == 0) {
        platformMessages.append({type, context.category, message});
        return;
    }
    pass(type, context, message);
}

} // namespace

QString missingDisplayReason(bool displayOptionGiven) {
    if (displayOptionGiven || isSet("QT_QPA_PLATFORM") || isSet("DISPLAY") || isSet("WAYLAND_DISPLAY"))
        return {};
    return QStringLiteral("cannot open a window: there is no display (neither DISPLAY nor WAYLAND_DISPLAY "
                          "is set)");
}

PlatformStartGuard::PlatformStartGuard() {
    platformMessages.clear();
    previousHandler = qInstallMessageHandler(platformStartHandler);
}

PlatformStartGuard::~PlatformStartGuard() {
    qInstallMessageHandler(previousHandler);
    // The messages of a platform that did start are not lost.
    for (const PlatformMessage& message : std::exchange(platformMessages, {}))
        pass(message.type, QMessageLogContext(nullptr, 0, nullptr, message.category), message.text);
    previousHandler = nullptr;
}
