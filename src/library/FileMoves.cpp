#include "library/FileMoves.h"

#include "library/MediaFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>

namespace decant::library {

FileMoves::FileMoves(Database& database, QString libraryFolder, StepHook hook)
    : database_(database)
    , folder_(std::move(libraryFolder))
    , hook_(std::move(hook)) {}

QString FileMoves::absolutePath(const QString& file) const {
    return QDir(folder_).absoluteFilePath(file);
}

QString FileMoves::relativePath(const QString& path) const {
    return QDir(folder_).relativeFilePath(path);
}

bool FileMoves::isFree(const QString& file) const {
    const QFileInfo info(absolutePath(file));
    return !info.exists() && !info.isSymLink();
}

Database::NameIsFree FileMoves::nameIsFree() const {
    return [this](const QString& file) { return isFree(file); };
}

std::optional<QString> FileMoves::place(const FileMove& move, QString* error) {
    const QString pending = absolutePath(move.pending);
    QString target = absolutePath(move.file);
    const bool replace = move.replaced == move.file;
    while (!renameFile(pending, target, replace)) {
        const int failure = errno;
        if (failure == ENOENT && !QFileInfo::exists(pending) && QFileInfo::exists(target)) {
            break; // placed before, by this process or another
        }
        if (failure != EEXIST || replace) {
            *error = QStringLiteral("cannot move %1 into place: %2")
                         .arg(move.file, describeFileError(failure));
            return std::nullopt;
        }
        // Someone took the name on disk after it was reserved.
        const auto renamed = database_.renameMoveTarget(move.trackId, nameIsFree());
        if (!renamed) {
            *error = database_.lastError();
            return std::nullopt;
        }
        target = absolutePath(*renamed);
    }
    reachStep(hook_, "moved");
    if (!move.replaced.isEmpty() && !replace) {
        QFile::remove(absolutePath(move.replaced));
    }
    return QFileInfo(target).absolutePath();
}

bool FileMoves::finish(const QList<qint64>& trackIds, const QStringList& folders, QString* error) {
    for (const QString& folder : folders) {
        syncFolder(folder);
    }
    if (!trackIds.isEmpty() && !database_.finishFileMoves(trackIds)) {
        *error = database_.lastError();
        return false;
    }
    return true;
}

QStringList FileMoves::recover() {
    QStringList done;
    QList<qint64> placed;
    QStringList folders;
    for (const FileMove& move : database_.fileMoves()) {
        const QString pending = absolutePath(move.pending);
        const bool pendingThere = QFileInfo::exists(pending);
        const QString subject = pendingThere ? pending : absolutePath(move.file);
        if (MediaFolder::fileUse(subject) == FileUse::InUse) {
            continue; // another process is making this move
        }
        QString error;
        if (!pendingThere && !QFileInfo::exists(subject)) {
            if (database_.removeTrack(move.trackId)) {
                done.append(QStringLiteral("Removed track %1: its file %2 never reached the "
                                           "library.")
                                .arg(move.trackId)
                                .arg(move.file));
            }
        } else if (const auto folder = place(move, &error)) {
            placed.append(move.trackId);
            folders.append(*folder);
            done.append(QStringLiteral("Finished putting %1 in place for track %2, which an "
                                       "interrupted import left undone.")
                            .arg(move.file)
                            .arg(move.trackId));
        } else {
            done.append(QStringLiteral("Could not finish the interrupted import of track %1: %2")
                            .arg(move.trackId)
                            .arg(error));
        }
    }
    QString error;
    folders.removeDuplicates();
    if (!finish(placed, folders, &error)) {
        done.append(
            QStringLiteral("Could not record the end of interrupted imports: %1").arg(error));
    }
    return done;
}

} // namespace decant::library
