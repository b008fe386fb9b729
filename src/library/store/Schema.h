#pragma once

// The library's tables, and the steps that bring an older database to them.
#include "library/model/Result.h"
#include "library/store/Connection.h"

namespace decant::library {

// The schema this build writes; older databases are migrated on open.
constexpr int currentSchemaVersion = 6;

// PRAGMA user_version as stored in the file.
Result<int> storedSchemaVersion(sqlite::Connection& connection);

// Brings the database to the current schema in one synced transaction; for
// reading only, refuses an older schema rather than migrating it. Refuses a
// newer one either way.
Status migrateSchema(sqlite::Connection& connection);

} // namespace decant::library
