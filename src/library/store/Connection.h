#pragma once

// One SQLite connection, and the settings every use of the library's
// database relies on.
#include "library/model/Result.h"

#include <QString>

#include <chrono>
#include <functional>
#include <memory>

struct sqlite3;

namespace decant::library::sqlite {

enum class Access { ReadWrite, ReadOnly };

// Owns the handle; not thread-safe by itself (see Database, which guards it
// with one lock).
class Connection {
public:
    // Opens the file (creating it when writing) with extended result codes,
    // a busy handler that waits up to `busyTimeout` for another program's
    // lock, and, for writing, write-ahead logging with commits synced only
    // when a transaction asks for it. Null, with the reason, on failure.
    static Result<std::unique_ptr<Connection>> open(const QString& path, Access access,
                                                    std::chrono::milliseconds busyTimeout);

    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    Access access() const { return access_; }
    sqlite3* handle() const { return handle_; }

    // Asked while waiting for another program's lock: true gives up at once.
    // Set before other threads use the connection.
    void setAbandonWait(std::function<bool()> abandon);

    // Runs statements that return no rows.
    Status execute(const char* sql);
    // The last failure, as SQLite reported it to this connection.
    Error lastError() const;
    // Rows the last INSERT, UPDATE or DELETE changed.
    qint64 changes() const;
    qint64 lastInsertRowId() const;

private:
    Connection(sqlite3* handle, Access access, std::chrono::milliseconds busyTimeout);
    Status configure();
    // Runs on whichever thread waits, with the database's lock held.
    static int waitWhileBusy(void* connection, int attempts);

    sqlite3* handle_;
    Access access_;
    std::chrono::milliseconds busyTimeout_;
    std::function<bool()> abandonWait_;
};

} // namespace decant::library::sqlite
