#include "library/Database.h"

#include <QFileInfo>
#include <QStringList>

#include <array>

namespace decant::library {
namespace {

using sqlite::Statement;

// Each entry takes the schema from its index to the next version. Entries are
// only ever appended: a released migration never changes.
constexpr std::array migrations{
    R"sql(
    CREATE TABLE tracks (
        id INTEGER PRIMARY KEY,
        file TEXT NOT NULL,
        kind TEXT NOT NULL,
        duration REAL NOT NULL,
        sample_rate INTEGER NOT NULL,
        channels INTEGER NOT NULL,
        bit_rate INTEGER NOT NULL,
        size INTEGER NOT NULL,
        date_added TEXT NOT NULL,
        tags_dirty INTEGER NOT NULL DEFAULT 0,
        name TEXT NOT NULL,
        artist TEXT, album_artist TEXT, album TEXT, composer TEXT, genre TEXT,
        comment TEXT, "grouping" TEXT, lyrics TEXT,
        sort_name TEXT, sort_artist TEXT, sort_album TEXT, sort_album_artist TEXT,
        sort_composer TEXT,
        year INTEGER, track_number INTEGER, track_count INTEGER,
        disc_number INTEGER, disc_count INTEGER, bpm INTEGER, compilation INTEGER
    );
    CREATE INDEX tracks_with_dirty_tags ON tracks(id) WHERE tags_dirty != 0;
    CREATE TABLE settings (key TEXT PRIMARY KEY, value TEXT NOT NULL) WITHOUT ROWID;
    )sql",
};
static_assert(migrations.size() == Database::schemaVersion);

constexpr int busyTimeoutMilliseconds = 5000;
constexpr int fixedColumns = 10; // id ... tags_dirty, before the properties

QByteArray selectTracksSql() {
    QByteArray sql = "SELECT id, file, kind, duration, sample_rate, channels, bit_rate, size, "
                     "date_added, tags_dirty";
    for (const TrackProperty& property : trackProperties()) {
        sql += ", \"" + QByteArray(property.column) + '"';
    }
    return sql + " FROM tracks";
}

PropertyValue columnValue(const Statement& statement, int column, PropertyKind kind) {
    switch (kind) {
    case PropertyKind::Integer:
        return statement.integer(column);
    case PropertyKind::Boolean:
        return statement.integer(column) != 0;
    case PropertyKind::Text:
        break;
    }
    return statement.text(column);
}

TrackRecord recordFromRow(const Statement& row) {
    TrackRecord record;
    record.id = row.integer(0);
    record.file = row.text(1);
    record.kind = row.text(2);
    record.duration = row.real(3);
    record.sampleRate = int(row.integer(4));
    record.channels = int(row.integer(5));
    record.bitRate = int(row.integer(6));
    record.size = row.integer(7);
    record.dateAdded = QDateTime::fromString(row.text(8), Qt::ISODateWithMs);
    record.tagsDirty = row.integer(9);
    int column = fixedColumns;
    for (const TrackProperty& property : trackProperties()) {
        if (!row.isNull(column)) {
            record.properties.insert(QString::fromLatin1(property.scriptingName),
                                     columnValue(row, column, property.kind));
        }
        ++column;
    }
    return record;
}

void bindValue(Statement& statement, int index, const PropertyValue& value) {
    if (const auto* text = std::get_if<QString>(&value)) {
        statement.bind(index, *text);
    } else if (const auto* integer = std::get_if<qint64>(&value)) {
        statement.bind(index, *integer);
    } else {
        statement.bind(index, qint64(std::get<bool>(value)));
    }
}

} // namespace

std::unique_ptr<Database> Database::open(const QString& path, Access access, QString* error) {
    const bool readOnly = access == Access::ReadOnly;
    if (readOnly && !QFileInfo(path).isFile()) {
        *error = QStringLiteral("no library database at %1").arg(path);
        return nullptr;
    }
    sqlite3* raw = nullptr;
    const int flags =
        (readOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE) |
        SQLITE_OPEN_FULLMUTEX;
    const int result = sqlite3_open_v2(path.toUtf8().constData(), &raw, flags, nullptr);
    sqlite::Connection connection(raw);
    if (result != SQLITE_OK) {
        *error = QStringLiteral("cannot open %1: %2")
                     .arg(path, connection ? sqlite::lastError(raw)
                                           : QString::fromUtf8(sqlite3_errstr(result)));
        return nullptr;
    }
    auto database = std::make_unique<Database>(std::move(connection), access);
    QString reason;
    if (!database->configure(&reason) || !database->migrate(&reason)) {
        *error = QStringLiteral("cannot use %1: %2").arg(path, reason);
        return nullptr;
    }
    return database;
}

Database::Database(sqlite::Connection connection, Access access)
    : connection_(std::move(connection))
    , access_(access) {}

bool Database::configure(QString* error) {
    sqlite3_busy_timeout(connection_.get(), busyTimeoutMilliseconds);
    sqlite3_extended_result_codes(connection_.get(), 1);
    if (access_ == Access::ReadOnly) {
        return true;
    }
    // WAL lets the tool read while Decant writes; FULL makes every property
    // set survive a power cut, not only a crash of the process.
    Statement journal(connection_.get(), "PRAGMA journal_mode = WAL");
    if (!journal.nextRow() || journal.text(0) != QLatin1String("wal")) {
        *error = journal.failed() ? sqlite::lastError(connection_.get())
                                  : QStringLiteral("the database refuses write-ahead logging");
        return false;
    }
    return sqlite::execute(connection_.get(), "PRAGMA synchronous = FULL", error);
}

bool Database::migrate(QString* error) {
    Statement version(connection_.get(), "PRAGMA user_version");
    if (!version.nextRow()) {
        *error = sqlite::lastError(connection_.get());
        return false;
    }
    const int stored = int(version.integer(0));
    if (stored > schemaVersion) {
        *error = QStringLiteral("its schema version %1 is newer than this program's (%2)")
                     .arg(stored)
                     .arg(schemaVersion);
        return false;
    }
    if (stored == schemaVersion) {
        return true;
    }
    if (access_ == Access::ReadOnly) {
        *error = QStringLiteral("its schema version %1 needs upgrading, which reading alone "
                                "cannot do")
                     .arg(stored);
        return false;
    }
    sqlite::Transaction transaction(connection_.get());
    if (!transaction.began()) {
        *error = sqlite::lastError(connection_.get());
        return false;
    }
    for (int step = stored; step < schemaVersion; ++step) {
        if (!sqlite::execute(connection_.get(), migrations[std::size_t(step)], error)) {
            return false;
        }
    }
    const QByteArray setVersion = "PRAGMA user_version = " + QByteArray::number(schemaVersion);
    if (!sqlite::execute(connection_.get(), setVersion.constData(), error) ||
        !transaction.commit()) {
        if (error->isEmpty()) {
            *error = sqlite::lastError(connection_.get());
        }
        return false;
    }
    return true;
}

bool Database::fail() const {
    lastError_ = sqlite::lastError(connection_.get());
    return false;
}

int Database::storedSchemaVersion() const {
    std::lock_guard lock(mutex_);
    Statement version(connection_.get(), "PRAGMA user_version");
    return version.nextRow() ? int(version.integer(0)) : -1;
}

ImportSettings Database::importSettings() const {
    std::lock_guard lock(mutex_);
    Statement select(connection_.get(), "SELECT key, value FROM settings");
    QString name;
    std::optional<int> bitRate;
    while (select.nextRow()) {
        if (select.text(0) == QLatin1String("encoder")) {
            name = select.text(1);
        } else if (select.text(0) == QLatin1String("bitrate")) {
            bool valid = false;
            const int value = select.text(1).toInt(&valid);
            bitRate = valid ? std::optional(value) : std::nullopt;
        }
    }
    const ImportSettings fallback = defaultSettings(encoderNamed(name).value_or(Encoder::Aac));
    const ImportSettings stored{fallback.encoder, bitRate.value_or(fallback.bitRate)};
    return settingsProblem(stored) ? fallback : stored;
}

bool Database::storeImportSettings(const ImportSettings& settings) {
    std::lock_guard lock(mutex_);
    sqlite::Transaction transaction(connection_.get());
    Statement store(connection_.get(),
                    "INSERT OR REPLACE INTO settings (key, value) VALUES ('encoder', ?1), "
                    "('bitrate', ?2)");
    store.bind(1, encoderName(settings.encoder)).bind(2, QString::number(settings.bitRate));
    return (transaction.began() && store.run() && transaction.commit()) || fail();
}

std::optional<qint64> Database::insertTrack(const NewTrack& track) {
    std::lock_guard lock(mutex_);
    Statement insert(connection_.get(),
                     "INSERT INTO tracks (file, kind, name, duration, sample_rate, channels, "
                     "bit_rate, size, date_added) VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9)");
    insert.bind(1, track.file)
        .bind(2, track.kind)
        .bind(3, track.name)
        .bind(4, track.duration)
        .bind(5, qint64(track.sampleRate))
        .bind(6, qint64(track.channels))
        .bind(7, qint64(track.bitRate))
        .bind(8, track.size)
        .bind(9, track.dateAdded.toUTC().toString(Qt::ISODateWithMs));
    if (!insert.run()) {
        fail();
        return std::nullopt;
    }
    return sqlite3_last_insert_rowid(connection_.get());
}

bool Database::setProperty(qint64 id, const TrackProperty& property, const PropertyValue& value) {
    // The column comes from the fixed property table, never from the caller.
    const QByteArray sql = "UPDATE tracks SET \"" + QByteArray(property.column) +
                           "\" = ?1, tags_dirty = tags_dirty + 1 WHERE id = ?2";
    std::lock_guard lock(mutex_);
    Statement update(connection_.get(), sql.constData());
    bindValue(update, 1, value);
    update.bind(2, id);
    return update.run() || fail();
}

std::optional<TrackRecord> Database::track(qint64 id) const {
    static const QByteArray sql = selectTracksSql() + " WHERE id = ?1";
    std::lock_guard lock(mutex_);
    Statement select(connection_.get(), sql.constData());
    select.bind(1, id);
    if (select.nextRow()) {
        return recordFromRow(select);
    }
    if (select.failed()) {
        fail();
    }
    return std::nullopt;
}

QList<TrackRecord> Database::tracks() const {
    static const QByteArray sql = selectTracksSql() + " ORDER BY id";
    std::lock_guard lock(mutex_);
    Statement select(connection_.get(), sql.constData());
    QList<TrackRecord> records;
    while (select.nextRow()) {
        records.append(recordFromRow(select));
    }
    if (select.failed()) {
        fail();
    }
    return records;
}

qint64 Database::trackCount() const {
    std::lock_guard lock(mutex_);
    Statement count(connection_.get(), "SELECT count(*) FROM tracks");
    if (count.nextRow()) {
        return count.integer(0);
    }
    fail();
    return -1;
}

QList<qint64> Database::tracksWithDirtyTags() const {
    std::lock_guard lock(mutex_);
    Statement select(connection_.get(), "SELECT id FROM tracks WHERE tags_dirty != 0 ORDER BY id");
    QList<qint64> ids;
    while (select.nextRow()) {
        ids.append(select.integer(0));
    }
    return ids;
}

bool Database::markTagsWritten(qint64 id, qint64 dirty, qint64 size) {
    std::lock_guard lock(mutex_);
    Statement update(connection_.get(),
                     "UPDATE tracks SET size = ?3, "
                     "tags_dirty = CASE WHEN tags_dirty = ?2 THEN 0 ELSE tags_dirty END "
                     "WHERE id = ?1");
    update.bind(1, id).bind(2, dirty).bind(3, size);
    return update.run() || fail();
}

QString Database::lastError() const {
    std::lock_guard lock(mutex_);
    return lastError_;
}

} // namespace decant::library
