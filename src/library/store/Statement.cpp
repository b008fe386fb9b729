#include "library/store/Statement.h"

#include <sqlite3.h>

namespace decant::library::sqlite {

Statement::Statement(Connection& connection, const char* sql)
    : connection_(connection) {
    check(sqlite3_prepare_v2(connection.handle(), sql, -1, &handle_, nullptr));
}

Statement::~Statement() {
    sqlite3_finalize(handle_);
}

void Statement::check(int result) {
    if (result != SQLITE_OK && !error_) {
        error_ = connection_.lastError();
        failureCode_ = sqlite3_extended_errcode(connection_.handle());
    }
}

// The parameter's index; 0, after failing the statement, when it has none.
int Statement::parameter(const char* name) {
    if (failed()) {
        return 0;
    }
    const int index = sqlite3_bind_parameter_index(handle_, name);
    if (index == 0) {
        error_ = Error{Error::Kind::Other,
                       QStringLiteral("the statement \"%1\" has no parameter %2")
                           .arg(QString::fromUtf8(sqlite3_sql(handle_)), QLatin1String(name))};
        failureCode_ = SQLITE_RANGE;
    }
    return index;
}

Statement& Statement::bind(const char* name, const QString& text) {
    if (const int index = parameter(name)) {
        const QByteArray bytes = text.toUtf8();
        check(sqlite3_bind_text(handle_, index, bytes.constData(), int(bytes.size()),
                                SQLITE_TRANSIENT));
    }
    return *this;
}

Statement& Statement::bind(const char* name, qint64 integer) {
    if (const int index = parameter(name)) {
        check(sqlite3_bind_int64(handle_, index, integer));
    }
    return *this;
}

Statement& Statement::bind(const char* name, double real) {
    if (const int index = parameter(name)) {
        check(sqlite3_bind_double(handle_, index, real));
    }
    return *this;
}

Statement& Statement::bindNull(const char* name) {
    if (const int index = parameter(name)) {
        check(sqlite3_bind_null(handle_, index));
    }
    return *this;
}

Statement& Statement::bindBlob(const char* name, const QByteArray& bytes) {
    if (const int index = parameter(name)) {
        check(sqlite3_bind_blob64(handle_, index, bytes.constData(), sqlite3_uint64(bytes.size()),
                                  SQLITE_TRANSIENT));
    }
    return *this;
}

bool Statement::nextRow() {
    if (failed()) {
        return false;
    }
    const int result = sqlite3_step(handle_);
    if (result != SQLITE_ROW && result != SQLITE_DONE) {
        check(result);
    }
    return result == SQLITE_ROW;
}

Status Statement::run() {
    while (nextRow()) {
    }
    if (failed()) {
        return *error_;
    }
    return {};
}

bool Statement::isNull(int column) const {
    return sqlite3_column_type(handle_, column) == SQLITE_NULL;
}

qint64 Statement::integer(int column) const {
    return sqlite3_column_int64(handle_, column);
}

double Statement::real(int column) const {
    return sqlite3_column_double(handle_, column);
}

QString Statement::text(int column) const {
    const auto* bytes = reinterpret_cast<const char*>(sqlite3_column_text(handle_, column));
    return QString::fromUtf8(bytes, sqlite3_column_bytes(handle_, column));
}

QByteArray Statement::blob(int column) const {
    const auto* bytes = static_cast<const char*>(sqlite3_column_blob(handle_, column));
    return QByteArray(bytes, sqlite3_column_bytes(handle_, column));
}

} // namespace decant::library::sqlite
