#include "decode/SamplePacking.h"

#include "decode/WAVHeader.h"

#include <bit>
#include <cstring>

namespace decant {
namespace {

constexpr bool littleEndianHost = std::endian::native == std::endian::little;

template <unsigned Bytes> inline void storeLittleEndian(unsigned char* output, uint32_t value) {
    for (unsigned byte = 0; byte < Bytes; ++byte) {
        output[byte] = static_cast<unsigned char>(value >> (8 * byte));
    }
}

// WAV's 8-bit samples are unsigned: flipping the top bit adds 128 modulo 256.
template <unsigned Bytes> constexpr uint32_t signFlip = Bytes == 1 ? 0x80 : 0;

// The general case: any channel count, any depth within a Bytes-wide container.
template <unsigned Bytes>
void packInterleaved(std::span<const int32_t* const> channels, std::size_t samples, unsigned shift,
                     unsigned char* output) {
    const std::size_t channelCount = channels.size();
    for (std::size_t index = 0; index < samples; ++index) {
        for (std::size_t channel = 0; channel < channelCount; ++channel) {
            const uint32_t value = (uint32_t(channels[channel][index]) << shift) ^ signFlip<Bytes>;
            storeLittleEndian<Bytes>(output, value);
            output += Bytes;
        }
    }
}

// The hot paths: whole-byte depths in one or two channels. The loop bodies
// are branch-free with fixed strides so that the compiler vectorises them.
template <unsigned Bytes>
void packMono(const int32_t* samples, std::size_t count, unsigned char* output) {
    for (std::size_t index = 0; index < count; ++index) {
        storeLittleEndian<Bytes>(output + Bytes * index,
                                 uint32_t(samples[index]) ^ signFlip<Bytes>);
    }
}

template <unsigned Bytes>
void packStereo(const int32_t* left, const int32_t* right, std::size_t count,
                unsigned char* output) {
    for (std::size_t index = 0; index < count; ++index) {
        storeLittleEndian<Bytes>(output + 2 * Bytes * index,
                                 uint32_t(left[index]) ^ signFlip<Bytes>);
        storeLittleEndian<Bytes>(output + 2 * Bytes * index + Bytes,
                                 uint32_t(right[index]) ^ signFlip<Bytes>);
    }
}

// CD audio: one 32-bit store per sample pair.
template <>
void packStereo<2>(const int32_t* left, const int32_t* right, std::size_t count,
                   unsigned char* output) {
    if constexpr (littleEndianHost) {
        for (std::size_t index = 0; index < count; ++index) {
            const uint32_t pair = (uint32_t(left[index]) & 0xffff) | (uint32_t(right[index]) << 16);
            std::memcpy(output + 4 * index, &pair, sizeof pair);
        }
    } else {
        const int32_t* const pair[] = {left, right};
        packInterleaved<2>(pair, count, 0, output);
    }
}

// Hi-res audio: each pair of 3-byte samples goes out as one 8-byte store
// whose last two bytes the next pair overwrites; the final pair is stored
// byte by byte so that nothing is written past the frame.
template <>
void packStereo<3>(const int32_t* left, const int32_t* right, std::size_t count,
                   unsigned char* output) {
    std::size_t index = 0;
    if constexpr (littleEndianHost) {
        for (; index + 1 < count; ++index) {
            const uint64_t pair = (uint64_t(uint32_t(left[index])) & 0xffffff) |
                                  (uint64_t(uint32_t(right[index]) & 0xffffff) << 24);
            std::memcpy(output + 6 * index, &pair, sizeof pair);
        }
    }
    for (; index < count; ++index) {
        storeLittleEndian<3>(output + 6 * index, uint32_t(left[index]));
        storeLittleEndian<3>(output + 6 * index + 3, uint32_t(right[index]));
    }
}

template <unsigned Bytes>
void packContainer(std::span<const int32_t* const> channels, std::size_t samples, unsigned shift,
                   unsigned char* output) {
    if (shift == 0 && channels.size() == 1) {
        packMono<Bytes>(channels[0], samples, output);
    } else if (shift == 0 && channels.size() == 2) {
        packStereo<Bytes>(channels[0], channels[1], samples, output);
    } else {
        packInterleaved<Bytes>(channels, samples, shift, output);
    }
}

} // namespace

void packSamples(std::span<const int32_t* const> channels, std::size_t samplesPerChannel,
                 unsigned bitsPerSample, unsigned char* output) {
    const unsigned bytes = containerBytes(bitsPerSample);
    const unsigned shift = 8 * bytes - bitsPerSample;
    switch (bytes) {
    case 1:
        packContainer<1>(channels, samplesPerChannel, shift, output);
        break;
    case 2:
        packContainer<2>(channels, samplesPerChannel, shift, output);
        break;
    case 3:
        packContainer<3>(channels, samplesPerChannel, shift, output);
        break;
    case 4:
        packContainer<4>(channels, samplesPerChannel, shift, output);
        break;
    default:
        break; // FLAC has no depth above 32 bits
    }
}

} // namespace decant
