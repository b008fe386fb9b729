#pragma once

// The store's JSON as the text writes it: an object's members in their order
// and number (a name written twice is there twice), a number as an integer
// or a real as written (12 an integer, 12.0 and 1E2 reals). Qt's parser sorts
// members, drops repeats and turns integral reals into integers, so the
// store reads its pages with nlohmann's parser into this small tree instead.
// Used inside the store subsystem only.
#include <QByteArray>
#include <QString>
#include <QVariant>

#include <cstdint>
#include <optional>
#include <type_traits>
#include <utility>
#include <variant>
#include <vector>

namespace decant {

class JsonValue {
public:
    using Array = std::vector<JsonValue>;
    using Member = std::pair<QByteArray, JsonValue>;
    using Object = std::vector<Member>;

    JsonValue() = default;
    template <typename T>
    requires(!std::is_same_v<std::decay_t<T>, JsonValue>) explicit JsonValue(T value)
        : value_(std::move(value)) {}

    bool isNull() const { return std::holds_alternative<std::nullptr_t>(value_); }
    bool isBool() const { return std::holds_alternative<bool>(value_); }
    bool isInt64() const { return std::holds_alternative<int64_t>(value_); }
    bool isUint64() const { return std::holds_alternative<uint64_t>(value_); }
    bool isDouble() const { return std::holds_alternative<double>(value_); }
    bool isString() const { return std::holds_alternative<QByteArray>(value_); }
    bool isArray() const { return std::holds_alternative<Array>(value_); }
    bool isObject() const { return std::holds_alternative<Object>(value_); }

    // Each of these expects its kind (ask with the test above first).
    bool toBool() const { return std::get<bool>(value_); }
    int64_t toInt64() const { return std::get<int64_t>(value_); }
    uint64_t toUint64() const { return std::get<uint64_t>(value_); }
    double toDouble() const { return std::get<double>(value_); }
    // A string's UTF-8 bytes, which may hold NUL.
    const QByteArray& bytes() const { return std::get<QByteArray>(value_); }
    QString text() const { return QString::fromUtf8(bytes()); }
    const Array& array() const { return std::get<Array>(value_); }
    Array& array() { return std::get<Array>(value_); }
    const Object& object() const { return std::get<Object>(value_); }
    Object& object() { return std::get<Object>(value_); }

private:
    // Integers that fit neither int64_t nor uint64_t are reals, as in every
    // JSON reader that has no big numbers.
    std::variant<std::nullptr_t, bool, int64_t, uint64_t, double, QByteArray, Array, Object> value_{
        nullptr};
};

// Parses one strict JSON text: nothing but white space around the value,
// valid UTF-8 in every string, nesting at most 1024 deep (as Qt's parser
// allows). Nothing when the text is anything else.
std::optional<JsonValue> parseStrictJson(const QByteArray& text);

// The member of that name of an object, the last one when the name is written
// twice (as Qt's parser keeps it); null for a missing member, a null
// `object` or a value that is no object.
const JsonValue* member(const JsonValue* object, QByteArrayView name);

// The value as a comments dictionary holds it: a text as QString, an
// integer as qint64 (qulonglong past its range), a real as double, a null
// as a null QVariant; arrays and objects as lists and maps of the same.
QVariant commentsValue(const JsonValue& value);

} // namespace decant
