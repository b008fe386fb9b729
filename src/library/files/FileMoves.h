#pragma once

#include "library/files/TrackLocks.h"
#include "library/model/FileMove.h"
#include "library/model/Relocation.h"
#include "library/model/StepHook.h"
#include "library/store/Database.h"
#include "library/store/FileJournal.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace decant::library {

// Puts encoded files in place as their tracks' files, moves tracks' files
// to new names and removed tracks' files to the trash, following the
// journal the database keeps, so that what a crash interrupted is finished
// by the next open. Paths in the journal are relative to the library
// folder. Folders below the media folder that a move leaves empty go. The
// tracks' locks tell the moves another process is making from those a
// process that died left.
class FileMoves {
public:
    FileMoves(Database& database, TrackLocks& locks, QString libraryFolder, QString mediaFolder,
              StepHook hook);

    QString absolutePath(const QString& file) const;
    QString relativePath(const QString& path) const;
    // Whether no file has this name (relative to the library folder).
    bool isFree(const QString& file) const;
    NameIsFree nameIsFree() const;

    // Renames the pending file to the track's file (or another free name
    // when that was taken meanwhile) and removes the file it replaces; the
    // folders to sync, or nothing, with the reason, when the file cannot be
    // put in place. The journal entry stays until `finish`, or for the next
    // open.
    std::optional<QStringList> place(const FileMove& move, QString* error);
    // Syncs the folders the placed files are in, then ends their journal
    // entries: a rename is only safe from a power cut once its folder is
    // synced, so one sync serves a whole batch.
    bool finish(const QList<qint64>& trackIds, const QStringList& folders, QString* error);

    // Moves each track's file to the first free name like the one wanted,
    // recorded first and finished together; a file that cannot be moved
    // keeps its name. One result per track that was to move. The caller
    // holds the tracks' locks.
    QList<Relocation> relocate(const QList<WantedName>& names);

    // Moves a removed track's file, recorded by FileJournal::recordRemoval, to
    // the desktop's trash. False, with the reason, when it cannot go there:
    // it then stays where it is, and the journal forgets it.
    bool trash(const QString& file, QString* error);

    // What a recovery did and what it could not do, for a user to read: one
    // sentence each.
    struct Recovery {
        QStringList done;
        QStringList failed;
    };

    // Finishes every move that no living process is making, and every
    // removal. A move whose file reached its name, and whose journal entry
    // alone is left, is ended without a word, even when the end cannot be
    // recorded (the database busy with a living import): nothing was left
    // undone, and the next open ends it.
    Recovery recover();

    // Ends the move when its file has reached its name and only the end of
    // its journal entry is left (its folder synced, a file it replaces
    // gone), as the process making it would at the end of its batch: true
    // once the move is over. Anyone may, holding the track's lock.
    bool endIfPlaced(const FileMove& move);

    // Whether the move was left by a process that died: no living process
    // holds its pending file or its track's lock, and its file has not
    // reached its name. A live import's moves never are.
    bool isInterrupted(const FileMove& move) const;

private:
    struct Placed;
    std::optional<Placed> placeFile(const FileMove& move, QString* error);
    // Removes `folder` and the folders above it while they are empty, up
    // to the media folder; the first folder kept, whose entries changed.
    QString removeEmptyFolders(const QString& folder) const;
    Recovery recoverRemovals();
    // The pending file is gone and the file has its name.
    bool isPlaced(const FileMove& move) const;
    // The pending file, or the file itself once that is gone.
    QString subjectOf(const FileMove& move) const;

    Database& database_;
    TrackLocks& locks_;
    QString folder_;
    QString media_;
    StepHook hook_;
};

} // namespace decant::library
