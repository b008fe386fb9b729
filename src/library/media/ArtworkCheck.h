#pragma once

#include "library/model/Artwork.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace decant::library {

// The image as artwork, or nothing with the reason it cannot be: it is
// larger than largestArtworkBytes, it is neither JPEG nor PNG, or FFmpeg
// cannot decode it whole. Runs on the calling thread.
std::optional<Artwork> checkArtwork(const QByteArray& image, QString* reason);

} // namespace decant::library
