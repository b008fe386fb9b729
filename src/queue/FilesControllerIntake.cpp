#include "queue/DirectoryWalk.h"
#include "queue/FilePath.h"
#include "queue/FilesController.h"

#include <cerrno>
#include <sys/stat.h>
#include <system_error>

namespace decant {
namespace {

// ASCII case-insensitive: the extension's letters are all ASCII.
bool hasFLACExtension(const QByteArray& path) {
    const QByteArray name = path.mid(path.lastIndexOf('/') + 1);
    const qsizetype dot = name.lastIndexOf('.');
    return dot >= 0 && name.mid(dot + 1).compare("flac", Qt::CaseInsensitive) == 0;
}

QString reasonForUnusablePath(int error) {
    if (error == ENOENT || error == ENOTDIR) {
        return QStringLiteral("no such file or folder");
    }
    return QStringLiteral("cannot be examined (%1)")
        .arg(QString::fromStdString(std::generic_category().message(error)));
}

} // namespace

void FilesController::addFile(const QByteArray& path) {
    if (!hasFLACExtension(path)) {
        return;
    }
    {
        // Two entries for one path would decode into one WAV file at once.
        std::lock_guard lock(filesLock_);
        if (queuedPaths_.contains(path)) {
            return;
        }
    }
    // Reads the file's tags: done outside the lock so readers are not held up.
    auto entry = QueueEntry::entryWithPath(path);
    std::lock_guard lock(filesLock_);
    if (!queuedPaths_.contains(path)) {
        queuedPaths_.insert(path);
        files_.append(std::move(entry));
    }
}

void FilesController::addDirectory(const QByteArray& path) {
    walkFolder(path,
               {hasFLACExtension, [this](const QByteArray& file) { addFile(file); },
                [this](const QByteArray& item, const QString& reason) { skipPath(item, reason); }});
}

void FilesController::addFiles(const QList<QByteArray>& paths) {
    for (const QByteArray& path : paths) {
        // Links are followed here: a link given by name is what it leads to.
        struct stat item {};
        if (stat(path.constData(), &item) != 0) {
            skipPath(path, reasonForUnusablePath(errno));
        } else if (S_ISDIR(item.st_mode)) {
            addDirectory(path);
        } else if (hasFLACExtension(path)) {
            addFile(path);
        } else {
            skipPath(path, QStringLiteral("not named as a FLAC file"));
        }
    }
    reloadTable();
}

void FilesController::addFiles(const QStringList& paths) {
    QList<QByteArray> bytes;
    bytes.reserve(paths.size());
    for (const QString& path : paths) {
        bytes.append(pathFromText(path));
    }
    addFiles(bytes);
}

QList<SkippedPath> FilesController::skippedPaths() const {
    std::lock_guard lock(filesLock_);
    return skippedPaths_;
}

void FilesController::skipPath(const QByteArray& path, const QString& reason) {
    std::lock_guard lock(filesLock_);
    skippedPaths_.append({path, reason});
}

} // namespace decant
