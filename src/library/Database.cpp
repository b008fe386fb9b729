#include "library/Database.h"

#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <array>
#include <thread>

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
    // Where each track came from, so that importing a file again finds its
    // track, and the journal of files on their way into place.
    R"sql(
    ALTER TABLE tracks ADD COLUMN source TEXT;
    ALTER TABLE tracks ADD COLUMN audio_md5 TEXT;
    ALTER TABLE tracks ADD COLUMN encoder TEXT;
    ALTER TABLE tracks ADD COLUMN encoder_bit_rate INTEGER;
    -- Files used to be named after their source, a path hash, with " 2",
    -- " 3"... for copies: that is all an older library tells of its sources.
    UPDATE tracks SET source = substr(file, 7, 32)
        WHERE substr(file, 1, 6) = 'Media/' AND length(file) > 39
          AND substr(file, 39, 1) IN ('.', ' ')
          AND NOT substr(file, 7, 32) GLOB '*[^0-9a-f]*';
    CREATE UNIQUE INDEX tracks_by_source ON tracks(source, audio_md5);
    CREATE INDEX tracks_by_file ON tracks(file);
    CREATE TABLE file_moves (
        track_id INTEGER PRIMARY KEY,
        pending TEXT NOT NULL,
        replaced TEXT
    );
    )sql",
    // Cover art, stored once however many tracks share it, and why the last
    // image given for a track was skipped; the files of removed tracks on
    // their way to the trash.
    R"sql(
    CREATE TABLE artwork (digest TEXT PRIMARY KEY, data BLOB NOT NULL);
    ALTER TABLE tracks ADD COLUMN artwork TEXT;
    ALTER TABLE tracks ADD COLUMN artwork_note TEXT;
    CREATE INDEX tracks_by_artwork ON tracks(artwork) WHERE artwork IS NOT NULL;
    CREATE TABLE file_removals (file TEXT PRIMARY KEY);
    )sql",
    // What decoding each file back proved, and its loudness.
    R"sql(
    ALTER TABLE tracks ADD COLUMN source_format TEXT;
    ALTER TABLE tracks ADD COLUMN verified TEXT;
    ALTER TABLE tracks ADD COLUMN verified_md5 TEXT;
    ALTER TABLE tracks ADD COLUMN verified_at TEXT;
    ALTER TABLE tracks ADD COLUMN loudness REAL;
    ALTER TABLE tracks ADD COLUMN peak REAL;
    ALTER TABLE tracks ADD COLUMN album_loudness REAL;
    ALTER TABLE tracks ADD COLUMN album_peak REAL;
    )sql",
};
static_assert(migrations.size() == Database::schemaVersion);

// id ... artwork_note, before the properties
constexpr int fixedColumns = 16;
// Leaves room for " 99999" before the extension within the usual name limit.
constexpr int mostCopies = 100000;

// After the properties, so that their columns keep their numbers.
constexpr const char* proofAndLoudnessColumns =
    ", source_format, verified, verified_md5, verified_at, loudness, peak, album_loudness, "
    "album_peak";

QByteArray selectTracksSql() {
    QByteArray sql = "SELECT id, file, kind, duration, sample_rate, channels, bit_rate, size, "
                     "date_added, tags_dirty, source, audio_md5, encoder, encoder_bit_rate, "
                     "artwork, artwork_note";
    for (const TrackProperty& property : trackProperties()) {
        sql += ", \"" + QByteArray(property.column) + '"';
    }
    return sql + proofAndLoudnessColumns + " FROM tracks";
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

std::optional<ImportSettings> settingsFromRow(const Statement& row, int column) {
    const auto encoder = row.isNull(column) ? std::nullopt : encoderNamed(row.text(column));
    if (!encoder) {
        return std::nullopt;
    }
    return ImportSettings{*encoder, int(row.integer(column + 1))};
}

std::optional<Loudness> loudnessFromRow(const Statement& row, int column) {
    if (row.isNull(column)) {
        return std::nullopt;
    }
    return Loudness{row.real(column), row.real(column + 1)};
}

// The columns of proofAndLoudnessColumns, from `column` on.
void readProofAndLoudness(const Statement& row, int column, TrackRecord& record) {
    record.sourceFormat = row.text(column);
    record.verification.proof = proofNamed(row.text(column + 1));
    record.verification.digest = row.text(column + 2);
    record.verification.when = QDateTime::fromString(row.text(column + 3), Qt::ISODateWithMs);
    record.loudness = loudnessFromRow(row, column + 4);
    record.albumLoudness = loudnessFromRow(row, column + 6);
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
    record.source = row.text(10);
    record.audioDigest = row.text(11);
    record.encodedWith = settingsFromRow(row, 12);
    record.artwork = row.text(14);
    record.artworkNote = row.text(15);
    int column = fixedColumns;
    for (const TrackProperty& property : trackProperties()) {
        if (!row.isNull(column)) {
            record.properties.insert(QString::fromLatin1(property.scriptingName),
                                     columnValue(row, column, property.kind));
        }
        ++column;
    }
    readProofAndLoudness(row, column, record);
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

// Binds what an encoding gives a track, at ?1 ... ?10.
void bindEncoding(Statement& statement, const QString& file, const NewTrack& track) {
    statement.bind(1, file)
        .bind(2, track.kind)
        .bind(3, track.duration)
        .bind(4, qint64(track.sampleRate))
        .bind(5, qint64(track.channels))
        .bind(6, qint64(track.bitRate))
        .bind(7, track.size)
        .bind(8, track.audioDigest)
        .bind(9, encoderName(track.settings.encoder))
        .bind(10, qint64(track.settings.bitRate));
}

void bindLoudness(Statement& statement, int index, const std::optional<Loudness>& loudness) {
    if (loudness) {
        statement.bind(index, loudness->integrated).bind(index + 1, loudness->peak);
    } else {
        statement.bindNull(index).bindNull(index + 1);
    }
}

// Binds what was proven of an encoding and measured of its audio, at ?20 ...
// ?25.
void bindProofAndLoudness(Statement& statement, const NewTrack& track) {
    const Verification& verification = track.verification;
    statement.bind(20, track.sourceFormat);
    if (verification.proof == Verification::Proof::None) {
        statement.bindNull(21).bindNull(22).bindNull(23);
    } else {
        statement.bind(21, proofName(verification.proof))
            .bind(22, verification.digest)
            .bind(23, verification.when.toUTC().toString(Qt::ISODateWithMs));
    }
    bindLoudness(statement, 24, track.loudness);
}

// "Media/song.m4a" as its copy number `copy`: "Media/song 2.m4a".
QString numberedName(const QString& file, int copy) {
    if (copy == 1) {
        return file;
    }
    const qsizetype dot = file.lastIndexOf(u'.');
    const bool hasExtension = dot > file.lastIndexOf(u'/') + 1;
    const QString base = hasExtension ? file.left(dot) : file;
    const QString extension = hasExtension ? file.mid(dot) : QString();
    return QStringLiteral("%1 %2%3").arg(base).arg(copy).arg(extension);
}

QString extensionOf(const QString& file) {
    const qsizetype dot = file.lastIndexOf(u'.');
    return dot > file.lastIndexOf(u'/') + 1 ? file.mid(dot) : QString();
}

// The commits made while one exists are synced to disk (FULL), so that they
// survive a power cut; the connection's others survive only a crash of the
// process (NORMAL), which costs no sync. Made outside any transaction: the
// setting is read when a transaction commits.
class SyncedCommits {
public:
    explicit SyncedCommits(sqlite3* connection)
        : connection_(connection) {
        sqlite::execute(connection_, "PRAGMA synchronous = FULL");
    }
    ~SyncedCommits() { sqlite::execute(connection_, "PRAGMA synchronous = NORMAL"); }
    SyncedCommits(const SyncedCommits&) = delete;
    SyncedCommits& operator=(const SyncedCommits&) = delete;

private:
    sqlite3* connection_;
};

} // namespace

std::unique_ptr<Database> Database::open(const QString& path, Access access, QString* error,
                                         std::chrono::milliseconds busyTimeout) {
    const bool readOnly = access == Access::ReadOnly;
    if (readOnly && !QFileInfo(path).isFile()) {
        *error = QStringLiteral("no library database at %1").arg(path);
        return nullptr;
    }
    sqlite3* raw = nullptr;
    const int flags =
        (readOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE) |
        SQLITE_OPEN_FULLMUTEX;
    const int result = sqlite3_open_v2(QFile::encodeName(path).constData(), &raw, flags, nullptr);
    sqlite::Connection connection(raw);
    if (result != SQLITE_OK) {
        *error = QStringLiteral("cannot open %1: %2")
                     .arg(path, connection ? sqlite::describeFailure(raw)
                                           : QString::fromUtf8(sqlite3_errstr(result)));
        return nullptr;
    }
    auto database = std::make_unique<Database>(std::move(connection), access, busyTimeout);
    QString reason;
    if (!database->configure(&reason) || !database->migrate(&reason)) {
        *error = QStringLiteral("cannot use %1: %2").arg(path, reason);
        return nullptr;
    }
    return database;
}

Database::Database(sqlite::Connection connection, Access access,
                   std::chrono::milliseconds busyTimeout)
    : connection_(std::move(connection))
    , access_(access)
    , busyTimeout_(busyTimeout) {}

void Database::setAbandonWait(std::function<bool()> abandon) {
    abandonWait_ = std::move(abandon);
}

// Runs on whichever thread waits, with the database's lock held.
int Database::waitWhileBusy(void* context, int attempts) {
    const auto* database = static_cast<const Database*>(context);
    constexpr auto step = std::chrono::milliseconds(10);
    if (attempts * step >= database->busyTimeout_ ||
        (database->abandonWait_ && database->abandonWait_())) {
        return 0;
    }
    std::this_thread::sleep_for(step);
    return 1;
}

bool Database::configure(QString* error) {
    sqlite3_busy_handler(connection_.get(), waitWhileBusy, this);
    sqlite3_extended_result_codes(connection_.get(), 1);
    if (access_ == Access::ReadOnly) {
        return true;
    }
    // WAL lets the tool read while Decant writes. NORMAL: see SyncedCommits.
    Statement journal(connection_.get(), "PRAGMA journal_mode = WAL");
    if (!journal.nextRow() || journal.text(0) != QLatin1String("wal")) {
        *error = journal.failed() ? describeLastFailure()
                                  : QStringLiteral("the database refuses write-ahead logging");
        return false;
    }
    return sqlite::execute(connection_.get(), "PRAGMA synchronous = NORMAL", error);
}

bool Database::migrate(QString* error) {
    Statement version(connection_.get(), "PRAGMA user_version");
    if (!version.nextRow()) {
        *error = describeLastFailure();
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
    const SyncedCommits synced(connection_.get());
    sqlite::Transaction transaction(connection_.get());
    if (!transaction.began()) {
        *error = describeLastFailure();
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
            *error = describeLastFailure();
        }
        return false;
    }
    return true;
}

QString Database::describeLastFailure() const {
    QString description = sqlite::describeFailure(connection_.get());
    const int code = sqlite3_extended_errcode(connection_.get()) & 0xff;
    if (code == SQLITE_BUSY || code == SQLITE_LOCKED) {
        description += QStringLiteral(" (still busy after %1 s)")
                           .arg(double(busyTimeout_.count()) / 1000, 0, 'g', 3);
    }
    return description;
}

bool Database::fail() const {
    lastError_ = describeLastFailure();
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
    const SyncedCommits synced(connection_.get());
    sqlite::Transaction transaction(connection_.get());
    Statement store(connection_.get(),
                    "INSERT OR REPLACE INTO settings (key, value) VALUES ('encoder', ?1), "
                    "('bitrate', ?2)");
    store.bind(1, encoderName(settings.encoder)).bind(2, QString::number(settings.bitRate));
    return (transaction.began() && store.run() && transaction.commit()) || fail();
}

bool Database::soundCheck() const {
    std::lock_guard lock(mutex_);
    Statement select(connection_.get(), "SELECT value FROM settings WHERE key = 'soundcheck'");
    return !select.nextRow() || select.text(0) != QLatin1String("off");
}

bool Database::storeSoundCheck(bool on) {
    std::lock_guard lock(mutex_);
    const SyncedCommits synced(connection_.get());
    Statement store(connection_.get(),
                    "INSERT OR REPLACE INTO settings (key, value) VALUES ('soundcheck', ?1)");
    store.bind(1, on ? QStringLiteral("on") : QStringLiteral("off"));
    return store.run() || fail();
}

bool Database::canWrite() {
    std::lock_guard lock(mutex_);
    const sqlite::Transaction probe(connection_.get());
    return probe.began() || fail();
}

std::optional<TrackRecord> Database::trackFromSource(const QString& source,
                                                     const QString& digest) const {
    static const QByteArray sql = selectTracksSql() +
                                  " WHERE source = ?1 AND (audio_md5 = ?2 OR audio_md5 IS NULL)"
                                  " ORDER BY audio_md5 IS NULL, id LIMIT 1";
    std::lock_guard lock(mutex_);
    Statement select(connection_.get(), sql.constData());
    select.bind(1, source).bind(2, digest);
    if (select.nextRow()) {
        return recordFromRow(select);
    }
    if (select.failed()) {
        fail();
    }
    return std::nullopt;
}

bool Database::nameIsListed(const QString& file) {
    Statement listed(connection_.get(), "SELECT 1 FROM tracks WHERE file = ?1 "
                                        "UNION ALL SELECT 1 FROM file_moves WHERE pending = ?1 "
                                        "UNION ALL SELECT 1 FROM file_removals WHERE file = ?1");
    listed.bind(1, file);
    return listed.nextRow() || listed.failed();
}

std::optional<QString> Database::freeName(const QString& wanted, const NameIsFree& isFree,
                                          const QString& own) {
    for (int copy = 1; copy <= mostCopies; ++copy) {
        const QString name = numberedName(wanted, copy);
        if (name == own || (!nameIsListed(name) && isFree(name))) {
            return name;
        }
    }
    lastError_ = QStringLiteral("every name like %1 is taken").arg(wanted);
    return std::nullopt;
}

std::optional<Recording> Database::recordNewTrack(const NewTrack& track, const QString& pending,
                                                  const NameIsFree& isFree) {
    std::lock_guard lock(mutex_);
    {
        const SyncedCommits synced(connection_.get());
        sqlite::Transaction transaction(connection_.get());
        if (!transaction.began()) {
            fail();
            return std::nullopt;
        }
        const auto file = freeName(track.file, isFree);
        if (!file) {
            return std::nullopt;
        }
        // A measured track's file lacks the tags its loudness gives until
        // the tag writer writes them.
        Statement insert(connection_.get(),
                         "INSERT INTO tracks (file, kind, duration, sample_rate, channels, "
                         "bit_rate, size, audio_md5, encoder, encoder_bit_rate, name, "
                         "date_added, source, tags_dirty, source_format, verified, verified_md5, "
                         "verified_at, loudness, peak) "
                         "VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11, ?12, ?13, "
                         "?24 IS NOT NULL, ?20, ?21, ?22, ?23, ?24, ?25)");
        bindEncoding(insert, *file, track);
        bindProofAndLoudness(insert, track);
        insert.bind(11, track.name)
            .bind(12, track.dateAdded.toUTC().toString(Qt::ISODateWithMs))
            .bind(13, track.source);
        const bool inserted = insert.run();
        const int code = sqlite3_extended_errcode(connection_.get());
        if (inserted) {
            const qint64 id = sqlite3_last_insert_rowid(connection_.get());
            Statement move(connection_.get(),
                           "INSERT INTO file_moves (track_id, pending) VALUES (?1, ?2)");
            move.bind(1, id).bind(2, pending);
            if (move.run() && transaction.commit()) {
                return Recording{id, *file, {}, false};
            }
        }
        if (code != SQLITE_CONSTRAINT_UNIQUE) {
            fail();
            return std::nullopt;
        }
    }
    // Recorded by another process since this one looked.
    static const QByteArray sql =
        "SELECT id, file FROM tracks WHERE source = ?1 AND audio_md5 = ?2";
    Statement held(connection_.get(), sql.constData());
    held.bind(1, track.source).bind(2, track.audioDigest);
    if (!held.nextRow()) {
        fail();
        return std::nullopt;
    }
    return Recording{held.integer(0), held.text(1), {}, true};
}

std::optional<Recording> Database::recordReplacement(qint64 id, const NewTrack& track,
                                                     const QString& pending,
                                                     const NameIsFree& isFree) {
    std::lock_guard lock(mutex_);
    const SyncedCommits synced(connection_.get());
    sqlite::Transaction transaction(connection_.get());
    if (!transaction.began()) {
        fail();
        return std::nullopt;
    }
    Statement current(connection_.get(), "SELECT file FROM tracks WHERE id = ?1");
    current.bind(1, id);
    if (!current.nextRow()) {
        if (current.failed()) {
            fail();
        } else {
            lastError_ = QStringLiteral("the track is no longer in the library");
        }
        return std::nullopt;
    }
    const QString replaced = current.text(0);
    const QString extension = extensionOf(track.file);
    std::optional<QString> file = replaced;
    if (extensionOf(replaced) != extension) {
        file = freeName(replaced.left(replaced.size() - extensionOf(replaced).size()) + extension,
                        isFree);
    }
    if (!file) {
        return std::nullopt;
    }
    Statement update(connection_.get(),
                     "UPDATE tracks SET file = ?1, kind = ?2, duration = ?3, sample_rate = ?4, "
                     "channels = ?5, bit_rate = ?6, size = ?7, audio_md5 = ?8, encoder = ?9, "
                     "encoder_bit_rate = ?10, tags_dirty = tags_dirty + 1, source_format = ?20, "
                     "verified = ?21, verified_md5 = ?22, verified_at = ?23, "
                     "peak = CASE WHEN ?24 IS NULL THEN peak ELSE ?25 END, "
                     "loudness = coalesce(?24, loudness) WHERE id = ?11");
    bindEncoding(update, *file, track);
    bindProofAndLoudness(update, track);
    update.bind(11, id);
    Statement move(connection_.get(),
                   "INSERT INTO file_moves (track_id, pending, replaced) VALUES (?1, ?2, ?3)");
    move.bind(1, id).bind(2, pending).bind(3, replaced);
    if (update.run() && move.run() && transaction.commit()) {
        return Recording{id, *file, replaced, false};
    }
    fail();
    return std::nullopt;
}

QList<FileMove> Database::fileMoves() const {
    std::lock_guard lock(mutex_);
    Statement select(connection_.get(),
                     "SELECT m.track_id, t.file, m.pending, m.replaced FROM file_moves m "
                     "JOIN tracks t ON t.id = m.track_id ORDER BY m.track_id");
    QList<FileMove> moves;
    while (select.nextRow()) {
        moves.append({select.integer(0), select.text(1), select.text(2), select.text(3)});
    }
    if (select.failed()) {
        fail();
    }
    return moves;
}

std::optional<FileMove> Database::fileMove(qint64 trackId) const {
    for (const FileMove& move : fileMoves()) {
        if (move.trackId == trackId) {
            return move;
        }
    }
    return std::nullopt;
}

std::optional<QString> Database::renameMoveTarget(qint64 trackId, const NameIsFree& isFree) {
    std::lock_guard lock(mutex_);
    const SyncedCommits synced(connection_.get());
    sqlite::Transaction transaction(connection_.get());
    Statement current(connection_.get(), "SELECT file FROM tracks WHERE id = ?1");
    current.bind(1, trackId);
    if (!transaction.began() || !current.nextRow()) {
        fail();
        return std::nullopt;
    }
    const auto file = freeName(current.text(0), isFree);
    if (!file) {
        return std::nullopt;
    }
    Statement update(connection_.get(), "UPDATE tracks SET file = ?1 WHERE id = ?2");
    update.bind(1, *file).bind(2, trackId);
    if (update.run() && transaction.commit()) {
        return file;
    }
    fail();
    return std::nullopt;
}

bool Database::finishFileMoves(const QList<qint64>& trackIds) {
    std::lock_guard lock(mutex_);
    sqlite::Transaction transaction(connection_.get());
    if (!transaction.began()) {
        return fail();
    }
    for (const qint64 trackId : trackIds) {
        Statement remove(connection_.get(), "DELETE FROM file_moves WHERE track_id = ?1");
        remove.bind(1, trackId);
        if (!remove.run()) {
            return fail();
        }
    }
    return transaction.commit() || fail();
}

std::optional<QList<FileMove>> Database::recordRelocations(const QList<WantedName>& names,
                                                           const NameIsFree& isFree) {
    std::lock_guard lock(mutex_);
    const SyncedCommits synced(connection_.get());
    sqlite::Transaction transaction(connection_.get());
    if (!transaction.began()) {
        fail();
        return std::nullopt;
    }
    QList<FileMove> moves;
    for (const WantedName& name : names) {
        Statement current(connection_.get(),
                          "SELECT 1 FROM tracks WHERE id = ?1 AND file = ?2 AND NOT EXISTS "
                          "(SELECT 1 FROM file_moves WHERE track_id = ?1)");
        current.bind(1, name.trackId).bind(2, name.file);
        if (!current.nextRow()) {
            if (current.failed()) {
                fail();
                return std::nullopt;
            }
            continue;
        }
        const auto file = freeName(name.wanted, isFree, name.file);
        if (!file || *file == name.file) {
            continue;
        }
        Statement update(connection_.get(), "UPDATE tracks SET file = ?1 WHERE id = ?2");
        update.bind(1, *file).bind(2, name.trackId);
        Statement move(connection_.get(),
                       "INSERT INTO file_moves (track_id, pending) VALUES (?1, ?2)");
        move.bind(1, name.trackId).bind(2, name.file);
        if (!update.run() || !move.run()) {
            fail();
            return std::nullopt;
        }
        moves.append({name.trackId, *file, name.file, {}});
    }
    if (!transaction.commit()) {
        fail();
        return std::nullopt;
    }
    return moves;
}

bool Database::undoRelocation(qint64 trackId, const QString& file) {
    std::lock_guard lock(mutex_);
    sqlite::Transaction transaction(connection_.get());
    Statement update(connection_.get(), "UPDATE tracks SET file = ?1 WHERE id = ?2");
    update.bind(1, file).bind(2, trackId);
    Statement move(connection_.get(), "DELETE FROM file_moves WHERE track_id = ?1");
    move.bind(1, trackId);
    return (transaction.began() && update.run() && move.run() && transaction.commit()) || fail();
}

bool Database::forgetUnusedArtwork(const QString& digest) {
    Statement forget(connection_.get(), "DELETE FROM artwork WHERE digest = ?1 AND NOT EXISTS "
                                        "(SELECT 1 FROM tracks WHERE artwork = ?1)");
    forget.bind(1, digest);
    return digest.isEmpty() || forget.run();
}

bool Database::removeTrack(qint64 id) {
    std::lock_guard lock(mutex_);
    const SyncedCommits synced(connection_.get());
    sqlite::Transaction transaction(connection_.get());
    Statement artwork(connection_.get(), "SELECT artwork FROM tracks WHERE id = ?1");
    artwork.bind(1, id);
    const QString digest = transaction.began() && artwork.nextRow() ? artwork.text(0) : QString();
    Statement move(connection_.get(), "DELETE FROM file_moves WHERE track_id = ?1");
    Statement track(connection_.get(), "DELETE FROM tracks WHERE id = ?1");
    move.bind(1, id);
    track.bind(1, id);
    return (transaction.began() && !artwork.failed() && move.run() && track.run() &&
            forgetUnusedArtwork(digest) && transaction.commit()) ||
           fail();
}

std::optional<QString> Database::recordRemoval(qint64 id) {
    std::lock_guard lock(mutex_);
    const SyncedCommits synced(connection_.get());
    sqlite::Transaction transaction(connection_.get());
    Statement current(connection_.get(),
                      "SELECT t.file, t.artwork, m.track_id IS NOT NULL FROM tracks t "
                      "LEFT JOIN file_moves m ON m.track_id = t.id WHERE t.id = ?1");
    current.bind(1, id);
    if (!transaction.began() || !current.nextRow()) {
        if (current.failed() || !transaction.began()) {
            fail();
        } else {
            lastError_ = QStringLiteral("there is no track %1").arg(id);
        }
        return std::nullopt;
    }
    if (current.integer(2) != 0) {
        lastError_ =
            QStringLiteral("track %1 is being imported again; try once that is done").arg(id);
        return std::nullopt;
    }
    const QString file = current.text(0);
    Statement track(connection_.get(), "DELETE FROM tracks WHERE id = ?1");
    track.bind(1, id);
    Statement removal(connection_.get(), "INSERT OR IGNORE INTO file_removals (file) VALUES (?1)");
    removal.bind(1, file);
    if (track.run() && removal.run() && forgetUnusedArtwork(current.text(1)) &&
        transaction.commit()) {
        return file;
    }
    fail();
    return std::nullopt;
}

QStringList Database::fileRemovals() const {
    std::lock_guard lock(mutex_);
    Statement select(connection_.get(), "SELECT file FROM file_removals ORDER BY file");
    QStringList files;
    while (select.nextRow()) {
        files.append(select.text(0));
    }
    if (select.failed()) {
        fail();
    }
    return files;
}

bool Database::finishFileRemoval(const QString& file) {
    std::lock_guard lock(mutex_);
    Statement remove(connection_.get(), "DELETE FROM file_removals WHERE file = ?1");
    remove.bind(1, file);
    return remove.run() || fail();
}

bool Database::forgetEncoding(qint64 id) {
    std::lock_guard lock(mutex_);
    const SyncedCommits synced(connection_.get());
    Statement update(connection_.get(),
                     "UPDATE tracks SET encoder = NULL, encoder_bit_rate = NULL WHERE id = ?1");
    update.bind(1, id);
    return update.run() || fail();
}

PropertyChange Database::setProperty(qint64 id, const TrackProperty& property,
                                     const PropertyValue& value) {
    // The column comes from the fixed property table, never from the caller.
    const QByteArray column = '"' + QByteArray(property.column) + '"';
    const QByteArray sql = "UPDATE tracks SET " + column +
                           " = ?1, tags_dirty = tags_dirty + 1 WHERE id = ?2 AND " + column +
                           " IS NOT ?1";
    std::lock_guard lock(mutex_);
    Statement update(connection_.get(), sql.constData());
    bindValue(update, 1, value);
    update.bind(2, id);
    if (!update.run()) {
        fail();
        return PropertyChange::Failed;
    }
    return sqlite3_changes(connection_.get()) > 0 ? PropertyChange::Changed
                                                  : PropertyChange::Unchanged;
}

PropertyChange Database::setArtwork(qint64 id, const Artwork& artwork) {
    std::lock_guard lock(mutex_);
    sqlite::Transaction transaction(connection_.get());
    Statement current(connection_.get(), "SELECT artwork FROM tracks WHERE id = ?1");
    current.bind(1, id);
    if (!transaction.began() || !current.nextRow()) {
        if (current.failed() || !transaction.began()) {
            fail();
            return PropertyChange::Failed;
        }
        return PropertyChange::Unchanged; // the track is gone
    }
    const QString replaced = current.text(0);
    Statement clearNote(connection_.get(), "UPDATE tracks SET artwork_note = NULL WHERE id = ?1");
    clearNote.bind(1, id);
    const bool same = replaced == artwork.digest;
    Statement store(connection_.get(),
                    "INSERT OR IGNORE INTO artwork (digest, data) VALUES (?1, ?2)");
    store.bind(1, artwork.digest).bindBlob(2, artwork.data);
    Statement update(connection_.get(), "UPDATE tracks SET artwork = ?1, "
                                        "tags_dirty = tags_dirty + 1 WHERE id = ?2");
    update.bind(1, artwork.digest).bind(2, id);
    if (clearNote.run() &&
        (same || (store.run() && update.run() && forgetUnusedArtwork(replaced))) &&
        transaction.commit()) {
        return same ? PropertyChange::Unchanged : PropertyChange::Changed;
    }
    fail();
    return PropertyChange::Failed;
}

bool Database::noteSkippedArtwork(qint64 id, const QString& reason) {
    std::lock_guard lock(mutex_);
    Statement note(connection_.get(), "UPDATE tracks SET artwork_note = ?1 WHERE id = ?2");
    note.bind(1, reason).bind(2, id);
    return note.run() || fail();
}

std::optional<Artwork> Database::artwork(const QString& digest) const {
    std::lock_guard lock(mutex_);
    Statement select(connection_.get(), "SELECT data FROM artwork WHERE digest = ?1");
    select.bind(1, digest);
    if (!select.nextRow()) {
        if (select.failed()) {
            fail();
        }
        return std::nullopt;
    }
    const QByteArray data = select.blob(0);
    const auto format = imageFormatOf(data);
    if (!format) {
        return std::nullopt;
    }
    return Artwork{*format, data, digest};
}

bool Database::hasArtwork(const QString& digest) const {
    std::lock_guard lock(mutex_);
    Statement select(connection_.get(), "SELECT 1 FROM artwork WHERE digest = ?1");
    select.bind(1, digest);
    return select.nextRow();
}

PropertyChange Database::setAlbumLoudness(qint64 id, const std::optional<Loudness>& loudness) {
    std::lock_guard lock(mutex_);
    Statement update(connection_.get(),
                     "UPDATE tracks SET album_loudness = ?1, album_peak = ?2, "
                     "tags_dirty = tags_dirty + 1 "
                     "WHERE id = ?3 AND (album_loudness IS NOT ?1 OR album_peak IS NOT ?2)");
    bindLoudness(update, 1, loudness);
    update.bind(3, id);
    if (!update.run()) {
        fail();
        return PropertyChange::Failed;
    }
    return sqlite3_changes(connection_.get()) > 0 ? PropertyChange::Changed
                                                  : PropertyChange::Unchanged;
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

bool Database::markTagsWritten(const QList<WrittenTags>& written) {
    std::lock_guard lock(mutex_);
    const SyncedCommits synced(connection_.get());
    sqlite::Transaction transaction(connection_.get());
    if (!transaction.began()) {
        return fail();
    }
    for (const WrittenTags& track : written) {
        Statement update(connection_.get(),
                         "UPDATE tracks SET "
                         "size = CASE WHEN tags_dirty = ?2 THEN ?3 ELSE size END, "
                         "tags_dirty = CASE WHEN tags_dirty = ?2 THEN 0 ELSE tags_dirty END "
                         "WHERE id = ?1");
        update.bind(1, track.trackId).bind(2, track.dirty).bind(3, track.size);
        if (!update.run()) {
            return fail();
        }
    }
    return transaction.commit() || fail();
}

QString Database::lastError() const {
    std::lock_guard lock(mutex_);
    return lastError_;
}

} // namespace decant::library
