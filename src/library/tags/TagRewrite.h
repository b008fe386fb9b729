#pragma once

#include "library/model/Artwork.h"
#include "library/model/Result.h"
#include "library/model/TrackRecord.h"

#include <QString>

#include <optional>

namespace decant::library {

// Rewrites the media file's tags with one open and one save: the track's
// properties, its Sound Check and ReplayGain tags and its provenance (see
// TrackTags.h), and the artwork as its front cover when there is one (see
// ArtworkTag.h). Success when the file is saved, else the reason, of kind
// DiskFull when the disk had no room for it. Any thread, one thread a file.
Status rewriteFileTags(const QString& path, const TrackRecord& record,
                       const std::optional<Artwork>& artwork);

} // namespace decant::library
