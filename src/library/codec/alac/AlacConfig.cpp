#include "library/codec/alac/AlacConfig.h"

#include <array>
#include <cstring>

namespace decant::library::alac {
namespace {

constexpr size_t configSize = 24;
constexpr size_t boxHeaderSize = 12; // size, 'alac', version and flags
constexpr std::array<uint8_t, 4> boxType = {'a', 'l', 'a', 'c'};

void putBigEndian(std::vector<uint8_t>& out, uint32_t value, int bytes) {
    for (int shift = 8 * (bytes - 1); shift >= 0; shift -= 8) {
        out.push_back(uint8_t(value >> shift));
    }
}

uint32_t bigEndian(const uint8_t* in, int bytes) {
    uint32_t value = 0;
    for (int i = 0; i < bytes; ++i) {
        value = value << 8 | in[i];
    }
    return value;
}

AlacConfig readConfig(const uint8_t* in) {
    AlacConfig config;
    config.frameLength = bigEndian(in, 4);
    config.compatibleVersion = in[4];
    config.bitDepth = in[5];
    config.historyMultiplier = in[6];
    config.initialHistory = in[7];
    config.riceLimit = in[8];
    config.channels = in[9];
    config.maxRun = uint16_t(bigEndian(in + 10, 2));
    config.maxFrameBytes = bigEndian(in + 12, 4);
    config.averageBitRate = bigEndian(in + 16, 4);
    config.sampleRate = bigEndian(in + 20, 4);
    return config;
}

} // namespace

std::vector<uint8_t> magicCookie(const AlacConfig& config) {
    std::vector<uint8_t> out;
    out.reserve(boxHeaderSize + configSize);
    putBigEndian(out, boxHeaderSize + configSize, 4);
    out.insert(out.end(), boxType.begin(), boxType.end());
    putBigEndian(out, 0, 4);
    putBigEndian(out, config.frameLength, 4);
    out.push_back(config.compatibleVersion);
    out.push_back(config.bitDepth);
    out.push_back(config.historyMultiplier);
    out.push_back(config.initialHistory);
    out.push_back(config.riceLimit);
    out.push_back(config.channels);
    putBigEndian(out, config.maxRun, 2);
    putBigEndian(out, config.maxFrameBytes, 4);
    putBigEndian(out, config.averageBitRate, 4);
    putBigEndian(out, config.sampleRate, 4);
    return out;
}

std::optional<AlacConfig> readMagicCookie(std::span<const uint8_t> cookie) {
    if (cookie.size() >= boxHeaderSize + configSize &&
        std::memcmp(cookie.data() + 4, boxType.data(), boxType.size()) == 0) {
        return readConfig(cookie.data() + boxHeaderSize);
    }
    if (cookie.size() >= configSize) {
        return readConfig(cookie.data());
    }
    return std::nullopt;
}

} // namespace decant::library::alac
