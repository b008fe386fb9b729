#pragma once

#include "library/encode/GaplessData.h"
#include "library/model/ConversionError.h"
#include "library/model/ImportSettings.h"
#include "library/verify/DecodeBack.h"
#include "library/verify/LoudnessMeter.h"

#include <QString>

#include <memory>
#include <optional>
#include <stop_token>

namespace decant::library {

// What an encode is asked for besides the file.
struct EncodeRequest {
    QString title; // written into the container's own tags
    // Measure the source's loudness on the way (see EncodedAudio::meter).
    bool measureLoudness = false;
    // A WAV file whose audio runs on into the source without a break: the
    // track before it on an album ripped to one file. Where the format's
    // container drops the priming by sample (AAC in MP4), the encoder is
    // primed with that file's last samples rather than silence, and the edit
    // list drops them again: the track then begins as it sounds in the
    // album, with no click where it was cut. Ignored where it cannot serve
    // (another format, another sample rate, a file that cannot be read).
    QString leadIn = {};
};

// What an encoded file holds.
struct EncodedAudio {
    int sampleRate = 0;
    int channels = 0;
    double duration = 0; // seconds of source audio
    // What decoding the file back must give; the lossless source digest is
    // the caller's to fill in.
    ExpectedOutput expected;
    // The finished meter of the source's audio, when asked for and
    // libebur128 could measure it; its loudness is nothing for audio too
    // short to measure.
    std::shared_ptr<const LoudnessMeter> meter;
    std::optional<Loudness> loudness;
    // Where the music starts and ends, for formats whose players read it
    // from a tag (iTunSMPB) rather than from the container.
    std::optional<SampleSpan> gapless;
};

// Encodes the WAV file at `source` into a new file at `destination` in the
// settings' format, converting the audio to the nearest form the encoder
// takes. Runs on the calling thread; several encodes may run at once. A stop
// asked of `stop` ends the encode within a frame, failing it.
std::optional<EncodedAudio> encodeWavFile(const QString& source, const QString& destination,
                                          const ImportSettings& settings,
                                          const EncodeRequest& request, ConversionFailure* failure,
                                          std::stop_token stop = {});

} // namespace decant::library
