#pragma once

#include <QString>

namespace decant::library {

// Why a file did not become a track.
enum class ConversionError {
    None,
    NotLocalFile, // the URL names no local file
    Unreadable,   // missing, not a regular file, or not readable
    NotWav,       // not a RIFF WAVE file with audio FFmpeg can decode
    Undecodable,  // the audio stopped decoding part-way, or there is none
    Unsupported,  // the encoder cannot keep the audio's speakers or depth
    Encoding,     // the encoder refused the audio or failed
    Writing,      // the media file could not be written or named
    Recording,    // the database refused the new track
    Stopped,      // the conversion was stopped before the file was done
    Unverified,   // the encoded file, decoded back, is not the source
};

struct ConversionFailure {
    ConversionError error = ConversionError::None;
    QString detail;
};

// A short description in the user's language: "not a WAV file".
QString describeConversionError(ConversionError error);

// The description with its detail, as a user reads it: "not a WAV file:
// Invalid data found when processing input".
QString describeConversionFailure(const ConversionFailure& failure);

} // namespace decant::library
