#pragma once

// One prepared SQLite statement, its parameters bound by name.
#include "library/model/Result.h"
#include "library/store/Connection.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <memory>
#include <optional>
#include <type_traits>
#include <utility>

struct sqlite3_stmt;

namespace decant::library::sqlite {

// A statement that failed to prepare or bind reports that failure from
// every later step, so callers check once, at the end. The first failure's
// reason is kept with the statement, read from the connection the moment it
// happened.
class Statement {
public:
    Statement(Connection& connection, const char* sql);
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    // `name` as the SQL spells it: ":file".
    Statement& bind(const char* name, const QString& text);
    Statement& bind(const char* name, qint64 integer);
    Statement& bind(const char* name, int integer) { return bind(name, qint64(integer)); }
    Statement& bind(const char* name, double real);
    Statement& bindNull(const char* name);
    Statement& bindBlob(const char* name, const QByteArray& bytes);

    // Advances to the next row: true while there is one.
    bool nextRow();
    // Runs a statement that returns no rows.
    Status run();

    // True when preparing, binding or stepping failed; the reason.
    bool failed() const { return error_.has_value(); }
    Error error() const { return error_.value_or(Error{}); }
    // SQLite's extended result code for the failure; 0 when none.
    int failureCode() const { return failureCode_; }

    // Every row, each made by `read`.
    template <typename Read>
    auto allRows(Read&& read) -> Result<QList<std::invoke_result_t<Read, const Statement&>>> {
        QList<std::invoke_result_t<Read, const Statement&>> rows;
        while (nextRow()) {
            rows.append(read(std::as_const(*this)));
        }
        if (failed()) {
            return *error_;
        }
        return rows;
    }

    // The first row, made by `read`; nothing when there is none.
    template <typename Read>
    auto firstRow(Read&& read)
        -> Result<std::optional<std::invoke_result_t<Read, const Statement&>>> {
        if (nextRow()) {
            return std::optional(read(std::as_const(*this)));
        }
        if (failed()) {
            return *error_;
        }
        return std::optional<std::invoke_result_t<Read, const Statement&>>();
    }

    bool isNull(int column) const;
    qint64 integer(int column) const;
    double real(int column) const;
    QString text(int column) const;
    QByteArray blob(int column) const;

private:
    int parameter(const char* name);
    void check(int result);

    Connection& connection_;
    sqlite3_stmt* handle_ = nullptr;
    std::optional<Error> error_;
    int failureCode_ = 0;
};

} // namespace decant::library::sqlite
