#include "library/store/DatabaseFile.h"

#include "library/store/Error.h"
#include "library/store/Schema.h"
#include "library/store/Statement.h"

#include <QFile>
#include <QFileInfo>
#include <sqlite3.h>

#include <chrono>
#include <memory>

namespace decant::library {
namespace {

using sqlite::Connection;
using sqlite::Statement;

struct ConnectionCloser {
    void operator()(sqlite3* connection) const { sqlite3_close_v2(connection); }
};
using RawConnection = std::unique_ptr<sqlite3, ConnectionCloser>;

constexpr int mostProblemsListed = 10;

Error errorOf(sqlite3* connection) {
    return sqlite::lastError(connection, std::chrono::milliseconds(0));
}

// SQLite's own words for the damage it just met ("file is not a
// database"), without the advice the library's errors carry.
QString damageFound(const Connection& connection) {
    return QString::fromUtf8(sqlite3_errmsg(connection.handle()));
}

} // namespace

Result<QStringList> integrityProblems(Connection& connection, bool thorough) {
    const QByteArray sql =
        QByteArray(thorough ? "PRAGMA integrity_check(" : "PRAGMA quick_check(") +
        QByteArray::number(mostProblemsListed) + ')';
    Statement check(connection, sql.constData());
    const auto rows = check.allRows([](const Statement& row) { return row.text(0); });
    if (!rows) {
        // A file too damaged to be checked at all is damaged all the same.
        if (rows.error().kind == Error::Kind::Corrupt) {
            return QStringList{damageFound(connection)};
        }
        return rows.error();
    }
    if (*rows == QStringList{QStringLiteral("ok")}) {
        return QStringList();
    }
    return *rows;
}

Result<DatabaseInspection> inspectDatabaseFile(const QString& path, bool thorough) {
    using State = DatabaseInspection::State;
    const QFileInfo file(path);
    if (!file.exists()) {
        return DatabaseInspection{State::Missing, {}};
    }
    if (file.size() == 0) {
        return DatabaseInspection{State::Empty, {}};
    }
    auto connection =
        sqlite::Connection::open(path, sqlite::Access::ReadOnly, std::chrono::seconds(5));
    if (!connection) {
        if (connection.error().kind == Error::Kind::Corrupt) {
            return DatabaseInspection{State::Damaged, connection.error().message};
        }
        return connection.error();
    }
    const auto version = storedSchemaVersion(**connection);
    if (!version) {
        if (version.error().kind == Error::Kind::Corrupt) {
            return DatabaseInspection{State::Damaged, damageFound(**connection)};
        }
        return version.error();
    }
    if (*version > currentSchemaVersion) {
        return DatabaseInspection{State::NewerSchema, QString::number(*version)};
    }
    const auto problems = integrityProblems(**connection, thorough);
    if (!problems) {
        return problems.error();
    }
    if (!problems->isEmpty()) {
        return DatabaseInspection{State::Damaged, problems->join(QStringLiteral("; "))};
    }
    return DatabaseInspection{State::Usable, {}};
}

Status backUpDatabase(Connection& source, const QString& destination) {
    sqlite3* raw = nullptr;
    const int opened = sqlite3_open_v2(QFile::encodeName(destination).constData(), &raw,
                                       SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    const RawConnection target(raw);
    if (opened != SQLITE_OK) {
        return raw ? errorOf(raw) : Error{sqlite::errorKind(opened), sqlite3_errstr(opened)};
    }
    sqlite3_backup* backup = sqlite3_backup_init(raw, "main", source.handle(), "main");
    if (!backup) {
        return errorOf(raw);
    }
    const int stepped = sqlite3_backup_step(backup, -1);
    const int finished = sqlite3_backup_finish(backup);
    if (stepped != SQLITE_DONE || finished != SQLITE_OK) {
        return errorOf(raw);
    }
    // The copy takes the source's write-ahead logging; a backup is read
    // back by itself, without a log beside it.
    char* message = nullptr;
    const int journal =
        sqlite3_exec(raw, "PRAGMA journal_mode = DELETE", nullptr, nullptr, &message);
    sqlite3_free(message);
    if (journal != SQLITE_OK) {
        return errorOf(raw);
    }
    return {};
}

} // namespace decant::library
