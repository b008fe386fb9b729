#include "SmallDisk.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace decant::test {
namespace {

QString fillerOf(const QString& disk) {
    return disk + QStringLiteral("/.filler");
}

} // namespace

SmallDisk::SmallDisk(qint64 bytes) {
    holder_.start(QStringLiteral("unshare"),
                  {"--user", "--map-root-user", "--mount", "sh", "-c",
                   QStringLiteral("mount -t tmpfs -o size=%1 tmpfs \"$0\" && echo ready && exec "
                                  "sleep 600")
                       .arg(bytes),
                   mountPoint_.path()});
    // unshare and sh exec what they run: the holder keeps the first pid.
    if (!holder_.waitForReadyRead(10000) || !holder_.readAllStandardOutput().startsWith("ready")) {
        whyNot_ = QStringLiteral("no tmpfs in a user namespace here: ") +
                  QString::fromLocal8Bit(holder_.readAllStandardError()) + holder_.errorString();
        return;
    }
    path_ = QStringLiteral("/proc/%1/root%2").arg(holder_.processId()).arg(mountPoint_.path());
}

SmallDisk::~SmallDisk() {
    holder_.kill();
    holder_.waitForFinished(5000);
}

bool SmallDisk::fill() const {
    const int filler = ::open(QFile::encodeName(fillerOf(path_)).constData(),
                              O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0600);
    if (filler < 0) {
        return false;
    }
    static const char zeros[4096] = {};
    while (write(filler, zeros, sizeof zeros) > 0) {
    }
    const bool full = errno == ENOSPC;
    close(filler);
    return full;
}

void SmallDisk::free() const {
    QFile::remove(fillerOf(path_));
}

} // namespace decant::test
