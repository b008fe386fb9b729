#include "queue/DirectoryWalk.h"
#include "queue/FilesController.h"

#include <QFileInfo>

namespace decant {
namespace {

bool hasFLACExtension(const QString& path) {
    const QString name = path.section(u'/', -1);
    const qsizetype dot = name.lastIndexOf(u'.');
    return dot >= 0 && name.mid(dot + 1).compare(u"flac", Qt::CaseInsensitive) == 0;
}

} // namespace

void FilesController::addFile(const QString& path) {
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

void FilesController::addDirectory(const QString& path) {
    walkFolder(path, [this](const QString& file) { addFile(file); });
}

void FilesController::addFiles(const QStringList& paths) {
    for (const QString& path : paths) {
        const QFileInfo item(path);
        if (!item.exists()) {
            continue;
        }
        if (item.isDir()) {
            addDirectory(path);
        } else {
            addFile(path);
        }
    }
    reloadTable();
}

} // namespace decant
