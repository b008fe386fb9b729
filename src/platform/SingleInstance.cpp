#include "platform/SingleInstance.h"

#include "platform/TemporaryDirectory.h"

#include <QDataStream>
#include <QDir>
#include <QLocalSocket>
#include <QStandardPaths>

namespace decant {
namespace {

// Sent back once the paths are read, so a launch knows they arrived.
constexpr char acknowledgement = '\x06';

} // namespace

QString SingleInstance::defaultSocketPath() {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty()) {
        folder = temporaryDirectory();
    }
    return folder + QStringLiteral("/decant.socket");
}

SingleInstance::SingleInstance(QString socketPath, QObject* parent)
    : QObject(parent)
    , socketPath_(std::move(socketPath)) {
    server_.setSocketOptions(QLocalServer::UserAccessOption);
    connect(&server_, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* connection = server_.nextPendingConnection()) {
            connect(connection, &QLocalSocket::readyRead, this,
                    [this, connection] { receive(connection); });
            connect(connection, &QLocalSocket::disconnected, connection, &QObject::deleteLater);
        }
    });
}

bool SingleInstance::forwardToRunningInstance(const QStringList& paths, int timeoutMilliseconds) {
    QLocalSocket socket;
    socket.connectToServer(socketPath_);
    if (!socket.waitForConnected(timeoutMilliseconds)) {
        return false;
    }
    QByteArray message;
    QDataStream stream(&message, QIODevice::WriteOnly);
    stream << paths;
    socket.write(message);
    if (!socket.waitForBytesWritten(timeoutMilliseconds) ||
        !socket.waitForReadyRead(timeoutMilliseconds)) {
        return false;
    }
    return socket.read(1) == QByteArray(1, acknowledgement);
}

bool SingleInstance::listen() {
    if (server_.listen(socketPath_)) {
        return true;
    }
    // A socket file left by an instance that crashed: nobody answers on it.
    QLocalSocket probe;
    probe.connectToServer(socketPath_);
    if (probe.waitForConnected(500)) {
        return false;
    }
    QLocalServer::removeServer(socketPath_);
    return server_.listen(socketPath_);
}

void SingleInstance::receive(QLocalSocket* connection) {
    QDataStream stream(connection);
    stream.startTransaction();
    QStringList paths;
    stream >> paths;
    if (!stream.commitTransaction()) {
        return; // The rest of the message is still on its way.
    }
    connection->write(QByteArray(1, acknowledgement));
    connection->flush();
    emit pathsReceived(paths);
}

} // namespace decant
