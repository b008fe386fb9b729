#include "library/files/MediaFolder.h"

#include "library/files/FileError.h"
#include "library/files/RenameFile.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QRandomGenerator>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace decant::library {
namespace {

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

} // namespace

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
    *error = QCoreApplication::translate("decant::FileMoves", "cannot create a file in %1: %2")
                 .arg(in, describeFileError(errno));
    return nullptr;
}

bool MediaFolder::isPendingName(const QString& fileName) {
    return fileName.startsWith(pendingPrefix) || fileName.startsWith(creatingPrefix);
}

FileUse MediaFolder::fileUse(const QString& path) {
    const int descriptor = ::open(nativeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (descriptor < 0) {
        return errno == ENOENT ? FileUse::Gone : FileUse::Free;
    }
    // Shared, so that two processes looking at once do not see each other.
    const int locked = flock(descriptor, LOCK_SH | LOCK_NB);
    const FileUse use = locked == 0            ? FileUse::Free
                        : errno == EWOULDBLOCK ? FileUse::InUse
                                               : FileUse::Unknown;
    close(descriptor);
    return use;
}

bool MediaFolder::isLeftover(const QString& path) {
    const FileUse use = fileUse(path);
    if (use == FileUse::InUse || use == FileUse::Gone) {
        return false;
    }
    // Its creator locks it an instant after creating it: only an old one is
    // certainly left over.
    const QFileInfo file(path);
    return !file.fileName().startsWith(creatingPrefix) ||
           file.lastModified() < QDateTime::currentDateTimeUtc().addSecs(-60);
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

} // namespace decant::library
