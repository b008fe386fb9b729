#include "library/model/TrackProperty.h"

#include <QCoreApplication>

#include <algorithm>
#include <array>

namespace decant::library {
namespace {

using enum PropertyKind;

// MP4 keeps track and disc numbers, their counts and the tempo in 16 bits;
// ID3v2 and MP4 dates give the year four digits.
constexpr qint64 sixteenBits = 65535;
constexpr qint64 fourDigits = 9999;

// The names are those of the scripting dictionary the hand-off speaks; the
// columns are the tracks table's and must never be renamed without a
// migration.
constexpr std::array properties{
    TrackProperty{"name", "name", Text},
    TrackProperty{"artist", "artist", Text},
    TrackProperty{"albumArtist", "album_artist", Text},
    TrackProperty{"album", "album", Text},
    TrackProperty{"composer", "composer", Text},
    TrackProperty{"genre", "genre", Text},
    TrackProperty{"comment", "comment", Text},
    TrackProperty{"grouping", "grouping", Text},
    TrackProperty{"lyrics", "lyrics", Text},
    TrackProperty{"sortName", "sort_name", Text},
    TrackProperty{"sortArtist", "sort_artist", Text},
    TrackProperty{"sortAlbum", "sort_album", Text},
    TrackProperty{"sortAlbumArtist", "sort_album_artist", Text},
    TrackProperty{"sortComposer", "sort_composer", Text},
    // What taggers such as Picard write to find a recording and its
    // release again, and the credits and release details beside them.
    TrackProperty{"musicBrainzTrackId", "musicbrainz_track_id", Text},
    TrackProperty{"musicBrainzReleaseTrackId", "musicbrainz_release_track_id", Text},
    TrackProperty{"musicBrainzAlbumId", "musicbrainz_album_id", Text},
    TrackProperty{"musicBrainzArtistId", "musicbrainz_artist_id", Text},
    TrackProperty{"musicBrainzAlbumArtistId", "musicbrainz_album_artist_id", Text},
    TrackProperty{"musicBrainzReleaseGroupId", "musicbrainz_release_group_id", Text},
    TrackProperty{"musicBrainzWorkId", "musicbrainz_work_id", Text},
    TrackProperty{"acoustId", "acoustid_id", Text},
    TrackProperty{"isrc", "isrc", Text},
    TrackProperty{"label", "label", Text},
    TrackProperty{"catalogNumber", "catalog_number", Text},
    TrackProperty{"barcode", "barcode", Text},
    TrackProperty{"releaseType", "release_type", Text},
    TrackProperty{"releaseStatus", "release_status", Text},
    TrackProperty{"releaseCountry", "release_country", Text},
    TrackProperty{"originalDate", "original_date", Text},
    TrackProperty{"media", "media", Text},
    TrackProperty{"script", "script", Text},
    TrackProperty{"language", "language", Text},
    TrackProperty{"discSubtitle", "disc_subtitle", Text},
    TrackProperty{"conductor", "conductor", Text},
    TrackProperty{"remixer", "remixer", Text},
    TrackProperty{"lyricist", "lyricist", Text},
    TrackProperty{"arranger", "arranger", Text},
    TrackProperty{"producer", "producer", Text},
    TrackProperty{"engineer", "engineer", Text},
    TrackProperty{"mixer", "mixer", Text},
    TrackProperty{"mood", "mood", Text},
    TrackProperty{"copyright", "copyright", Text},
    TrackProperty{"year", "year", Integer, fourDigits, "year"},
    TrackProperty{"trackNumber", "track_number", Integer, sixteenBits,
                  QT_TRANSLATE_NOOP("decant::TrackProperty", "track number")},
    TrackProperty{"trackCount", "track_count", Integer, sixteenBits,
                  QT_TRANSLATE_NOOP("decant::TrackProperty", "track count")},
    TrackProperty{"discNumber", "disc_number", Integer, sixteenBits,
                  QT_TRANSLATE_NOOP("decant::TrackProperty", "disc number")},
    TrackProperty{"discCount", "disc_count", Integer, sixteenBits,
                  QT_TRANSLATE_NOOP("decant::TrackProperty", "disc count")},
    TrackProperty{"bpm", "bpm", Integer, sixteenBits, "tempo"},
    TrackProperty{"compilation", "compilation", Boolean},
};

} // namespace

std::span<const TrackProperty> trackProperties() {
    return properties;
}

const TrackProperty* findTrackProperty(const QString& scriptingName) {
    const auto found = std::find_if(properties.begin(), properties.end(), [&](const auto& entry) {
        return scriptingName == QLatin1String(entry.scriptingName);
    });
    return found == properties.end() ? nullptr : &*found;
}

std::optional<PropertyKind> propertyKind(const QString& scriptingName) {
    const TrackProperty* property = findTrackProperty(scriptingName);
    return property ? std::optional(property->kind) : std::nullopt;
}

std::optional<QString> valueProblem(const TrackProperty& property, const PropertyValue& value) {
    const auto* number = std::get_if<qint64>(&value);
    if (property.kind != Integer || !number || (*number >= 0 && *number <= property.largest)) {
        return std::nullopt;
    }
    return QCoreApplication::translate("decant::TrackProperty",
                                       "The %1 %2 was dropped: it is out of range (0 to %3).")
        .arg(QCoreApplication::translate("decant::TrackProperty", property.label))
        .arg(*number)
        .arg(property.largest);
}

std::optional<PropertyValue> coerceToKind(const PropertyValue& value, PropertyKind kind) {
    const auto* integer = std::get_if<qint64>(&value);
    const auto* boolean = std::get_if<bool>(&value);
    switch (kind) {
    case Text:
        if (integer) {
            return QString::number(*integer);
        }
        if (boolean) {
            return QString::number(int(*boolean));
        }
        return value;
    case Integer:
        if (boolean) {
            return qint64(*boolean);
        }
        return integer ? std::optional(value) : std::nullopt;
    case Boolean:
        if (integer) {
            return *integer != 0;
        }
        return boolean ? std::optional(value) : std::nullopt;
    }
    return std::nullopt;
}

} // namespace decant::library
