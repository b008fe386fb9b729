#include "platform/TemporaryDirectory.h"

#include <QByteArray>

#include <cerrno>
#include <cstdlib>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

namespace decant {
namespace {

// Nothing can be created below /dev/null: writes there fail with ENOTDIR.
const char* const unusableFolder = "/dev/null/decant";

bool isPrivateFolder(const QByteArray& path) {
    struct stat info {};
    return lstat(path.constData(), &info) == 0 && S_ISDIR(info.st_mode) &&
           info.st_uid == getuid() && (info.st_mode & 07777) == 0700;
}

QString fromLocal(const QByteArray& path) {
    return QString::fromUtf8(path);
}

} // namespace

QString privateTemporaryDirectoryIn(const QString& parent) {
    const QByteArray base = parent.toUtf8() + "/decant-" + QByteArray::number(getuid());
    if (mkdir(base.constData(), 0700) == 0) {
        // mkdir applies the umask; a umask can only take bits away, but be exact.
        if (chmod(base.constData(), 0700) == 0 && isPrivateFolder(base)) {
            return fromLocal(base);
        }
    } else if (errno == EEXIST && isPrivateFolder(base)) {
        return fromLocal(base);
    }

    QByteArray pattern = base + "-XXXXXX";
    if (mkdtemp(pattern.data()) != nullptr) {
        return fromLocal(pattern);
    }
    return QString::fromLatin1(unusableFolder);
}

QStringList temporaryDirectoryParents(const char* tmpdir) {
    QStringList parents;
    if (tmpdir != nullptr && *tmpdir != '\0') {
        const QByteArray bytes(tmpdir);
        const QString text = QString::fromUtf8(bytes);
        if (text.toUtf8() == bytes) {
            parents.append(text);
        }
    }
    parents.append(QStringLiteral("/var/tmp"));
    parents.append(QStringLiteral("/tmp"));
    return parents;
}

QString temporaryDirectory() {
    static const QString folder = [] {
        for (const QString& parent : temporaryDirectoryParents(std::getenv("TMPDIR"))) {
            if (const QString chosen = privateTemporaryDirectoryIn(parent);
                chosen != QLatin1String(unusableFolder)) {
                return chosen;
            }
        }
        return QString::fromLatin1(unusableFolder);
    }();
    return folder;
}

std::optional<FileSystemSpace> fileSystemSpaceIn(const QString& folder) {
    struct statvfs fileSystem {};
    if (statvfs(folder.toUtf8().constData(), &fileSystem) != 0) {
        return std::nullopt;
    }
    // f_bavail, not f_bfree: the blocks kept for root are not ours to fill.
    return FileSystemSpace{uint64_t(fileSystem.f_bavail) * fileSystem.f_frsize,
                           uint64_t(fileSystem.f_blocks) * fileSystem.f_frsize};
}

} // namespace decant
