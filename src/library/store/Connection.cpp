#include "library/store/Connection.h"

#include "library/store/Error.h"
#include "library/store/Statement.h"

#include <QCoreApplication>
#include <QFile>
#include <sqlite3.h>

#include <thread>

namespace decant::library::sqlite {

Result<std::unique_ptr<Connection>> Connection::open(const QString& path, Access access,
                                                     std::chrono::milliseconds busyTimeout) {
    const bool readOnly = access == Access::ReadOnly;
    sqlite3* raw = nullptr;
    const int flags =
        (readOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE) |
        SQLITE_OPEN_FULLMUTEX;
    const int result = sqlite3_open_v2(QFile::encodeName(path).constData(), &raw, flags, nullptr);
    // Owned from here on, even when the open failed.
    std::unique_ptr<Connection> connection(new Connection(raw, access, busyTimeout));
    if (result != SQLITE_OK) {
        const Error error =
            raw ? connection->lastError()
                : Error{errorKind(result), QString::fromUtf8(sqlite3_errstr(result))};
        return Error{error.kind,
                     QCoreApplication::translate("decant::DatabaseError", "cannot open %1: %2")
                         .arg(path, error.message)};
    }
    if (Status configured = connection->configure(); !configured) {
        return Error{configured.error().kind,
                     QCoreApplication::translate("decant::DatabaseError", "cannot use %1: %2")
                         .arg(path, configured.error().message)};
    }
    return connection;
}

Connection::Connection(sqlite3* handle, Access access, std::chrono::milliseconds busyTimeout)
    : handle_(handle)
    , access_(access)
    , busyTimeout_(busyTimeout) {}

Connection::~Connection() {
    sqlite3_close_v2(handle_);
}

void Connection::setAbandonWait(std::function<bool()> abandon) {
    abandonWait_ = std::move(abandon);
}

int Connection::waitWhileBusy(void* context, int attempts) {
    const auto* connection = static_cast<const Connection*>(context);
    constexpr auto step = std::chrono::milliseconds(10);
    if (attempts * step >= connection->busyTimeout_ ||
        (connection->abandonWait_ && connection->abandonWait_())) {
        return 0;
    }
    std::this_thread::sleep_for(step);
    return 1;
}

Status Connection::configure() {
    sqlite3_busy_handler(handle_, waitWhileBusy, this);
    sqlite3_extended_result_codes(handle_, 1);
    if (access_ == Access::ReadOnly) {
        return {};
    }
    // WAL lets the tool read while Decant writes. NORMAL: see Transaction.
    Statement journal(*this, "PRAGMA journal_mode = WAL");
    if (!journal.nextRow()) {
        return journal.failed()
                   ? journal.error()
                   : Error{Error::Kind::Other,
                           QCoreApplication::translate("decant::DatabaseError",
                                                       "the database refuses write-ahead logging")};
    }
    if (journal.text(0) != QLatin1String("wal")) {
        return Error{Error::Kind::Other,
                     QCoreApplication::translate("decant::DatabaseError",
                                                 "the database refuses write-ahead logging")};
    }
    return execute("PRAGMA synchronous = NORMAL");
}

Status Connection::execute(const char* sql) {
    char* message = nullptr;
    const int result = sqlite3_exec(handle_, sql, nullptr, nullptr, &message);
    const std::unique_ptr<char, decltype(&sqlite3_free)> owned(message, sqlite3_free);
    if (result == SQLITE_OK) {
        return {};
    }
    Error error = lastError();
    // sqlite3_exec's own message names the statement that failed.
    if (message && error.kind == Error::Kind::Other) {
        error.message = QString::fromUtf8(message);
    }
    return error;
}

Error Connection::lastError() const {
    return sqlite::lastError(handle_, busyTimeout_);
}

qint64 Connection::changes() const {
    return sqlite3_changes64(handle_);
}

qint64 Connection::lastInsertRowId() const {
    return sqlite3_last_insert_rowid(handle_);
}

} // namespace decant::library::sqlite
