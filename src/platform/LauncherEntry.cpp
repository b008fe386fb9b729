#include "platform/LauncherEntry.h"

#include "platform/SessionBus.h"

#include <QDBusConnection>
#include <QDBusMessage>

#include <algorithm>

namespace decant {

LauncherEntry::LauncherEntry(QString desktopFile)
    : applicationURI_(QStringLiteral("application://") + desktopFile) {}

void LauncherEntry::setCount(std::optional<qint64> count) const {
    update({{QStringLiteral("count"), count.value_or(0)},
            {QStringLiteral("count-visible"), count.has_value()}});
}

void LauncherEntry::setProgress(std::optional<double> progress) const {
    update({{QStringLiteral("progress"), std::clamp(progress.value_or(0.0), 0.0, 1.0)},
            {QStringLiteral("progress-visible"), progress.has_value()}});
}

void LauncherEntry::update(const QVariantMap& properties) const {
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
    signal << applicationURI_ << properties;
    bus.send(signal);
}

} // namespace decant
