#include "platform/TemporaryDirectory.h"

#include <QByteArray>

#include <cerrno>
#include <cstdlib>
#include <sys/stat.h>
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

QString temporaryDirectory() {
    static const QString folder = [] {
        const char* parent = std::getenv("TMPDIR");
        const QString chosen = privateTemporaryDirectoryIn(parent != nullptr && *parent != '\0'
                                                               ? QString::fromUtf8(parent)
                                                               : QStringLiteral("/tmp"));
        if (chosen != QLatin1String(unusableFolder)) {
            return chosen;
        }
        return privateTemporaryDirectoryIn(QStringLiteral("/tmp"));
    }();
    return folder;
}

} // namespace decant
