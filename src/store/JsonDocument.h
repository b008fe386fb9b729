#pragma once

// The store's JSON, read with RapidJSON: it keeps an object's members in the
// order and number the text writes them, and a number as the text writes it
// (12 an integer, 12.0 and 1E2 reals), where Qt's parser sorts members, drops
// repeats and turns integral reals into integers. Used inside the store
// subsystem only.
#include <QByteArray>
#include <QString>

#include <rapidjson/document.h>

namespace decant {

using JsonDocument = rapidjson::Document;
using JsonValue = rapidjson::Value;

// Parses one strict JSON text: nothing but white space around the value, valid
// UTF-8 in every string, nesting at most 1024 deep (as Qt's parser allows).
// False, with the document left unusable, when the text is anything else.
bool parseStrictJson(const QByteArray& text, JsonDocument& document);

// The member of that name of an object, the last one when the name is written
// twice (as Qt's parser keeps it); null for a missing member, a null
// `object` or a value that is no object.
const JsonValue* member(const JsonValue* object, QByteArrayView name);

// A string value's bytes (which may hold NUL) and its text.
inline QByteArray jsonBytes(const JsonValue& string) {
    return QByteArray(string.GetString(), qsizetype(string.GetStringLength()));
}
inline QString jsonText(const JsonValue& string) {
    return QString::fromUtf8(string.GetString(), qsizetype(string.GetStringLength()));
}

} // namespace decant
