#pragma once

#include "library/codec/alac/AlacConfig.h"

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

namespace decant::library::alac {

struct AlacEncoderSettings {
    // 1 to 8, in FFmpeg's order of the layout its ALAC coder takes for the
    // count: mono, stereo, 3.0, 4.0, 5.0, 5.1, 6.1(back) or 7.1(wide).
    int channels = 2;
    int bitsPerSample = 16; // 16, 20, 24 or 32
    int sampleRate = 44100;
    int frameLength = 4096; // FFmpeg's and Apple's, and what players expect
    // Bits below each sample in its 32-bit word, which are dropped: 0 for
    // plain numbers, 32 - bitsPerSample for FFmpeg's s32 samples, which
    // fill the word from the top (with zeros below).
    int sampleShift = 0;
};

// Encodes frames of 32-bit samples into ALAC packets for FFmpeg's MP4 muxer
// (and any ALAC decoder), with the cookie FFmpeg's own encoder gives. Each
// element goes out compressed or, when that is no shorter, as it is, so no
// packet is larger than config().maxFrameBytes. Not for use from two
// threads at once.
class AlacEncoder {
public:
    static bool isSupported(const AlacEncoderSettings& settings);

    // `settings` is one isSupported() takes.
    explicit AlacEncoder(const AlacEncoderSettings& settings);
    ~AlacEncoder();
    AlacEncoder(const AlacEncoder&) = delete;
    AlacEncoder& operator=(const AlacEncoder&) = delete;

    const AlacConfig& config() const;
    // What the container's sample description carries: see magicCookie().
    std::vector<uint8_t> magicCookie() const;
    int frameLength() const;

    // Encodes `count` (1 to frameLength()) samples of each channel, one
    // plane per channel, into one packet, valid until the next call; an
    // empty packet for any other count. Only the last frame of a stream may
    // be short.
    std::span<const uint8_t> encode(const int32_t* const* planes, int count);

private:
    class Frame;
    std::unique_ptr<Frame> frame_;
};

} // namespace decant::library::alac
