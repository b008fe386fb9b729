#pragma once

#include <array>
#include <cstdint>

namespace decant {

// The audio format a WAV file announces. Depths that are not whole bytes
// (12, 20, ...) travel in the next whole-byte container, and the header
// states the container's depth, since WAV readers size samples by it.
struct WAVFormat {
    uint32_t sampleRate = 0;
    uint16_t channels = 0;
    uint16_t bitsPerSample = 0; // the stream's own depth, 1 to 32
};

constexpr unsigned containerBytes(unsigned bitsPerSample) {
    return (bitsPerSample + 7) / 8;
}

constexpr uint32_t blockAlign(const WAVFormat& format) {
    return format.channels * containerBytes(format.bitsPerSample);
}

// RIFF chunks take an even number of bytes: an odd-sized data chunk is
// followed by one pad byte, which the data size leaves out and the RIFF size
// counts (as `flac -d` writes it).
constexpr uint64_t padBytes(uint64_t dataBytes) {
    return dataBytes & 1;
}

// The RIFF size field holds the data size plus the 36 bytes of header that
// follow it and any pad byte; anything larger would wrap around.
constexpr uint64_t maximumWAVDataBytes = 0xffffffffu - 36 - 1;

constexpr std::size_t wavHeaderSize = 44;
using WAVHeader = std::array<unsigned char, wavHeaderSize>;

// The size of the whole file that holds `dataBytes` of samples.
constexpr uint64_t wavFileSize(uint64_t dataBytes) {
    return wavHeaderSize + dataBytes + padBytes(dataBytes);
}

// The plain 44-byte header: RIFF, a 16-byte fmt chunk with format 1 (integer
// PCM) whatever the depth or channel count, then the data chunk's header.
WAVHeader wavHeader(const WAVFormat& format, uint32_t dataBytes);

} // namespace decant
