#pragma once

// SQLite's failures as the library's errors.
#include "library/model/Result.h"

#include <chrono>

struct sqlite3;

namespace decant::library::sqlite {

// The kind of failure an SQLite result code (primary or extended) names.
Error::Kind errorKind(int resultCode);

// The connection's last failure as a user can act on it: a lock another
// program holds (still held after `busyTimeout`), a file that cannot be
// written, a full disk, a damaged file and how to mend it; SQLite's own
// message for the rest. Read at once,
// under the lock that guards the connection, before another call replaces
// it.
Error lastError(sqlite3* connection, std::chrono::milliseconds busyTimeout);

} // namespace decant::library::sqlite
