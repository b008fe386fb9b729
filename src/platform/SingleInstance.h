#pragma once

#include <QLocalServer>
#include <QObject>
#include <QString>
#include <QStringList>

namespace decant {

// One running instance per user. A later launch hands its paths to the
// running instance over a local socket that only this user can reach, and
// ends; a launch with no paths asks the running instance to show itself.
class SingleInstance : public QObject {
    Q_OBJECT

public:
    // The socket lives in the user's runtime folder (mode 0700), else in
    // the private temporary folder.
    static QString defaultSocketPath();

    explicit SingleInstance(QString socketPath = defaultSocketPath(), QObject* parent = nullptr);

    // Hands the paths to a running instance: true when it took them and
    // this process should end.
    bool forwardToRunningInstance(const QStringList& paths, int timeoutMilliseconds = 3000);
    // Becomes the running instance. False when the socket cannot be made.
    bool listen();

signals:
    // Paths from a later launch; empty when it only asked to be shown.
    void pathsReceived(const QStringList& paths);

private:
    void receive(QLocalSocket* connection);

    QString socketPath_;
    QLocalServer server_;
};

} // namespace decant
