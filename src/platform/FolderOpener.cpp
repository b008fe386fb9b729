#include "platform/FolderOpener.h"

#include "platform/SessionBus.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusUnixFileDescriptor>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QVariantMap>

#include <fcntl.h>
#include <unistd.h>

namespace decant {
namespace {

// The portal takes the folder as an open descriptor, which also works from
// inside a sandbox; O_PATH opens any folder the user can reach.
class PathDescriptor {
public:
    explicit PathDescriptor(const QString& path)
        : fd_(::open(QFile::encodeName(path).constData(), O_PATH | O_DIRECTORY | O_CLOEXEC)) {}
    PathDescriptor(const PathDescriptor&) = delete;
    PathDescriptor& operator=(const PathDescriptor&) = delete;
    ~PathDescriptor() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    int fd() const { return fd_; }

private:
    int fd_;
};

} // namespace

FolderOpener::FolderOpener(QObject* parent)
    : QObject(parent) {}

void FolderOpener::open(const QString& folder, Done done) {
    if (sessionBusMayExist() && QDBusConnection::sessionBus().isConnected()) {
        openWithPortal(folder, std::move(done));
    } else {
        done(openWithXdgOpen(folder));
    }
}

void FolderOpener::openWithPortal(const QString& folder, Done done) {
    const PathDescriptor descriptor(folder);
    if (descriptor.fd() < 0) {
        done(openWithXdgOpen(folder));
        return;
    }
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.portal.Desktop"),
        QStringLiteral("/org/freedesktop/portal/desktop"),
        QStringLiteral("org.freedesktop.portal.OpenURI"), QStringLiteral("OpenFile"));
    // The parent window (none to name), the folder, no options: a folder
    // opens in the file manager, the desktop's handler of inode/directory.
    call << QString() << QVariant::fromValue(QDBusUnixFileDescriptor(descriptor.fd()))
         << QVariantMap();
    auto* watcher =
        new QDBusPendingCallWatcher(QDBusConnection::sessionBus().asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [folder, done = std::move(done)](QDBusPendingCallWatcher* finished) {
                finished->deleteLater();
                // No portal on this bus: the older way.
                done(finished->isError() ? openWithXdgOpen(folder) : QString());
            });
}

QString FolderOpener::openWithXdgOpen(const QString& folder) {
    const QString xdgOpen = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    if (xdgOpen.isEmpty()) {
        return QCoreApplication::translate(
                   "decant::FolderOpener",
                   "Cannot open %1: neither a desktop portal nor xdg-open is available. Install "
                   "xdg-desktop-portal or xdg-utils.")
            .arg(QDir::toNativeSeparators(folder));
    }
    if (!QProcess::startDetached(xdgOpen, {folder})) {
        return QCoreApplication::translate("decant::FolderOpener",
                                           "Cannot open %1: %2 did not start.")
            .arg(QDir::toNativeSeparators(folder), xdgOpen);
    }
    return {};
}

} // namespace decant
