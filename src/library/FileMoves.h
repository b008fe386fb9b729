#pragma once

#include "library/Database.h"
#include "library/StepHook.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace decant::library {

// What moving one track's file to its organised name gave.
struct Relocation {
    qint64 trackId = 0;
    QString from;
    QString to;    // where it went, or was to go
    QString error; // why it did not; empty when it moved
};

// Puts encoded files in place as their tracks' files, moves tracks' files
// to new names and removed tracks' files to the trash, following the
// journal the database keeps, so that what a crash interrupted is finished
// by the next open. Paths in the journal are relative to the library
// folder. Folders below the media folder that a move leaves empty go.
class FileMoves {
public:
    FileMoves(Database& database, QString libraryFolder, QString mediaFolder, StepHook hook);

    QString absolutePath(const QString& file) const;
    QString relativePath(const QString& path) const;
    // Whether no file has this name (relative to the library folder).
    bool isFree(const QString& file) const;
    Database::NameIsFree nameIsFree() const;

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
    // keeps its name. One result per track that was to move.
    QList<Relocation> relocate(const QList<WantedName>& names);

    // Moves a removed track's file, recorded by Database::recordRemoval, to
    // the desktop's trash. False, with the reason, when it cannot go there:
    // it then stays where it is, and the journal forgets it.
    bool trash(const QString& file, QString* error);

    // Finishes every move that no living process is making, and every
    // removal; what was done, for a user to read.
    QStringList recover();

private:
    struct Placed;
    std::optional<Placed> placeFile(const FileMove& move, QString* error);
    // Removes `folder` and the folders above it while they are empty, up
    // to the media folder; the first folder kept, whose entries changed.
    QString removeEmptyFolders(const QString& folder) const;
    QStringList recoverRemovals();

    Database& database_;
    QString folder_;
    QString media_;
    StepHook hook_;
};

} // namespace decant::library
