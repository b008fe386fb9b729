#include "library/store/TrackRows.h"

namespace decant::library {
namespace {

using sqlite::Statement;

// id ... artwork_note, before the properties
constexpr int fixedColumns = 16;

// After the properties, so that their columns keep their numbers.
constexpr const char* proofAndLoudnessColumns =
    ", source_format, verified, verified_md5, verified_at, loudness, peak, album_loudness, "
    "album_peak, (SELECT group_concat(note, char(10)) FROM property_notes "
    "WHERE track_id = tracks.id)";

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
    const auto encoder = row.isNull(column) ? std::nullopt : formatNamed(row.text(column));
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
    const QString notes = row.text(column + 8);
    record.propertyNotes = notes.isEmpty() ? QStringList() : notes.split(u'\n');
}

void bindVerification(Statement& statement, const Verification& verification) {
    if (verification.proof == Verification::Proof::None) {
        statement.bindNull(":verified").bindNull(":verified_md5").bindNull(":verified_at");
    } else {
        statement.bind(":verified", proofName(verification.proof))
            .bind(":verified_md5", verification.digest)
            .bind(":verified_at", verification.when.toUTC().toString(Qt::ISODateWithMs));
    }
}

} // namespace

QByteArray selectTracksSql(const char* rest) {
    QByteArray sql = "SELECT id, file, kind, duration, sample_rate, channels, bit_rate, size, "
                     "date_added, tags_dirty, source, audio_md5, encoder, encoder_bit_rate, "
                     "artwork, artwork_note";
    for (const TrackProperty& property : trackProperties()) {
        sql += ", \"" + QByteArray(property.column) + '"';
    }
    return sql + proofAndLoudnessColumns + " FROM tracks" + rest;
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

void bindValue(Statement& statement, const char* name, const PropertyValue& value) {
    if (const auto* text = std::get_if<QString>(&value)) {
        statement.bind(name, *text);
    } else if (const auto* integer = std::get_if<qint64>(&value)) {
        statement.bind(name, *integer);
    } else {
        statement.bind(name, qint64(std::get<bool>(value)));
    }
}

void bindLoudness(Statement& statement, const char* loudnessName, const char* peakName,
                  const std::optional<Loudness>& loudness) {
    if (loudness) {
        statement.bind(loudnessName, loudness->integrated).bind(peakName, loudness->peak);
    } else {
        statement.bindNull(loudnessName).bindNull(peakName);
    }
}

QByteArray insertRecordSql() {
    QByteArray columns = "id, file, kind, duration, sample_rate, channels, bit_rate, size, "
                         "date_added, tags_dirty, source, audio_md5, encoder, encoder_bit_rate, "
                         "artwork, artwork_note, source_format, verified, verified_md5, "
                         "verified_at, loudness, peak, album_loudness, album_peak";
    QByteArray values = ":id, :file, :kind, :duration, :sample_rate, :channels, :bit_rate, "
                        ":size, :date_added, :tags_dirty, nullif(:source, ''), "
                        "nullif(:audio_md5, ''), :encoder, :encoder_bit_rate, "
                        "nullif(:artwork, ''), nullif(:artwork_note, ''), "
                        "nullif(:source_format, ''), :verified, :verified_md5, :verified_at, "
                        ":loudness, :peak, :album_loudness, :album_peak";
    for (const TrackProperty& property : trackProperties()) {
        columns += ", \"" + QByteArray(property.column) + '"';
        values += ", :" + QByteArray(property.column);
    }
    return "INSERT INTO tracks (" + columns + ") VALUES (" + values + ")";
}

void bindRecord(Statement& statement, const TrackRecord& record) {
    if (record.id != 0) {
        statement.bind(":id", record.id);
    } else {
        statement.bindNull(":id");
    }
    statement.bind(":file", record.file)
        .bind(":kind", record.kind)
        .bind(":duration", record.duration)
        .bind(":sample_rate", record.sampleRate)
        .bind(":channels", record.channels)
        .bind(":bit_rate", record.bitRate)
        .bind(":size", record.size)
        .bind(":date_added", record.dateAdded.toUTC().toString(Qt::ISODateWithMs))
        .bind(":tags_dirty", record.tagsDirty)
        .bind(":source", record.source)
        .bind(":audio_md5", record.audioDigest)
        .bind(":artwork", record.artwork)
        .bind(":artwork_note", record.artworkNote)
        .bind(":source_format", record.sourceFormat);
    if (record.encodedWith) {
        statement.bind(":encoder", formatName(record.encodedWith->format))
            .bind(":encoder_bit_rate", record.encodedWith->bitRate);
    } else {
        statement.bindNull(":encoder").bindNull(":encoder_bit_rate");
    }
    bindVerification(statement, record.verification);
    bindLoudness(statement, ":loudness", ":peak", record.loudness);
    bindLoudness(statement, ":album_loudness", ":album_peak", record.albumLoudness);
    for (const TrackProperty& property : trackProperties()) {
        const QByteArray name = ":" + QByteArray(property.column);
        const auto value = record.properties.constFind(QLatin1String(property.scriptingName));
        if (value != record.properties.constEnd()) {
            bindValue(statement, name.constData(), *value);
        } else {
            statement.bindNull(name.constData());
        }
    }
}

void bindEncoding(Statement& statement, const QString& file, const NewTrack& track) {
    statement.bind(":file", file)
        .bind(":kind", track.kind)
        .bind(":duration", track.duration)
        .bind(":sample_rate", track.sampleRate)
        .bind(":channels", track.channels)
        .bind(":bit_rate", track.bitRate)
        .bind(":size", track.size)
        .bind(":audio_md5", track.audioDigest)
        .bind(":encoder", formatName(track.settings.format))
        .bind(":encoder_bit_rate", track.settings.bitRate)
        .bind(":source_format", track.sourceFormat);
    bindVerification(statement, track.verification);
    bindLoudness(statement, ":loudness", ":peak", track.loudness);
}

} // namespace decant::library
