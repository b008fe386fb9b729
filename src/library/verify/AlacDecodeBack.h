#pragma once

#include "library/verify/SampleHash.h"

#include <QString>

#include <cstdint>
#include <optional>

namespace decant::library {

// What a file decodes to.
struct DecodedBack {
    int sampleRate = 0;
    int channels = 0;
    int64_t samples = 0;
    QString digest; // see Verification::digest
};

// Decodes the ALAC track of the MP4 file at `path` with the library's own
// decoder, which gives what FFmpeg's gives and refuses what it refuses, and
// takes the digest of `kind` of its samples laid out as the source WAV file
// of codec `sourceFormat` stored them. Nothing, with the reason, when it
// cannot.
// Runs on the calling thread; several may run at once.
std::optional<DecodedBack> decodeAlacBack(const QString& path, const QString& sourceFormat,
                                          SampleHash::Kind kind, QString* error);

} // namespace decant::library
