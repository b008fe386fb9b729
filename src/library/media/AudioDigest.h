#pragma once

#include "library/model/ConversionError.h"

#include <QString>

#include <optional>
#include <stop_token>

namespace decant::library {

// The MD5 of a WAV file's audio as the file stores it, in lower-case hex:
// for 16 to 32 bits the digest a FLAC file's STREAMINFO holds. Nothing, with
// the reason, when FFmpeg cannot read the file as WAV or `stop` is asked.
std::optional<QString> wavAudioDigest(const QString& path, std::stop_token stop,
                                      ConversionFailure* failure);

// The digest a WAV file's writer proved of its audio (see wavAudioDigest),
// once the file is seen to be whole and `digest` to be an MD5: no pass over
// the audio. Nothing, with the reason, otherwise.
std::optional<QString> checkedWavDigest(const QString& path, const QString& digest,
                                        ConversionFailure* failure);

} // namespace decant::library
