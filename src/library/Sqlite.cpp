#include "library/Sqlite.h"

#include <cstring>

namespace decant::library::sqlite {

QString lastError(sqlite3* connection) {
    return QString::fromUtf8(sqlite3_errmsg(connection));
}

QString describeFailure(sqlite3* connection) {
    const int systemError = sqlite3_system_errno(connection);
    const QString cause = systemError != 0 ? QString::fromLocal8Bit(std::strerror(systemError))
                                           : lastError(connection);
    // The primary code: extended codes (SQLITE_IOERR_WRITE...) keep it in the low byte.
    switch (sqlite3_extended_errcode(connection) & 0xff) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return QStringLiteral("the database is locked by another program");
    case SQLITE_READONLY:
        return QStringLiteral("the database cannot be written (%1)").arg(cause);
    case SQLITE_FULL:
        return QStringLiteral("the disk is full");
    case SQLITE_CANTOPEN:
        return QStringLiteral("the database file cannot be opened (%1)").arg(cause);
    case SQLITE_IOERR:
        return QStringLiteral("the database could not be read or written (%1)").arg(cause);
    default:
        return lastError(connection);
    }
}

bool execute(sqlite3* connection, const char* sql, QString* error) {
    char* message = nullptr;
    const int result = sqlite3_exec(connection, sql, nullptr, nullptr, &message);
    const std::unique_ptr<char, decltype(&sqlite3_free)> owned(message, sqlite3_free);
    if (result != SQLITE_OK && error) {
        *error = QString::fromUtf8(message ? message : sqlite3_errstr(result));
    }
    return result == SQLITE_OK;
}

Statement::Statement(sqlite3* connection, const char* sql) {
    sqlite3_stmt* statement = nullptr;
    check(sqlite3_prepare_v2(connection, sql, -1, &statement, nullptr));
    handle_.reset(statement);
    failed_ = failed_ || !handle_;
}

void Statement::check(int result) {
    if (result != SQLITE_OK) {
        failed_ = true;
    }
}

Statement& Statement::bind(int index, const QString& text) {
    if (handle_) {
        const QByteArray bytes = text.toUtf8();
        check(sqlite3_bind_text(handle_.get(), index, bytes.constData(), int(bytes.size()),
                                SQLITE_TRANSIENT));
    }
    return *this;
}

Statement& Statement::bind(int index, qint64 integer) {
    if (handle_) {
        check(sqlite3_bind_int64(handle_.get(), index, integer));
    }
    return *this;
}

Statement& Statement::bind(int index, double real) {
    if (handle_) {
        check(sqlite3_bind_double(handle_.get(), index, real));
    }
    return *this;
}

Statement& Statement::bindNull(int index) {
    if (handle_) {
        check(sqlite3_bind_null(handle_.get(), index));
    }
    return *this;
}

Statement& Statement::bindBlob(int index, const QByteArray& bytes) {
    if (handle_) {
        check(sqlite3_bind_blob64(handle_.get(), index, bytes.constData(),
                                  sqlite3_uint64(bytes.size()), SQLITE_TRANSIENT));
    }
    return *this;
}

bool Statement::nextRow() {
    if (failed_) {
        return false;
    }
    const int result = sqlite3_step(handle_.get());
    if (result != SQLITE_ROW && result != SQLITE_DONE) {
        failed_ = true;
    }
    return result == SQLITE_ROW;
}

bool Statement::run() {
    while (nextRow()) {
    }
    return !failed_;
}

bool Statement::isNull(int column) const {
    return sqlite3_column_type(handle_.get(), column) == SQLITE_NULL;
}

qint64 Statement::integer(int column) const {
    return sqlite3_column_int64(handle_.get(), column);
}

double Statement::real(int column) const {
    return sqlite3_column_double(handle_.get(), column);
}

QString Statement::text(int column) const {
    const auto* bytes = reinterpret_cast<const char*>(sqlite3_column_text(handle_.get(), column));
    return QString::fromUtf8(bytes, sqlite3_column_bytes(handle_.get(), column));
}

QByteArray Statement::blob(int column) const {
    const auto* bytes = static_cast<const char*>(sqlite3_column_blob(handle_.get(), column));
    return QByteArray(bytes, sqlite3_column_bytes(handle_.get(), column));
}

Transaction::Transaction(sqlite3* connection)
    : connection_(connection)
    , began_(execute(connection, "BEGIN IMMEDIATE")) {}

Transaction::~Transaction() {
    if (began_ && !committed_) {
        execute(connection_, "ROLLBACK");
    }
}

bool Transaction::commit() {
    committed_ = began_ && execute(connection_, "COMMIT");
    return committed_;
}

} // namespace decant::library::sqlite
