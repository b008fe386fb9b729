#pragma once

// The tracks table's rows as TrackRecords, and what an encoding writes into
// a row, bound by name.
#include "library/model/Loudness.h"
#include "library/model/TrackProperty.h"
#include "library/model/TrackRecord.h"
#include "library/store/NewTrack.h"
#include "library/store/Statement.h"

#include <QByteArray>

#include <optional>

namespace decant::library {

// SELECT of every column recordFromRow reads, from the tracks table, and
// then `rest` (" WHERE id = :id").
QByteArray selectTracksSql(const char* rest);

TrackRecord recordFromRow(const sqlite::Statement& row);

void bindValue(sqlite::Statement& statement, const char* name, const PropertyValue& value);

// Binds a loudness and its peak, or two nulls.
void bindLoudness(sqlite::Statement& statement, const char* loudnessName, const char* peakName,
                  const std::optional<Loudness>& loudness);

// Binds what an encoding gives a track: :file, :kind, :duration,
// :sample_rate, :channels, :bit_rate, :size, :audio_md5, :encoder,
// :encoder_bit_rate; what was proven of it: :source_format, :verified,
// :verified_md5, :verified_at; and what was measured: :loudness, :peak.
void bindEncoding(sqlite::Statement& statement, const QString& file, const NewTrack& track);

// INSERT of a whole row, every column bindRecord binds: :id (null for a new
// one), the columns of recordFromRow and each property's under its column
// name (":album_artist").
QByteArray insertRecordSql();
void bindRecord(sqlite::Statement& statement, const TrackRecord& record);

} // namespace decant::library
