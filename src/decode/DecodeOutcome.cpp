#include "decode/DecodeOutcome.h"

// Marks the reasons for Qt's lupdate; the queue shows them translated. No
// Qt header here: flac2wav would load Qt Core for its version tag alone.
#ifndef QT_TRANSLATE_NOOP
#define QT_TRANSLATE_NOOP(scope, text) text
#endif

namespace decant {

std::string_view describeOutcome(DecodeOutcome outcome) {
    switch (outcome) {
    case DecodeOutcome::Decoded:
        return QT_TRANSLATE_NOOP("decant::DecodeOutcome", "decoded");
    case DecodeOutcome::DecoderUnavailable:
        return QT_TRANSLATE_NOOP("decant::DecodeOutcome", "FLAC decoder could not be created");
    case DecodeOutcome::DestinationUnopenable:
        return QT_TRANSLATE_NOOP("decant::DecodeOutcome",
                                 "destination cannot be opened for writing");
    case DecodeOutcome::DestinationIsSource:
        return QT_TRANSLATE_NOOP("decant::DecodeOutcome", "destination is the source file");
    case DecodeOutcome::SourceUnreadable:
        return QT_TRANSLATE_NOOP("decant::DecodeOutcome", "source cannot be read");
    case DecodeOutcome::SourceNotRegularFile:
        return QT_TRANSLATE_NOOP("decant::DecodeOutcome", "source is not a regular file");
    case DecodeOutcome::NotFLAC:
        return QT_TRANSLATE_NOOP("decant::DecodeOutcome", "source is not a FLAC file");
    case DecodeOutcome::MissingStreamInfo:
        return QT_TRANSLATE_NOOP("decant::DecodeOutcome", "stream has no STREAMINFO block");
    case DecodeOutcome::UnsupportedFormat:
        return QT_TRANSLATE_NOOP("decant::DecodeOutcome", "stream format cannot be written as WAV");
    case DecodeOutcome::FrameFormatMismatch:
        return QT_TRANSLATE_NOOP("decant::DecodeOutcome", "frame format differs from STREAMINFO");
    case DecodeOutcome::TooLargeForWAV:
        return QT_TRANSLATE_NOOP("decant::DecodeOutcome", "audio too large for a WAV file");
    case DecodeOutcome::DecodeFailed:
        return QT_TRANSLATE_NOOP("decant::DecodeOutcome", "stream could not be decoded");
    case DecodeOutcome::StreamTruncated:
        return QT_TRANSLATE_NOOP("decant::DecodeOutcome", "stream ends early");
    case DecodeOutcome::WriteFailed:
        return QT_TRANSLATE_NOOP("decant::DecodeOutcome", "disk write failed");
    case DecodeOutcome::NoSpace:
        return QT_TRANSLATE_NOOP("decant::DecodeOutcome", "no space left for the decoded audio");
    case DecodeOutcome::MD5Mismatch:
        return QT_TRANSLATE_NOOP("decant::DecodeOutcome", "MD5 signature mismatch");
    case DecodeOutcome::DestinationExists:
        return QT_TRANSLATE_NOOP("decant::DecodeOutcome", "destination already exists");
    case DecodeOutcome::SliceOutsideStream:
        return QT_TRANSLATE_NOOP("decant::DecodeOutcome",
                                 "the CUE sheet's tracks do not fit the stream");
    }
    return QT_TRANSLATE_NOOP("decant::DecodeOutcome", "unknown outcome");
}

std::string describeResult(const DecodeResult& result) {
    if (result.outcome == DecodeOutcome::StreamTruncated) {
        return "stream ends after " + std::to_string(result.samplesDecoded) + " of " +
               std::to_string(result.samplesAnnounced) + " samples";
    }
    return std::string(describeOutcome(result.outcome));
}

} // namespace decant
