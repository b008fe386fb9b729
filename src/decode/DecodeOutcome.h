#pragma once

#include <string_view>

namespace decant {

// Why a decode ended as it did. Callers that need only success or failure
// compare with Decoded; the command line prints the text.
enum class DecodeOutcome {
    Decoded,
    DecoderUnavailable,
    DestinationUnopenable,
    DestinationIsSource,
    SourceUnreadable,
    SourceNotRegularFile,
    NotFLAC,
    MissingStreamInfo,
    UnsupportedFormat,
    FrameFormatMismatch,
    TooLargeForWAV,
    DecodeFailed,
    WriteFailed,
    MD5Mismatch,
};

// A short English phrase, e.g. "MD5 signature mismatch".
std::string_view describeOutcome(DecodeOutcome outcome);

} // namespace decant
