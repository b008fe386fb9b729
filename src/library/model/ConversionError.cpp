#include "library/model/ConversionError.h"

#include <QCoreApplication>

namespace decant::library {

QString describeConversionError(ConversionError error) {
    switch (error) {
    case ConversionError::None:
        return QCoreApplication::translate("decant::ConversionError", "converted");
    case ConversionError::NotLocalFile:
        return QCoreApplication::translate("decant::ConversionError", "not a local file");
    case ConversionError::Unreadable:
        return QCoreApplication::translate("decant::ConversionError", "not a readable file");
    case ConversionError::NotWav:
        return QCoreApplication::translate("decant::ConversionError", "not a WAV file");
    case ConversionError::Undecodable:
        return QCoreApplication::translate("decant::ConversionError",
                                           "audio that cannot be decoded");
    case ConversionError::Unsupported:
        return QCoreApplication::translate("decant::ConversionError",
                                           "audio the import format cannot hold");
    case ConversionError::Encoding:
        return QCoreApplication::translate("decant::ConversionError", "encoding failed");
    case ConversionError::Writing:
        return QCoreApplication::translate("decant::ConversionError",
                                           "the media file could not be written");
    case ConversionError::Recording:
        return QCoreApplication::translate("decant::ConversionError",
                                           "the track could not be recorded");
    case ConversionError::Stopped:
        return QCoreApplication::translate("decant::ConversionError",
                                           "not converted: the import was stopped");
    case ConversionError::Unverified:
        return QCoreApplication::translate("decant::ConversionError",
                                           "the encoded file does not match its source");
    }
    return {};
}

QString describeConversionFailure(const ConversionFailure& failure) {
    const QString description = describeConversionError(failure.error);
    return failure.detail.isEmpty() ? description
                                    : description + QStringLiteral(": ") + failure.detail;
}

} // namespace decant::library
