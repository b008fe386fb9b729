#pragma once

#include "library/model/TrackRecord.h"

#include <QString>

namespace decant::library {

// The name of the tag in which every media file carries what only the
// database knows of its track, so that a database lost or damaged can be
// rebuilt from the files: the source (the path hash its WAV file was named
// after) and the MD5 of its audio, what decoding the file back proved and
// when, the settings it was encoded with, the source's sample layout, when
// it was added, and its loudness and its album's. The same name in every
// format: an MP4 freeform item "----:com.apple.iTunes:DECANT_SOURCE", an
// ID3v2 TXXX frame (MP3, WAV), a Vorbis comment (FLAC, Opus).
inline constexpr const char* provenanceTagName = "DECANT_SOURCE";

// The tag's value for the record: one line of JSON, members left out where
// the record knows nothing, e.g.
// {"v":1,"source":"9e10…","audioMD5":"…","added":"2024-05-01T10:00:00.000Z",
//  "encoder":"aac","bitRate":256,"sourceFormat":"pcm_s16le","proof":"lossless",
//  "proofMD5":"…","verified":"…","loudness":-14.2,"peak":0.98}
QString provenanceText(const TrackRecord& record);

// Fills the record's source, audio digest, date added, encoding, source
// format, verification and loudnesses from the tag's value; false, leaving
// the record as it was, for a value that is not such a text or names no
// source.
bool readProvenance(const QString& text, TrackRecord& record);

} // namespace decant::library
