#pragma once

#include "library/model/Result.h"
#include "library/store/DatabaseFile.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace decant::library {

// A library's database that cannot be used as it is: damaged, or missing or
// empty while the media folder holds files. Nothing else may be done to the
// library before it is mended: above all, no media file is an orphan to
// throw away while the database that should list it is not there.
struct LostDatabase {
    DatabaseInspection found;
    qsizetype mediaFiles = 0;
};

// Whether the library in `folder` has such a database; `thorough` runs
// integrity_check rather than quick_check (see integrityProblems). The
// reason when the database cannot even be inspected.
Result<std::optional<LostDatabase>> findLostDatabase(const QString& folder, bool thorough);

// The problem, in one sentence for decant-library check.
QString describeLostDatabase(const LostDatabase& lost);

struct DatabaseReplacement {
    QStringList done;      // for a user to read
    bool restored = false; // from a backup, rather than made anew
};

// Sets the database aside (renamed beside it with ".damaged-<time>", never
// deleted, its write-ahead log with it) and puts in its place the newest
// backup that SQLite finds whole, or else a new, empty database: the
// library can then be opened, and recoverTracksFromMedia fills in what the
// files say. What was done, or why it could not be.
Result<DatabaseReplacement> replaceLostDatabase(const QString& folder, const LostDatabase& lost);

} // namespace decant::library
