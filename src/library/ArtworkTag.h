#pragma once

#include "library/Artwork.h"

#include <QString>

namespace decant::library {

// Makes the artwork the media file's one front cover, where its format's
// players look: "covr" in MP4, an APIC frame in ID3v2 (MP3, WAV), a PICTURE
// block in FLAC, METADATA_BLOCK_PICTURE in Ogg. Other tags are kept. False,
// with the reason, when the file cannot be opened or saved.
bool writeArtworkTag(const QString& path, const Artwork& artwork, QString* error);

} // namespace decant::library
