#pragma once

// Thin RAII over SQLite's C interface, for the library's database only.
#include <QByteArray>
#include <QString>
#include <sqlite3.h>

#include <memory>

namespace decant::library::sqlite {

struct ConnectionCloser {
    void operator()(sqlite3* connection) const { sqlite3_close_v2(connection); }
};
using Connection = std::unique_ptr<sqlite3, ConnectionCloser>;

struct StatementFinalizer {
    void operator()(sqlite3_stmt* statement) const { sqlite3_finalize(statement); }
};

// SQLite's message for the connection's last failure.
QString lastError(sqlite3* connection);

// The connection's last failure as a user can act on it: a lock another
// program holds, a file that cannot be written, a full disk; SQLite's own
// message for the rest.
QString describeFailure(sqlite3* connection);

// Runs statements that return no rows; false, with the reason, on failure.
bool execute(sqlite3* connection, const char* sql, QString* error = nullptr);

// One prepared statement. A statement that failed to prepare reports failure
// from every step, so callers check once, at the end.
class Statement {
public:
    Statement(sqlite3* connection, const char* sql);

    Statement& bind(int index, const QString& text);
    Statement& bind(int index, qint64 integer);
    Statement& bind(int index, double real);
    Statement& bindNull(int index);
    Statement& bindBlob(int index, const QByteArray& bytes);

    // Advances to the next row: true while there is one.
    bool nextRow();
    // Runs a statement that returns no rows: true when it completed.
    bool run();
    // True when preparing, binding or stepping failed.
    bool failed() const { return failed_; }

    bool isNull(int column) const;
    qint64 integer(int column) const;
    double real(int column) const;
    QString text(int column) const;
    QByteArray blob(int column) const;

private:
    void check(int result);

    std::unique_ptr<sqlite3_stmt, StatementFinalizer> handle_;
    bool failed_ = false;
};

// A write transaction, taken at once (BEGIN IMMEDIATE) so that it never has
// to upgrade a read lock while another connection writes. Rolled back when
// it goes out of scope uncommitted.
class Transaction {
public:
    explicit Transaction(sqlite3* connection);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    bool began() const { return began_; }
    bool commit();

private:
    sqlite3* connection_;
    bool began_ = false;
    bool committed_ = false;
};

} // namespace decant::library::sqlite
