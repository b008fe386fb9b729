#include "library/TrackProperty.h"

#include <algorithm>
#include <array>

namespace decant::library {
namespace {

using enum PropertyKind;

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
    TrackProperty{"year", "year", Integer},
    TrackProperty{"trackNumber", "track_number", Integer},
    TrackProperty{"trackCount", "track_count", Integer},
    TrackProperty{"discNumber", "disc_number", Integer},
    TrackProperty{"discCount", "disc_count", Integer},
    TrackProperty{"bpm", "bpm", Integer},
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
