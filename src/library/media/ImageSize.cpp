#include "library/media/ImageSize.h"

namespace decant::library {
namespace {

int bigEndian(const QByteArray& bytes, qsizetype at, int length) {
    int value = 0;
    for (int index = 0; index < length; ++index) {
        value = (value << 8) | quint8(bytes[at + index]);
    }
    return value;
}

// The signature (8 bytes), then the IHDR chunk's length and type (8), then
// its width and height, 4 bytes each.
std::optional<ImageSize> pngSize(const QByteArray& image) {
    if (image.size() < 24 || image.mid(12, 4) != "IHDR") {
        return std::nullopt;
    }
    const auto width = quint32(bigEndian(image, 16, 4));
    const auto height = quint32(bigEndian(image, 20, 4));
    if (width > quint32(INT_MAX) || height > quint32(INT_MAX)) {
        return ImageSize{INT_MAX, INT_MAX};
    }
    return ImageSize{int(width), int(height)};
}

// Markers C0-CF start a frame, except C4 (Huffman tables), C8 (reserved)
// and CC (arithmetic coding conditioning).
bool isStartOfFrame(quint8 marker) {
    return marker >= 0xc0 && marker <= 0xcf && marker != 0xc4 && marker != 0xc8 && marker != 0xcc;
}

// Walks the segments after SOI: each is FF, a marker, and a two-byte length
// that counts itself. A start of frame holds the sample precision (1 byte),
// then the height and the width (2 bytes each).
std::optional<ImageSize> jpegSize(const QByteArray& image) {
    qsizetype at = 2;
    while (at + 4 <= image.size()) {
        if (quint8(image[at]) != 0xff) {
            return std::nullopt;
        }
        const auto marker = quint8(image[at + 1]);
        if (marker == 0xff) {
            ++at; // fill byte
            continue;
        }
        const int length = bigEndian(image, at + 2, 2);
        if (isStartOfFrame(marker)) {
            if (at + 9 > image.size()) {
                return std::nullopt;
            }
            return ImageSize{bigEndian(image, at + 7, 2), bigEndian(image, at + 5, 2)};
        }
        if (marker == 0xda || length < 2) {
            return std::nullopt; // the scan began before any frame header
        }
        at += 2 + length;
    }
    return std::nullopt;
}

} // namespace

std::optional<ImageSize> declaredImageSize(const QByteArray& image, ImageFormat format) {
    return format == ImageFormat::Png ? pngSize(image) : jpegSize(image);
}

} // namespace decant::library
