#include "library/model/ConversionError.h"

namespace decant::library {

QString describeConversionError(ConversionError error) {
    switch (error) {
    case ConversionError::None:
        return QStringLiteral("converted");
    case ConversionError::NotLocalFile:
        return QStringLiteral("not a local file");
    case ConversionError::Unreadable:
        return QStringLiteral("not a readable file");
    case ConversionError::NotWav:
        return QStringLiteral("not a WAV file");
    case ConversionError::Undecodable:
        return QStringLiteral("audio that cannot be decoded");
    case ConversionError::Unsupported:
        return QStringLiteral("audio the import format cannot hold");
    case ConversionError::Encoding:
        return QStringLiteral("encoding failed");
    case ConversionError::Writing:
        return QStringLiteral("the media file could not be written");
    case ConversionError::Recording:
        return QStringLiteral("the track could not be recorded");
    case ConversionError::Stopped:
        return QStringLiteral("not converted: the import was stopped");
    case ConversionError::Unverified:
        return QStringLiteral("the encoded file does not match its source");
    }
    return {};
}

QString describeConversionFailure(const ConversionFailure& failure) {
    const QString description = describeConversionError(failure.error);
    return failure.detail.isEmpty() ? description
                                    : description + QStringLiteral(": ") + failure.detail;
}

} // namespace decant::library
