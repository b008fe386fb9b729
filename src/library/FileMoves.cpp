#include "library/FileMoves.h"

#include "library/MediaFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <unistd.h>

namespace decant::library {
namespace {

QString folderOf(const QString& path) {
    return QFileInfo(path).absolutePath();
}

// A move of a track's file to a new name, rather than of an encoded file
// into place: its pending file is a media file, not a hidden one.
bool isRelocation(const FileMove& move) {
    return !MediaFolder::isPendingName(QFileInfo(move.pending).fileName());
}

} // namespace

// Where a move put its file, and the folders whose entries it changed.
struct FileMoves::Placed {
    QString file;
    QStringList folders;
};

FileMoves::FileMoves(Database& database, QString libraryFolder, QString mediaFolder, StepHook hook)
    : database_(database)
    , folder_(std::move(libraryFolder))
    , media_(QDir(mediaFolder).absolutePath())
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

std::optional<QStringList> FileMoves::place(const FileMove& move, QString* error) {
    const auto placed = placeFile(move, error);
    return placed ? std::optional(placed->folders) : std::nullopt;
}

std::optional<FileMoves::Placed> FileMoves::placeFile(const FileMove& move, QString* error) {
    const QString pending = absolutePath(move.pending);
    QString target = absolutePath(move.file);
    const bool replace = move.replaced == move.file;
    // Another process may remove the target's folder, empty, before the
    // rename; it is made again, a few times at most.
    int foldersMade = 0;
    QDir().mkpath(folderOf(target));
    while (!renameFile(pending, target, replace)) {
        const int failure = errno;
        const bool pendingThere = QFileInfo::exists(pending);
        if (failure == ENOENT && !pendingThere && QFileInfo::exists(target)) {
            break; // placed before, by this process or another
        }
        if (failure == ENOENT && pendingThere && ++foldersMade < 3 &&
            QDir().mkpath(folderOf(target))) {
            continue;
        }
        if (failure != EEXIST || replace) {
            *error = isRelocation(move)
                         ? QStringLiteral("cannot move %1 to %2: %3")
                               .arg(move.pending, move.file, describeFileError(failure))
                         : QStringLiteral("cannot move %1 into place: %2")
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
    Placed placed{relativePath(target), {folderOf(target)}};
    if (!move.replaced.isEmpty() && !replace) {
        const QString replaced = absolutePath(move.replaced);
        QFile::remove(replaced);
        placed.folders.append(removeEmptyFolders(folderOf(replaced)));
    }
    placed.folders.append(removeEmptyFolders(folderOf(pending)));
    placed.folders.removeDuplicates();
    return placed;
}

QString FileMoves::removeEmptyFolders(const QString& folder) const {
    QString kept = QDir(folder).absolutePath();
    while (kept.startsWith(media_ + u'/') && ::rmdir(QFile::encodeName(kept).constData()) == 0) {
        kept = folderOf(kept);
    }
    return kept;
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

QList<Relocation> FileMoves::relocate(const QList<WantedName>& names) {
    QList<Relocation> relocations;
    const auto moves = database_.recordRelocations(names, nameIsFree());
    if (!moves) {
        for (const WantedName& name : names) {
            relocations.append({name.trackId, name.file, name.wanted, database_.lastError()});
        }
        return relocations;
    }
    reachStep(hook_, "relocationsRecorded");
    QList<qint64> placed;
    QStringList folders;
    for (const FileMove& move : *moves) {
        QString error;
        if (const auto done = placeFile(move, &error)) {
            placed.append(move.trackId);
            folders.append(done->folders);
            relocations.append({move.trackId, move.pending, done->file, {}});
        } else {
            // Nothing moved: the track keeps its file and name.
            database_.undoRelocation(move.trackId, move.pending);
            relocations.append({move.trackId, move.pending, move.file, error});
        }
    }
    folders.removeDuplicates();
    QString error;
    // An end that fails is found again by the next open, which finishes it.
    finish(placed, folders, &error);
    return relocations;
}

bool FileMoves::trash(const QString& file, QString* error) {
    const QString path = absolutePath(file);
    QString reason;
    const bool gone = !QFileInfo::exists(path) || moveToTrash(path, &reason);
    if (!gone) {
        *error = QStringLiteral("cannot move %1 to the trash: %2").arg(file, reason);
    } else {
        syncFolder(removeEmptyFolders(folderOf(path)));
    }
    database_.finishFileRemoval(file);
    return gone;
}

QStringList FileMoves::recover() {
    QStringList done = recoverRemovals();
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
        if (!pendingThere && !QFileInfo::exists(subject) && isRelocation(move)) {
            // Gone before it could move: check tells of the missing file.
            database_.undoRelocation(move.trackId, move.pending);
        } else if (!pendingThere && !QFileInfo::exists(subject)) {
            if (database_.removeTrack(move.trackId)) {
                done.append(QStringLiteral("Removed track %1: its file %2 never reached the "
                                           "library.")
                                .arg(move.trackId)
                                .arg(move.file));
            }
        } else if (const auto folder = place(move, &error)) {
            placed.append(move.trackId);
            folders.append(*folder);
            done.append(isRelocation(move)
                            ? QStringLiteral("Finished moving the file of track %1 from %2 to "
                                             "%3, which an interrupted move left undone.")
                                  .arg(move.trackId)
                                  .arg(move.pending, move.file)
                            : QStringLiteral("Finished putting %1 in place for track %2, which "
                                             "an interrupted import left undone.")
                                  .arg(move.file)
                                  .arg(move.trackId));
        } else if (isRelocation(move)) {
            database_.undoRelocation(move.trackId, move.pending);
            done.append(QStringLiteral("Could not finish moving the file of track %1, which "
                                       "keeps %2: %3")
                            .arg(move.trackId)
                            .arg(move.pending, error));
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

QStringList FileMoves::recoverRemovals() {
    QStringList done;
    for (const QString& file : database_.fileRemovals()) {
        const bool there = QFileInfo::exists(absolutePath(file));
        QString error;
        if (!trash(file, &error)) {
            done.append(QStringLiteral("Could not finish removing %1: %2").arg(file, error));
        } else if (there) {
            done.append(QStringLiteral("Moved %1 to the trash, which the interrupted removal of "
                                       "its track left undone.")
                            .arg(file));
        }
    }
    return done;
}

} // namespace decant::library
