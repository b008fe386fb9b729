#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace decant::library {

// The largest image the library takes as a track's artwork.
inline constexpr qsizetype largestArtworkBytes = 16 * 1024 * 1024;

enum class ImageFormat { Jpeg, Png };

// An image checked to be a whole JPEG or PNG image, as a track's artwork.
struct Artwork {
    ImageFormat format = ImageFormat::Jpeg;
    QByteArray data;
    QString digest; // SHA-256 of the bytes: its key in the database
};

// The format the image's first bytes announce; nothing for any other.
std::optional<ImageFormat> imageFormatOf(const QByteArray& image);

// "image/jpeg", "image/png".
const char* mimeTypeOf(ImageFormat format);

// The image's key in the database: the SHA-256 of its bytes, in hex.
QString artworkDigest(const QByteArray& image);

} // namespace decant::library
