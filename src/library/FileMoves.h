#pragma once

#include "library/Database.h"
#include "library/StepHook.h"

#include <QString>
#include <QStringList>

namespace decant::library {

// Puts encoded files in place as their tracks' files, following the journal
// of moves the database keeps, so that a move a crash interrupted is
// finished by the next open. Paths in the journal are relative to the
// library folder.
class FileMoves {
public:
    FileMoves(Database& database, QString libraryFolder, StepHook hook);

    QString absolutePath(const QString& file) const;
    QString relativePath(const QString& path) const;
    // Whether no file has this name (relative to the library folder).
    bool isFree(const QString& file) const;
    Database::NameIsFree nameIsFree() const;

    // Renames the pending file to the track's file (or another free name
    // when that was taken meanwhile), syncs the folder, removes the file it
    // replaces and ends the journal entry. False, with the reason, when the
    // file cannot be put in place; the entry then stays for the next open.
    bool complete(const FileMove& move, QString* error);

    // Finishes every move that no living process is making; what was done,
    // for a user to read.
    QStringList recover();

private:
    Database& database_;
    QString folder_;
    StepHook hook_;
};

} // namespace decant::library
