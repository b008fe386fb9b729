#pragma once

#include <QVariant>
#include <QVariantMap>

namespace decant {

// Tags of one file, keyed by upper-case field name ("TITLE", "TRACKNUMBER").
// Values read from FLAC files are QString; the store also gives qint64 and
// double, and a null QVariant for a JSON null. Replaced whole, never edited
// in place.
using CommentsDictionary = QVariantMap;

// A field given several times (two ARTIST comments) is one text holding its
// values in order, separated by this character, as ID3v2.4 separates them.
inline constexpr QChar commentValueSeparator = u'\0';

// A value as a signed 64-bit integer. Text: its leading decimal integer
// (leading white space skipped, one optional sign, digits up to the first
// other character; 0 when no digit follows; saturates at the limits of
// qint64 when there are more digits than fit). Number: its integer part.
// Absent or null: 0.
qint64 integerValue(const QVariant& value);

// A value as a truth value. Text: true when, after leading white space, an
// optional sign and any number of "0", the next character is Y, y, T, t or
// 1 to 9. Number: true when not zero. Absent or null: false.
bool booleanValue(const QVariant& value);

// True for the numeric types a comments value can hold.
bool isNumber(const QVariant& value);

} // namespace decant
