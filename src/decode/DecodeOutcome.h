#pragma once

#include <cstdint>
#include <string>
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
    StreamTruncated,
    WriteFailed,
    NoSpace,
    MD5Mismatch,
};

// A short English phrase, e.g. "MD5 signature mismatch".
std::string_view describeOutcome(DecodeOutcome outcome);

// The outcome with what a reader needs to make sense of it: for a stream that
// ends early, how far it got.
struct DecodeResult {
    DecodeOutcome outcome = DecodeOutcome::Decoded;
    uint64_t samplesDecoded = 0;   // per channel
    uint64_t samplesAnnounced = 0; // STREAMINFO's total; 0 when unknown
};

// describeOutcome's phrase, with the figures where they help:
// "stream ends after 1000 of 44100 samples".
std::string describeResult(const DecodeResult& result);

} // namespace decant
