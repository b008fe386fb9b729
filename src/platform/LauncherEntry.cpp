#include "platform/LauncherEntry.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QVariantMap>

namespace decant {

LauncherEntry::LauncherEntry(QString desktopFile)
    : applicationURI_(QStringLiteral("application://") + desktopFile) {}

void LauncherEntry::setCount(std::optional<qint64> count) const {
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
