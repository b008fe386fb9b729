#include "library/MediaFolder.h"

#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QRandomGenerator>
#include <QStandardPaths>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace decant::library {
namespace {

// Leaves room for " 99999.extension" within the usual 255-byte name limit.
constexpr qsizetype longestStemBytes = 200;
const auto pendingPrefix = QStringLiteral(".importing-");
// A pending file until it is locked: only then does it take its pending
// name, so that no process ever sees a pending file of a living one
// unlocked.
const auto creatingPrefix = QStringLiteral(".creating-");

QByteArray nativeName(const QString& path) {
    return QFile::encodeName(path);
}

QString randomTag() {
    return QStringLiteral("%1").arg(QRandomGenerator::global()->generate64(), 16, 16, QChar(u'0'));
}

// Creates, opens and locks a file that no other process can see unlocked.
int createLockedFile(const QString& creating, const QString& pending) {
    // Not mkstemp: its files are private to the user, and media files are
    // for every player on the machine, so the umask decides.
    const int descriptor =
        ::open(nativeName(creating).constData(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (descriptor < 0) {
        return -1;
    }
    // Waits only while another process looks at the file (see fileUse). A
    // file system without locks still works: its abandoned files are told by
    // their age instead.
    flock(descriptor, LOCK_EX);
    // Fails with ENOENT when another process took the file for abandoned
    // before the lock; the caller tries another name.
    if (!renameFile(creating, pending, false)) {
        const int error = errno;
        close(descriptor);
        unlink(nativeName(creating).constData());
        errno = error;
        return -1;
    }
    return descriptor;
}

bool copyBytes(int from, int to) {
    for (;;) {
        const ssize_t copied = copy_file_range(from, nullptr, to, nullptr, 1 << 30, 0);
        if (copied == 0) {
            return true;
        }
        if (copied < 0) {
            break;
        }
    }
    if (errno != EXDEV && errno != ENOSYS && errno != EINVAL && errno != EOPNOTSUPP) {
        return false;
    }
    // Nothing copied yet: copy_file_range fails at once where unsupported.
    char buffer[1 << 16];
    for (;;) {
        const ssize_t got = read(from, buffer, sizeof buffer);
        if (got <= 0) {
            return got == 0;
        }
        for (ssize_t done = 0; done < got;) {
            const ssize_t written = write(to, buffer + done, std::size_t(got - done));
            if (written < 0) {
                return false;
            }
            done += written;
        }
    }
}

} // namespace

PendingFile::PendingFile(QString path, int lockedDescriptor)
    : path_(std::move(path))
    , descriptor_(lockedDescriptor) {}

PendingFile::~PendingFile() {
    if (!released_) {
        unlink(nativeName(path_).constData());
    }
    close(descriptor_);
}

bool PendingFile::sync() const {
    // Syncs the file whatever descriptor wrote it: a sync is per file.
    return fsync(descriptor_) == 0;
}

MediaFolder::MediaFolder(QString path)
    : path_(std::move(path)) {}

std::unique_ptr<PendingFile> MediaFolder::createPendingFile(const QString& extension,
                                                            QString* error,
                                                            const QString& folder) const {
    const QString in = folder.isEmpty() ? path_ : folder;
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QString tag = randomTag();
        const QString pending = QStringLiteral("%1/%2%3.%4").arg(in, pendingPrefix, tag, extension);
        const int descriptor = createLockedFile(in + u'/' + creatingPrefix + tag, pending);
        if (descriptor >= 0) {
            return std::make_unique<PendingFile>(pending, descriptor);
        }
        if (errno != EEXIST && errno != ENOENT) {
            break;
        }
    }
    *error = QStringLiteral("cannot create a file in %1: %2").arg(in, describeFileError(errno));
    return nullptr;
}

bool MediaFolder::isPendingName(const QString& fileName) {
    return fileName.startsWith(pendingPrefix) || fileName.startsWith(creatingPrefix);
}

FileUse MediaFolder::fileUse(const QString& path) {
    const int descriptor = ::open(nativeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (descriptor < 0) {
        return FileUse::Free;
    }
    // Shared, so that two processes looking at once do not see each other.
    const int locked = flock(descriptor, LOCK_SH | LOCK_NB);
    const FileUse use = locked == 0            ? FileUse::Free
                        : errno == EWOULDBLOCK ? FileUse::InUse
                                               : FileUse::Unknown;
    close(descriptor);
    return use;
}

QStringList MediaFolder::removeAbandonedFiles(std::chrono::seconds age,
                                              const QStringList& kept) const {
    const QDateTime before = QDateTime::currentDateTimeUtc().addSecs(-age.count());
    QStringList removed;
    QDirIterator files(path_, {pendingPrefix + u'*', creatingPrefix + u'*'},
                       QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (files.hasNext()) {
        const QFileInfo file = files.nextFileInfo();
        const QString path = file.absoluteFilePath();
        if (kept.contains(path)) {
            continue;
        }
        const FileUse use = fileUse(path);
        const bool old = file.lastModified() < before;
        if ((use == FileUse::Free || (use == FileUse::Unknown && old)) && QFile::remove(path)) {
            removed.append(path);
        }
    }
    return removed;
}

QStringList MediaFolder::allFiles() const {
    QStringList files;
    const QDir folder(path_);
    QDirIterator entries(path_, QDir::Files | QDir::Hidden | QDir::System,
                         QDirIterator::Subdirectories);
    while (entries.hasNext()) {
        files.append(folder.relativeFilePath(entries.next()));
    }
    files.sort();
    return files;
}

bool renameFile(const QString& from, const QString& to, bool replace) {
    const QByteArray source = nativeName(from);
    const QByteArray target = nativeName(to);
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

bool syncFolder(const QString& folder) {
    const int descriptor =
        ::open(nativeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor < 0) {
        return false;
    }
    const bool synced = fsync(descriptor) == 0;
    close(descriptor);
    return synced;
}

bool copyFileContents(const QString& from, const QString& to) {
    const int source = ::open(nativeName(from).constData(), O_RDONLY | O_CLOEXEC);
    if (source < 0) {
        return false;
    }
    const int target = ::open(nativeName(to).constData(), O_WRONLY | O_TRUNC | O_CLOEXEC);
    struct stat status {};
    bool copied = target >= 0 && fstat(source, &status) == 0 && copyBytes(source, target) &&
                  fchmod(target, status.st_mode & 07777) == 0;
    const int error = errno;
    if (target >= 0) {
        copied = close(target) == 0 && copied;
    }
    close(source);
    errno = copied ? 0 : error;
    return copied;
}

bool moveToTrash(const QString& path, QString* error) {
    // Qt 6.4 takes the current folder for the trash when the user's data
    // folder (~/.local/share) is missing, as on a fresh account, and would
    // leave "files" and "info" folders wherever the program was started.
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    QFile file(path);
    if (!data.isEmpty() && QDir().mkpath(data) && file.moveToTrash()) {
        return true;
    }
    *error = file.errorString();
    return false;
}

QString usableStem(const QString& name) {
    QString stem = name;
    // A hidden media file would be taken for a pending one, or missed.
    while (stem.startsWith(u'.')) {
        stem.remove(0, 1);
    }
    while (stem.toUtf8().size() > longestStemBytes) {
        stem.chop(stem.size() > 1 && stem.back().isLowSurrogate() ? 2 : 1);
    }
    return stem.isEmpty() ? QStringLiteral("Untitled") : stem;
}

QString describeFileError(int error) {
    switch (error) {
    case ENOSPC:
    case EDQUOT:
        return QStringLiteral("the disk is full");
    case EROFS:
        return QStringLiteral("the file system is mounted read-only");
    case EACCES:
    case EPERM:
        return QStringLiteral("this user may not write there");
    default:
        return QString::fromLocal8Bit(std::strerror(error));
    }
}

} // namespace decant::library
