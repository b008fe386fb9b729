#pragma once

#include "library/ConversionError.h"
#include "library/ImportSettings.h"

#include <QString>

#include <optional>
#include <stop_token>

namespace decant::library {

// What an encoded file holds.
struct EncodedAudio {
    int sampleRate = 0;
    int channels = 0;
    double duration = 0; // seconds of source audio
};

// Encodes the WAV file at `source` into a new file at `destination` in the
// settings' format, converting the audio to the nearest form the encoder
// takes. `title` goes into the container's own tags. Runs on the calling
// thread; several encodes may run at once. A stop asked of `stop` ends the
// encode within a frame, failing it.
std::optional<EncodedAudio> encodeWavFile(const QString& source, const QString& destination,
                                          const ImportSettings& settings, const QString& title,
                                          ConversionFailure* failure, std::stop_token stop = {});

} // namespace decant::library
