#pragma once

#include "decode/WAVHeader.h"

#include <QByteArray>
#include <QStringList>

#include <cstdint>
#include <optional>

namespace decant {

// What intake needs of a FLAC file's metadata, read in one pass: a queue of
// 40,000 files reads each once. Block bodies are read only as far as they
// are needed (STREAMINFO, the comments an entry at a time, the lengths of a
// picture), so a block that claims megabytes costs nothing.
struct FLACMetadata {
    // The entries of the first Vorbis comment block, in order, vendor string
    // excluded; bytes that are not UTF-8 become replacement characters and
    // empty entries are left out. Nothing when there is no such block.
    std::optional<QStringList> commentEntries;
    // From STREAMINFO.
    std::optional<WAVFormat> format;
    uint64_t totalSamples = 0; // per channel; 0 when the encoder did not know
    uint64_t fileSize = 0;
    // What was left out, and why: comments too large to read, pictures whose
    // lengths claim more than the file holds. In words for the user.
    QStringList notes;
};

// Nothing at all when the file is missing, unreadable, not a regular file
// (a FIFO would block) or not FLAC. The file is opened read-only.
FLACMetadata readFLACMetadata(const QByteArray& path);

// The bytes of the WAV file its decode will write: exact from STREAMINFO;
// for a stream that does not announce its length, twice the FLAC file's
// size, about what FLAC's usual compression gives back. 0 for a file whose
// decode will fail before writing audio.
uint64_t expectedDecodedSize(const FLACMetadata& metadata);

} // namespace decant
