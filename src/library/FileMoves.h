#pragma once

#include "library/Database.h"
#include "library/StepHook.h"

#include <QString>
#include <QStringList>

#include <optional>

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
    // when that was taken meanwhile) and removes the file it replaces; the
    // folder it is in, or nothing, with the reason, when the file cannot be
    // put in place. The journal entry stays until `finish`, or for the next
    // open.
    std::optional<QString> place(const FileMove& move, QString* error);
    // Syncs the folders the placed files are in, then ends their journal
    // entries: a rename is only safe from a power cut once its folder is
    // synced, so one sync serves a whole batch.
    bool finish(const QList<qint64>& trackIds, const QStringList& folders, QString* error);

    // Finishes every move that no living process is making; what was done,
    // for a user to read.
    QStringList recover();

private:
    Database& database_;
    QString folder_;
    StepHook hook_;
};

} // namespace decant::library
