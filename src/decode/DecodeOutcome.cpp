#include "decode/DecodeOutcome.h"

namespace decant {

std::string_view describeOutcome(DecodeOutcome outcome) {
    switch (outcome) {
    case DecodeOutcome::Decoded:
        return "decoded";
    case DecodeOutcome::DecoderUnavailable:
        return "FLAC decoder could not be created";
    case DecodeOutcome::DestinationUnopenable:
        return "destination cannot be opened for writing";
    case DecodeOutcome::DestinationIsSource:
        return "destination is the source file";
    case DecodeOutcome::SourceUnreadable:
        return "source cannot be read";
    case DecodeOutcome::SourceNotRegularFile:
        return "source is not a regular file";
    case DecodeOutcome::NotFLAC:
        return "source is not a FLAC file";
    case DecodeOutcome::MissingStreamInfo:
        return "stream has no STREAMINFO block";
    case DecodeOutcome::UnsupportedFormat:
        return "stream format cannot be written as WAV";
    case DecodeOutcome::FrameFormatMismatch:
        return "frame format differs from STREAMINFO";
    case DecodeOutcome::TooLargeForWAV:
        return "audio too large for a WAV file";
    case DecodeOutcome::DecodeFailed:
        return "stream could not be decoded";
    case DecodeOutcome::StreamTruncated:
        return "stream ends early";
    case DecodeOutcome::WriteFailed:
        return "disk write failed";
    case DecodeOutcome::NoSpace:
        return "no space left for the decoded audio";
    case DecodeOutcome::MD5Mismatch:
        return "MD5 signature mismatch";
    }
    return "unknown outcome";
}

std::string describeResult(const DecodeResult& result) {
    if (result.outcome == DecodeOutcome::StreamTruncated) {
        return "stream ends after " + std::to_string(result.samplesDecoded) + " of " +
               std::to_string(result.samplesAnnounced) + " samples";
    }
    return std::string(describeOutcome(result.outcome));
}

} // namespace decant
