#pragma once

#include "library/encode/EncodedFile.h"
#include "library/media/AudioFormat.h"
#include "library/model/ConversionError.h"
#include "library/model/ImportSettings.h"

#include <QString>

#include <optional>

namespace decant::library {

// How one file is to be encoded with the import settings.
struct EncodingPlan {
    QString encoder; // the settings' name for it, for reasons
    EncoderSetup setup;
    // Non-zero when the source is deeper than the encoder keeps: the file
    // converts only while every sample fits in this many bits.
    int fittingBits = 0;
    bool gaplessTag = false; // iTunSMPB says where the priming and padding are
    bool lossless = false;
    const char* demuxer = nullptr; // FFmpeg's reader of the format
    // FFmpeg's decoder drops the priming but keeps the padding of the last
    // frame.
    bool decoderKeepsPadding = false;
    // Coded by the library's own ALAC encoder, and so proved by its own
    // ALAC decoder, which is held to FFmpeg's.
    bool ownAlac = false;
};

// The encoder, and the form the source's audio reaches it in: its own
// speakers, or a mix-down for a stereo lossy encoder; for a lossless
// encoder, every bit. Nothing, with the reason, when the settings' encoder
// cannot keep the audio so.
std::optional<EncodingPlan> planEncoding(const ImportSettings& settings, const AudioFormat& source,
                                         ConversionFailure* failure);

// FFmpeg's name for the reader of the encoder's files: "mov", "ogg"...
const char* demuxerName(ImportFormat format);

// Why a file failed whose samples turned out not to fit in `fittingBits`.
ConversionFailure unfittingSamples(const EncodingPlan& plan, const AudioFormat& source);

} // namespace decant::library
