#pragma once

#include <QString>

#include <optional>
#include <span>
#include <variant>

namespace decant::library {

enum class PropertyKind { Text, Integer, Boolean };

using PropertyValue = std::variant<QString, qint64, bool>;

// One property a track can be given by its scripting name ("albumArtist").
struct TrackProperty {
    const char* scriptingName;
    const char* column; // in the tracks table
    PropertyKind kind;
    // For a number, the largest value it may take: what every format the
    // library writes can hold, since a track may be encoded again in any of
    // them. 0 for text and truth values.
    qint64 largest = 0;
    // For a number, how a note names it: "disc number", marked for translation
    // so the note reads in one language.
    const char* label = "";
};

// A text property with several values (two artists, say) holds them in one
// text, separated by this character, as ID3v2.4 separates them; the tags
// written give each value its own field where the format can.
inline constexpr QChar valueSeparator = u'\0';

// Every settable property, in the order the tool and the tag writer use.
std::span<const TrackProperty> trackProperties();

// The property with this scripting name (exact, case-sensitive), or null.
const TrackProperty* findTrackProperty(const QString& scriptingName);

// The kind of the named property; nothing for an unknown name.
std::optional<PropertyKind> propertyKind(const QString& scriptingName);

// The value in the property's kind, or nothing when it cannot be one. A
// number or a truth value becomes text ("12", "1"/"0"), a truth value an
// integer (1/0), an integer a truth value (non-zero). Text is never read as
// a number here: callers that hold tag texts convert them with their own
// rules before they get this far.
std::optional<PropertyValue> coerceToKind(const PropertyValue& value, PropertyKind kind);

// Why the value (already of the property's kind) cannot be stored: a
// number below 0 or above the property's largest, which would be cut or
// wrapped in a file's tags; one sentence, for the track's notes. Nothing
// when it can be stored.
std::optional<QString> valueProblem(const TrackProperty& property, const PropertyValue& value);

} // namespace decant::library
