#pragma once

// The journal of files on the move: encoded files going into place and
// tracks' files going to new names (file_moves), and removed tracks' files
// going to the trash (file_removals). Whatever a crash interrupts, the next
// open finds here and finishes.
#include "library/model/FileMove.h"
#include "library/model/Result.h"
#include "library/store/FreeName.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace decant::library {

class Database;

// A track's file, and the name it should have (see organisedFile).
struct WantedName {
    qint64 trackId = 0;
    QString file;   // as read, relative to the library folder
    QString wanted; // relative to the library folder
};

class FileJournal {
public:
    explicit FileJournal(Database& database);

    // The moves recorded and not yet finished.
    Result<QList<FileMove>> fileMoves() const;
    Result<std::optional<FileMove>> fileMove(qint64 trackId) const;
    // Gives the track another free name when its reserved one was taken on
    // disk before the move; the new name.
    Result<QString> renameMoveTarget(qint64 trackId, const NameIsFree& isFree);
    // The moves are done. Not synced: a move whose end is lost is finished
    // again by the next open, which finds nothing left to do.
    Status finishFileMoves(const QList<qint64>& trackIds);

    // Records, in one synced transaction, the moves of the tracks' files to
    // the first free names like those wanted, each file's current name as
    // the move's pending file: from then on the journal finishes every move.
    // A track is left out when its file is no longer the one read, is on
    // its way into place, or has the wanted name (or the numbered copy of
    // it that it holds already).
    Result<QList<FileMove>> recordRelocations(const QList<WantedName>& names,
                                              const NameIsFree& isFree);
    // Gives the track its file back and forgets the move to another name,
    // when the file could not be moved.
    Status undoRelocation(qint64 trackId, const QString& file);

    // Removes the track and records its file as on its way to the trash, in
    // one synced transaction, so that no track lists a file in the trash
    // and a file no track lists is finished off by the next open. The file;
    // NotFound when the track is gone, Other while its file is on its way
    // into place.
    Result<QString> recordRemoval(qint64 id);
    // Files recorded for the trash and not yet there, or no longer found.
    Result<QStringList> fileRemovals() const;

    // Whether a track, a move or a removal names the file now.
    Result<bool> isListed(const QString& file) const;
    Status finishFileRemoval(const QString& file);

private:
    Database& database_;
};

} // namespace decant::library
