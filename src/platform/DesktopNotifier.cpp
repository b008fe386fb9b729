#include "platform/DesktopNotifier.h"

#include "platform/SessionBus.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QStringList>
#include <QVariantMap>

namespace decant {

void DesktopNotifier::notify(const QString& summary, const QString& body) {
    if (!sessionBusMayExist()) {
        return;
    }
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        return;
    }
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.Notifications"),
        QStringLiteral("/org/freedesktop/Notifications"),
        QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("Notify"));
    // app_name, replaces_id, app_icon, summary, body, actions, hints,
    // expire_timeout (-1: the server's default). The desktop entry lets the
    // server group the notification under Decant.
    const QVariantMap hints{{QStringLiteral("desktop-entry"), QStringLiteral("decant")}};
    call << QStringLiteral("Decant") << uint(0) << QStringLiteral("decant") << summary << body
         << QStringList() << hints << int(-1);
    // A reply, or an error from a desktop without a server, changes nothing.
    bus.send(call);
}

} // namespace decant
