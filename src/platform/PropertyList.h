#pragma once

#include <QByteArray>
#include <QVariantMap>

#include <optional>

namespace decant {

// Reads a property list, XML or binary, whose root is a dictionary. Values
// become QVariants: dictionaries QVariantMap, arrays QVariantList, strings
// QString, integers qint64, reals double, booleans bool, dates QDateTime and
// data QByteArray. Nothing when the bytes do not parse or the root is not a
// dictionary.
std::optional<QVariantMap> dictionaryFromPropertyList(const QByteArray& bytes);

} // namespace decant
