#include "library/model/Artwork.h"

#include <QCryptographicHash>

namespace decant::library {
namespace {

const QByteArray jpegStart("\xff\xd8\xff", 3);
const QByteArray pngSignature("\x89PNG\r\n\x1a\n", 8);

} // namespace

std::optional<ImageFormat> imageFormatOf(const QByteArray& image) {
    if (image.startsWith(jpegStart)) {
        return ImageFormat::Jpeg;
    }
    if (image.startsWith(pngSignature)) {
        return ImageFormat::Png;
    }
    return std::nullopt;
}

const char* mimeTypeOf(ImageFormat format) {
    return format == ImageFormat::Jpeg ? "image/jpeg" : "image/png";
}

QString artworkDigest(const QByteArray& image) {
    return QString::fromLatin1(QCryptographicHash::hash(image, QCryptographicHash::Sha256).toHex());
}

} // namespace decant::library
