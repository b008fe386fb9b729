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
    DestinationExists,
    SliceOutsideStream,
};

// What a decode does with a file already at its destination.
enum class DestinationMode {
    // Writes over it (flac2wav, whose user names the destination), though
    // never over the source.
    ReplaceExisting,
    // Fails with DestinationExists: the file is created by this decode
    // (O_EXCL) or not at all, so two decodes can never share one file.
    CreateNew,
};

// A short English phrase, e.g. "MD5 signature mismatch".
std::string_view describeOutcome(DecodeOutcome outcome);

// The outcome with what a reader needs to make sense of it: for a stream that
// ends early, how far it got.
struct DecodeResult {
    DecodeOutcome outcome = DecodeOutcome::Decoded;
    uint64_t samplesDecoded = 0;   // per channel
    uint64_t samplesAnnounced = 0; // STREAMINFO's total; 0 when unknown
    // Once decoded: the MD5 of the WAV file's samples as it stores them, in
    // lower-case hex, which the decode proved: STREAMINFO's signature, which
    // is taken over those very bytes for 16, 24 and 32 bits. Empty for other
    // depths (8-bit WAV is unsigned, 12 or 20 bits are moved up in their
    // bytes) and for a stream without a signature.
    std::string audioDigest = {};
    // Beside it: the XXH3-128 digest of the same bytes (see SampleCheck);
    // empty where audioDigest is.
    std::string sampleCheck = {};
};

// describeOutcome's phrase, with the figures where they help:
// "stream ends after 1000 of 44100 samples".
std::string describeResult(const DecodeResult& result);

} // namespace decant
