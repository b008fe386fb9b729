#include "TestImages.h"

namespace decant::test {
namespace {

// PNG's CRC-32 (ISO 3309), over a chunk's type and data.
quint32 pngChecksum(const QByteArray& bytes) {
    quint32 crc = 0xffffffffu;
    for (const char byte : bytes) {
        crc ^= quint8(byte);
        for (int bit = 0; bit < 8; ++bit) {
            crc = (crc >> 1) ^ (0xedb88320u & (0u - (crc & 1u)));
        }
    }
    return ~crc;
}

void putBigEndian32(QByteArray& bytes, qsizetype at, quint32 value) {
    for (int index = 0; index < 4; ++index) {
        bytes[at + index] = char((value >> (24 - 8 * index)) & 0xff);
    }
}

} // namespace

QByteArray jpegImage() {
    return QByteArray::fromHex(
        "ffd8ffe000104a46494600010200000100010000ffdb004300083e3e493e49555555555555645d6468686864"
        "646464686868707070838383707070686870707c7c83838f938f8787838793939b9b9bbabab2b2d9d9e0ffff"
        "ffffc4004b0001010000000000000000000000000000000501010000000000000000000000000000000610"
        "0100000000000000000000000000000000110100000000000000000000000000000000ffc000110800080008"
        "03012200021100031100ffda000c03010002110311003f008201d8ebffd9");
}

QByteArray pngImage() {
    return QByteArray::fromHex(
        "89504e470d0a1a0a0000000d49484452000000080000000808020000004b6d29dc000000097048597300000001"
        "00000001004f25c4d60000001149444154789c633895628815310c2d0900700657c175015b6a000000004945"
        "4e44ae426082");
}

QByteArray pngImageAnnouncing(quint32 width, quint32 height) {
    // The signature (8), IHDR's length and type (8), its width and height.
    constexpr qsizetype widthAt = 16;
    constexpr qsizetype checksumAt = 29;
    QByteArray image = pngImage();
    putBigEndian32(image, widthAt, width);
    putBigEndian32(image, widthAt + 4, height);
    putBigEndian32(image, checksumAt, pngChecksum(image.mid(12, checksumAt - 12)));
    return image;
}

} // namespace decant::test
