#include "library/files/RenameFile.h"

#include <QFile>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace decant::library {

bool renameFile(const QString& from, const QString& to, bool replace) {
    const QByteArray source = QFile::encodeName(from);
    const QByteArray target = QFile::encodeName(to);
    if (replace) {
        return ::rename(source.constData(), target.constData()) == 0;
    }
    if (renameat2(AT_FDCWD, source.constData(), AT_FDCWD, target.constData(), RENAME_NOREPLACE) ==
        0) {
        return true;
    }
    if (errno != EINVAL && errno != ENOSYS) {
        return false;
    }
    // A file system without RENAME_NOREPLACE: a hard link fails just as
    // atomically when the name is taken.
    if (link(source.constData(), target.constData()) != 0) {
        return false;
    }
    unlink(source.constData());
    return true;
}

} // namespace decant::library
