#include "platform/FileManager.h"

#include "platform/SessionBus.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QStringList>
#include <QUrl>

namespace decant {

bool showItemInFileManager(const QString& path) {
    if (!sessionBusMayExist()) {
        return false;
    }
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        return false;
    }
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.FileManager1"),
        QStringLiteral("/org/freedesktop/FileManager1"),
        QStringLiteral("org.freedesktop.FileManager1"), QStringLiteral("ShowItems"));
    // The URIs, and a startup id, which Decant does not have.
    call << QStringList{QUrl::fromLocalFile(path).toString()} << QString();
    // A desktop without such a service answers with an error at once; one
    // that starts it on demand may take a moment.
    const QDBusMessage reply = bus.call(call, QDBus::Block, 3000);
    return reply.type() == QDBusMessage::ReplyMessage;
}

} // namespace decant
