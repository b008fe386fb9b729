#pragma once

#include "library/model/ConversionError.h"
#include "library/model/Verification.h"

#include <QString>

#include <cstdint>
#include <optional>

namespace decant::library {

// What an encoded file must decode back to.
struct ExpectedOutput {
    const char* demuxer = nullptr; // FFmpeg's name for the format's reader: "mov", "ogg"...
    bool lossless = false;
    int sampleRate = 0;
    int channels = 0;
    // Samples per channel once the decoder has dropped what it drops of the
    // encoder's delay and padding: the source's length, plus the padding
    // where the decoder keeps it.
    int64_t samples = 0;
    // Lossless: the source WAV file's codec ("pcm_s24le"), whose layout of
    // the samples their MD5 is taken in, and that MD5.
    QString sourceFormat;
    QString sourceDigest;
    // Where the source's writer gave one: its XXH3-128 digest of the same
    // bytes as the MD5, which the decoded samples are then held to instead.
    QString sourceCheck;
    // Proved with the library's own ALAC decoder, which is held to FFmpeg's;
    // a later check decodes with FFmpeg's all the same.
    bool ownAlac = false;
};

// Decodes the file at `path` back and compares it with what it must give:
// the proof, or nothing, with the reason, when it gives something else or
// cannot be decoded. Runs on the calling thread; several may run at once.
std::optional<Verification> decodeBack(const QString& path, const ExpectedOutput& expected,
                                       ConversionFailure* failure);

// Decodes the file at `path` afresh and takes the digest that a proof of
// this kind recorded (see Verification::digest), for a check long after the
// import. Nothing, with the reason, when the file cannot be decoded.
std::optional<QString> digestEncodedFile(const QString& path, const char* demuxer,
                                         Verification::Proof proof, const QString& sourceFormat,
                                         QString* error);

} // namespace decant::library
