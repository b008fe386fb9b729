#pragma once

#include "library/model/Artwork.h"
#include "library/model/Result.h"
#include "library/model/TrackRecord.h"

#include <QString>

#include <optional>

namespace decant::library {

// What a media file tells of its track by itself: what a database lost or
// damaged can be rebuilt from.
struct MediaFileContents {
    // Its properties from its tags (numbers out of range left out), its
    // audio's length, rate, channels and bit rate, its size, and its kind
    // and provenance where its provenance tag gives them (see
    // Provenance.h). The file and id are left for the caller.
    TrackRecord record;
    // Its front cover, when it is a JPEG or PNG image.
    std::optional<Artwork> artwork;
    // Whether it carries the provenance tag; without it, nothing tells its
    // source, and its loudness only where ReplayGain tags give it.
    bool hasProvenance = false;
};

// Reads the file with TagLib. Any thread, one thread a file; the reason
// when TagLib cannot read it.
Result<MediaFileContents> readMediaFile(const QString& path);

} // namespace decant::library
