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
};

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

} // namespace decant::library
