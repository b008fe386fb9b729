#pragma once

#include "library/model/Artwork.h"

namespace TagLib {
class File;
} // namespace TagLib

namespace decant::library {

// Makes the artwork the open file's one front cover, where its format's
// players look: "covr" in MP4, an APIC frame in ID3v2 (MP3, WAV), a PICTURE
// block in FLAC, METADATA_BLOCK_PICTURE in Ogg. Other tags are kept.
// Changes the file in memory only: the caller saves it. False for a format
// that has no place for pictures.
bool putFrontCover(TagLib::File& file, const Artwork& artwork);

// The bytes of the open file's front cover, from where putFrontCover puts
// it (its first picture when none is marked as the front); empty for none.
QByteArray frontCoverOf(TagLib::File& file);

} // namespace decant::library
