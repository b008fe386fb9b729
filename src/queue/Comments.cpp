#include "queue/Comments.h"

#include <cmath>
#include <limits>

namespace decant {
namespace {

using Limits = std::numeric_limits<qint64>;

qsizetype skipWhiteSpace(const QString& text) {
    qsizetype index = 0;
    while (index < text.size() && text.at(index).isSpace()) {
        ++index;
    }
    return index;
}

bool isDigit(QChar character) {
    return character >= u'0' && character <= u'9';
}

qint64 integerValueOfText(const QString& text) {
    qsizetype index = skipWhiteSpace(text);
    bool negative = false;
    if (index < text.size() && (text.at(index) == u'+' || text.at(index) == u'-')) {
        negative = text.at(index) == u'-';
        ++index;
    }
    // Accumulate towards the sign so that the most negative value fits.
    qint64 result = 0;
    for (; index < text.size() && isDigit(text.at(index)); ++index) {
        const int digit = text.at(index).unicode() - u'0';
        if (negative) {
            if (result < (Limits::min() + digit) / 10) {
                return Limits::min();
            }
            result = result * 10 - digit;
        } else {
            if (result > (Limits::max() - digit) / 10) {
                return Limits::max();
            }
            result = result * 10 + digit;
        }
    }
    return result;
}

qint64 integerValueOfReal(double value) {
    if (std::isnan(value)) {
        return 0;
    }
    // 2^63 is exactly representable; anything at or beyond it saturates.
    constexpr double limit = 9223372036854775808.0;
    if (value >= limit) {
        return Limits::max();
    }
    if (value < -limit) {
        return Limits::min();
    }
    return static_cast<qint64>(value);
}

bool booleanValueOfText(const QString& text) {
    qsizetype index = skipWhiteSpace(text);
    if (index < text.size() && (text.at(index) == u'+' || text.at(index) == u'-')) {
        ++index;
    }
    while (index < text.size() && text.at(index) == u'0') {
        ++index;
    }
    if (index == text.size()) {
        return false;
    }
    const QChar next = text.at(index);
    return next == u'Y' || next == u'y' || next == u'T' || next == u't' ||
           (next >= u'1' && next <= u'9');
}

} // namespace

bool isNumber(const QVariant& value) {
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Bool:
        return true;
    default:
        return false;
    }
}

qint64 integerValue(const QVariant& value) {
    switch (value.typeId()) {
    case QMetaType::QString:
        return integerValueOfText(value.toString());
    case QMetaType::Double:
    case QMetaType::Float:
        return integerValueOfReal(value.toDouble());
    case QMetaType::ULongLong: {
        const qulonglong unsignedValue = value.toULongLong();
        return unsignedValue > qulonglong(Limits::max()) ? Limits::max() : qint64(unsignedValue);
    }
    default:
        return isNumber(value) ? value.toLongLong() : 0;
    }
}

bool booleanValue(const QVariant& value) {
    if (value.typeId() == QMetaType::QString) {
        return booleanValueOfText(value.toString());
    }
    if (value.typeId() == QMetaType::Double || value.typeId() == QMetaType::Float) {
        return value.toDouble() != 0.0;
    }
    return isNumber(value) && value.toLongLong() != 0;
}

} // namespace decant
