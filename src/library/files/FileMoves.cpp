#include "library/files/FileMoves.h"

#include "library/files/FileError.h"
#include "library/files/MediaFolder.h"
#include "library/files/MoveToTrash.h"
#include "library/files/RenameFile.h"
#include "library/files/SyncFolder.h"
#include "library/store/TrackStore.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <unistd.h>
#include <vector>

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

FileMoves::FileMoves(Database& database, TrackLocks& locks, QString libraryFolder,
                     QString mediaFolder, StepHook hook)
    : database_(database)
    , locks_(locks)
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

NameIsFree FileMoves::nameIsFree() const {
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
            *error =
                isRelocation(move)
                    ? QCoreApplication::translate("decant::FileMoves", "cannot move %1 to %2: %3")
                          .arg(move.pending, move.file, describeFileError(failure))
                    : QCoreApplication::translate("decant::FileMoves",
                                                  "cannot move %1 into place: %2")
                          .arg(move.file, describeFileError(failure));
            return std::nullopt;
        }
        // Someone took the name on disk after it was reserved.
        const auto renamed = database_.journal().renameMoveTarget(move.trackId, nameIsFree());
        if (!renamed) {
            *error = renamed.error().message;
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
    if (trackIds.isEmpty()) {
        return true;
    }
    const Status finished = database_.journal().finishFileMoves(trackIds);
    if (!finished) {
        *error = finished.error().message;
    }
    return finished.ok();
}

QList<Relocation> FileMoves::relocate(const QList<WantedName>& names) {
    QList<Relocation> relocations;
    const auto moves = database_.journal().recordRelocations(names, nameIsFree());
    if (!moves) {
        for (const WantedName& name : names) {
            relocations.append({name.trackId, name.file, name.wanted, moves.error().message});
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
            // Nothing moved: the track keeps its file and name. An undo that
            // fails leaves the move journaled, for the next open to finish.
            static_cast<void>(database_.journal().undoRelocation(move.trackId, move.pending));
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
        *error = QCoreApplication::translate("decant::FileMoves", "cannot move %1 to the trash: %2")
                     .arg(file, reason);
    } else {
        syncFolder(removeEmptyFolders(folderOf(path)));
    }
    // An entry that stays is finished by the next open, which finds the file
    // gone.
    static_cast<void>(database_.journal().finishFileRemoval(file));
    return gone;
}

bool FileMoves::isPlaced(const FileMove& move) const {
    return !QFileInfo::exists(absolutePath(move.pending)) &&
           QFileInfo::exists(absolutePath(move.file));
}

QString FileMoves::subjectOf(const FileMove& move) const {
    const QString pending = absolutePath(move.pending);
    return QFileInfo::exists(pending) ? pending : absolutePath(move.file);
}

bool FileMoves::endIfPlaced(const FileMove& move) {
    QString error;
    if (!isPlaced(move)) {
        return false;
    }
    const auto folders = place(move, &error);
    return folders && finish({move.trackId}, *folders, &error);
}

bool FileMoves::isInterrupted(const FileMove& move) const {
    return !isPlaced(move) && MediaFolder::fileUse(subjectOf(move)) != FileUse::InUse &&
           !locks_.isHeld(move.trackId);
}

FileMoves::Recovery FileMoves::recover() {
    Recovery recovery = recoverRemovals();
    QStringList& done = recovery.done;
    QStringList& failed = recovery.failed;
    bool placedNow = false;
    const auto moves = database_.journal().fileMoves();
    if (!moves) {
        failed.append(
            QCoreApplication::translate("decant::FileMoves",
                                        "Could not read the journal of interrupted imports: %1")
                .arg(moves.error().message));
        return recovery;
    }
    QList<qint64> placed;
    QStringList folders;
    // Held until the moves' journal entries end.
    std::vector<TrackLocks::Held> held;
    for (const FileMove& move : *moves) {
        const QString pending = absolutePath(move.pending);
        const bool pendingThere = QFileInfo::exists(pending);
        const QString subject = subjectOf(move);
        auto lock = MediaFolder::fileUse(subject) == FileUse::InUse ? std::nullopt
                                                                    : locks_.tryLock(move.trackId);
        if (!lock) {
            continue; // another process is making this move
        }
        held.push_back(std::move(*lock));
        const bool placedBefore = isPlaced(move);
        QString error;
        if (!pendingThere && !QFileInfo::exists(subject) && isRelocation(move)) {
            // Gone before it could move: check tells of the missing file. An
            // undo that fails is tried again by the next open.
            static_cast<void>(database_.journal().undoRelocation(move.trackId, move.pending));
        } else if (!pendingThere && !QFileInfo::exists(subject)) {
            if (const Status removed = database_.tracks().removeTrack(move.trackId)) {
                done.append(
                    QCoreApplication::translate("decant::FileMoves",
                                                "Removed track %1: its file %2 never reached the "
                                                "library.")
                        .arg(move.trackId)
                        .arg(move.file));
            } else {
                failed.append(
                    QCoreApplication::translate("decant::FileMoves",
                                                "Could not remove track %1, whose file %2 never "
                                                "reached the library: %3")
                        .arg(move.trackId)
                        .arg(move.file, removed.error().message));
            }
        } else if (const auto folder = place(move, &error)) {
            placed.append(move.trackId);
            folders.append(*folder);
            if (placedBefore) {
                continue;
            }
            placedNow = true;
            done.append(
                isRelocation(move)
                    ? QCoreApplication::translate("decant::FileMoves",
                                                  "Finished moving the file of track %1 from %2 to "
                                                  "%3, which an interrupted move left undone.")
                          .arg(move.trackId)
                          .arg(move.pending, move.file)
                    : QCoreApplication::translate(
                          "decant::FileMoves", "Finished putting %1 in place for track %2, which "
                                               "an interrupted import left undone.")
                          .arg(move.file)
                          .arg(move.trackId));
        } else if (isRelocation(move)) {
            static_cast<void>(database_.journal().undoRelocation(move.trackId, move.pending));
            failed.append(
                QCoreApplication::translate("decant::FileMoves",
                                            "Could not finish moving the file of track %1, which "
                                            "keeps %2: %3")
                    .arg(move.trackId)
                    .arg(move.pending, error));
        } else {
            failed.append(
                QCoreApplication::translate(
                    "decant::FileMoves", "Could not finish the interrupted import of track %1: %2")
                    .arg(move.trackId)
                    .arg(error));
        }
    }
    QString error;
    folders.removeDuplicates();
    if (!finish(placed, folders, &error) && placedNow) {
        failed.append(
            QCoreApplication::translate("decant::FileMoves",
                                        "Could not record the end of interrupted imports: %1")
                .arg(error));
    }
    return recovery;
}

FileMoves::Recovery FileMoves::recoverRemovals() {
    Recovery recovery;
    const auto removals = database_.journal().fileRemovals();
    if (!removals) {
        recovery.failed.append(
            QCoreApplication::translate("decant::FileMoves",
                                        "Could not read the journal of interrupted removals: %1")
                .arg(removals.error().message));
        return recovery;
    }
    for (const QString& file : *removals) {
        const bool there = QFileInfo::exists(absolutePath(file));
        QString error;
        if (!trash(file, &error)) {
            recovery.failed.append(
                QCoreApplication::translate("decant::FileMoves", "Could not finish removing %1: %2")
                    .arg(file, error));
        } else if (there) {
            recovery.done.append(QCoreApplication::translate(
                                     "decant::FileMoves",
                                     "Moved %1 to the trash, which the interrupted removal of "
                                     "its track left undone.")
                                     .arg(file));
        }
    }
    return recovery;
}

} // namespace decant::library
