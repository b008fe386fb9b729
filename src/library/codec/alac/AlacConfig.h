#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace decant::library::alac {

// What every packet of a stream is coded with: the format's
// ALACSpecificConfig, which travels in the container as the magic cookie.
struct AlacConfig {
    uint32_t frameLength = 4096; // samples per channel in each full packet
    uint8_t compatibleVersion = 0;
    uint8_t bitDepth = 16;
    // The adaptive Golomb-Rice coder's tuning: how fast its running mean
    // follows the residuals, where it starts, and the largest parameter.
    uint8_t historyMultiplier = 40;
    uint8_t initialHistory = 10;
    uint8_t riceLimit = 14;
    uint8_t channels = 2;
    uint16_t maxRun = 0; // unused by decoders; FFmpeg writes 0
    uint32_t maxFrameBytes = 0;
    uint32_t averageBitRate = 0;
    uint32_t sampleRate = 44100;
};

// The cookie as FFmpeg's ALAC encoder gives it and its MP4 muxer writes it
// into the sample description: the 24-byte config wrapped in a full 'alac'
// box (size, type, version and flags), 36 bytes. Up to 8 channels FFmpeg
// writes no 'chan' box: its demuxer and the format both take the layout
// from the channel count.
std::vector<uint8_t> magicCookie(const AlacConfig& config);

// Reads a cookie in that form, or the bare 24-byte config; empty when it is
// neither. Says nothing about whether the values are ones a decoder takes.
std::optional<AlacConfig> readMagicCookie(std::span<const uint8_t> cookie);

} // namespace decant::library::alac
