#include "decode/WAVHeader.h"

#include <cstring>

namespace decant {
namespace {

class HeaderWriter {
public:
    explicit HeaderWriter(WAVHeader& header)
        : position(header.data()) {}

    void text(const char* characters) {
        const std::size_t length = std::strlen(characters);
        std::memcpy(position, characters, length);
        position += length;
    }

    // WAV is little-endian whatever the host is.
    void littleEndian(uint32_t value, unsigned bytes) {
        for (unsigned byte = 0; byte < bytes; ++byte) {
            *position++ = static_cast<unsigned char>(value >> (8 * byte));
        }
    }

private:
    unsigned char* position;
};

} // namespace

WAVHeader wavHeader(const WAVFormat& format, uint32_t dataBytes) {
    const uint32_t align = blockAlign(format);
    WAVHeader header{};
    HeaderWriter writer(header);
    writer.text("RIFF");
    writer.littleEndian(dataBytes + 36 + uint32_t(padBytes(dataBytes)), 4);
    writer.text("WAVEfmt ");
    writer.littleEndian(16, 4);
    writer.littleEndian(1, 2);
    writer.littleEndian(format.channels, 2);
    writer.littleEndian(format.sampleRate, 4);
    writer.littleEndian(align * format.sampleRate, 4);
    writer.littleEndian(align, 2);
    writer.littleEndian(8 * containerBytes(format.bitsPerSample), 2);
    writer.text("data");
    writer.littleEndian(dataBytes, 4);
    return header;
}

} // namespace decant
