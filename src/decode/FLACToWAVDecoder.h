#pragma once

#include "decode/DecodeOutcome.h"

#include <QString>

namespace decant {

// Decodes the FLAC file at `source` into a WAV file at `destination`: the
// plain 44-byte header, then the interleaved little-endian samples. True when
// the whole stream was decoded and written and its audio matched the MD5
// signature in STREAMINFO (a stream whose signature is all zero is not
// checked). Paths go to libFLAC and open() as UTF-8.
//
// Re-entrant: calls on different files may run on several threads at once.
// The source is never written to. Once the destination is open it stays on
// disk whatever the result, possibly incomplete; the caller owns it.
bool decodeFLACToWAV(const QString& source, const QString& destination);

// The same decode, keeping the reason a failure had.
DecodeOutcome decodeFLACToWAVWithOutcome(const QString& source, const QString& destination);

// The same for paths that are already bytes (NUL-terminated, in whatever
// encoding the file system has them), handed to libFLAC and open() unchanged.
DecodeOutcome decodeFLACToWAVWithOutcome(const char* source, const char* destination);
// The same, with the figures that explain a stream cut short.
DecodeResult decodeFLACToWAVWithResult(const char* source, const char* destination);
// The same, creating the destination as `mode` says.
DecodeResult decodeFLACToWAVWithResult(const char* source, const char* destination,
                                       DestinationMode mode);

} // namespace decant
