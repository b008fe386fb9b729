#pragma once

// The database as a file: what state it is in before anything opens it for
// writing, SQLite's own check of its pages, and copies of it.
#include "library/model/Result.h"
#include "library/store/Connection.h"

#include <QString>
#include <QStringList>

namespace decant::library {

// What SQLite's own check finds wrong with the database, in its words; empty
// when nothing. quick_check reads every page once and checks the b-trees,
// their cells and the free list, which finds pages overwritten or cut off;
// integrity_check, when `thorough`, also checks every index against its
// table's rows, which takes longer. The reason only when the check cannot
// run at all (the file is locked or unreadable).
Result<QStringList> integrityProblems(sqlite::Connection& connection, bool thorough);

// What a database file is found to be, told by reading it only: opening a
// missing or empty file for writing would make it a new, empty library.
struct DatabaseInspection {
    enum class State {
        Missing,     // no file
        Empty,       // zero bytes
        Damaged,     // not a database, or SQLite's check finds it damaged
        NewerSchema, // written by a newer version of Decant
        Usable,
    };
    State state = State::Missing;
    // For a damaged file: what SQLite found, in its words; for a newer
    // schema, its version.
    QString detail;
};

// Inspects the file at `path`, running integrityProblems (thorough or not)
// on a read-only connection; the reason when it cannot be read at all.
Result<DatabaseInspection> inspectDatabaseFile(const QString& path, bool thorough);

// Copies the database, as one consistent snapshot while other connections
// go on writing, into the new file `destination` with SQLite's online backup
// API. The copy is in rollback-journal mode, a file that stands alone, and
// synced. Run with the connection's lock held (see Database::read).
Status backUpDatabase(sqlite::Connection& source, const QString& destination);

} // namespace decant::library
