#include "platform/LauncherEntry.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QFile>
#include <QVariantMap>

namespace decant {
namespace {

// Asking Qt for a bus that is not there still starts its D-Bus thread and
// tries to connect, each time; where neither the session's address nor the
// user's bus socket exists, there is nobody to tell.
bool sessionBusMayExist() {
    return !qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS") ||
           (!qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR") &&
            QFile::exists(qEnvironmentVariable("XDG_RUNTIME_DIR") + QStringLiteral("/bus")));
}

} // namespace

LauncherEntry::LauncherEntry(QString desktopFile)
    : applicationURI_(QStringLiteral("application://") + desktopFile) {}

void LauncherEntry::setCount(std::optional<qint64> count) const {
    if (!sessionBusMayExist()) {
        return;
    }
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        return;
    }
    QDBusMessage signal = QDBusMessage::createSignal(
        QStringLiteral("/com/canonical/unity/launcherentry/decant"),
        QStringLiteral("com.canonical.Unity.LauncherEntry"), QStringLiteral("Update"));
    const QVariantMap properties{{QStringLiteral("count"), count.value_or(0)},
                                 {QStringLiteral("count-visible"), count.has_value()}};
    signal << applicationURI_ << properties;
    bus.send(signal);
}

} // namespace decant
