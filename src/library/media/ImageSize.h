#pragma once

#include "library/model/Artwork.h"

#include <QByteArray>

#include <optional>

namespace decant::library {

struct ImageSize {
    int width = 0;
    int height = 0;
};

// The size the image's header declares, read without decoding it: a PNG's
// IHDR chunk, a JPEG's start-of-frame segment. Nothing when the header
// names none. FFmpeg's decoders refuse a very large image before they say
// its size, so this is how a reason can give it.
std::optional<ImageSize> declaredImageSize(const QByteArray& image, ImageFormat format);

} // namespace decant::library
