// Damaged packets: our decoder gives what FFmpeg's gives or refuses what it
// refuses, so that a file our decoder proves is one FFmpeg plays the same.
// Out-of-bounds reads show under the sanitizers the CI runs this with.
#include "AlacSignals.h"
#include "FfmpegAlac.h"
#include "library/codec/alac/AlacDecoder.h"
#include "library/codec/alac/AlacEncoder.h"

#include <gtest/gtest.h>

#include <random>
#include <tuple>

namespace decant::library::alac {
namespace {

using test::AlacSignal;
using test::Planes;

test::AlacStream encodeOurs(const Planes& planes, int bits) {
    AlacEncoderSettings settings;
    settings.channels = int(planes.size());
    settings.bitsPerSample = bits;
    AlacEncoder encoder(settings);
    test::AlacStream stream;
    stream.cookie = encoder.magicCookie();
    const int64_t length = int64_t(planes[0].size());
    for (int64_t start = 0; start < length; start += encoder.frameLength()) {
        const int count = int(std::min<int64_t>(encoder.frameLength(), length - start));
        const auto packet = encoder.encode(test::planePointers(planes, start).data(), count);
        stream.packets.emplace_back(packet.begin(), packet.end());
    }
    return stream;
}

// Truncations, single flipped bits (every one of the headers, then some
// anywhere) and random bytes behind the first of the packet.
std::vector<std::vector<uint8_t>> damaged(const std::vector<uint8_t>& packet, uint32_t seed) {
    std::vector<std::vector<uint8_t>> out;
    std::mt19937 random(seed);
    for (const size_t size :
         {size_t(0), size_t(1), size_t(3), size_t(7), packet.size() / 3, packet.size() - 1}) {
        out.emplace_back(packet.begin(), packet.begin() + std::min(size, packet.size()));
    }
    const size_t bits = packet.size() * 8;
    for (size_t bit = 0; bit < bits; bit += bit < 160 ? 1 : 1 + random() % (bits / 24)) {
        out.push_back(packet);
        out.back()[bit / 8] ^= uint8_t(0x80 >> (bit % 8));
    }
    for (int i = 0; i < 12; ++i) {
        std::vector<uint8_t> noise(random() % (packet.size() + 64));
        for (uint8_t& byte : noise) {
            byte = uint8_t(random());
        }
        if (!noise.empty() && i % 2) {
            noise[0] = packet[0];
        }
        out.push_back(noise);
    }
    return out;
}

// channels, bits, FFmpeg's encoder rather than ours, noise rather than music
using DamageParameters = std::tuple<int, int, bool, bool>;

class DamagedAlacPacket : public testing::TestWithParam<DamageParameters> {};

TEST_P(DamagedAlacPacket, decodesAsFfmpegDoesOrIsRefusedByBoth) {
    const auto [channels, bits, theirEncoder, noise] = GetParam();
    const Planes source = test::alacSignal(noise ? AlacSignal::Noise : AlacSignal::MusicLike,
                                           channels, bits, 44100, 2 * 4096 + 100);
    const test::AlacStream stream =
        theirEncoder ? test::ffmpegAlacEncode(source, bits, 44100) : encodeOurs(source, bits);
    test::FfmpegAlacDecoder ffmpeg(stream.cookie);
    AlacError error;
    const auto ours = AlacDecoder::create(stream.cookie, &error);
    ASSERT_TRUE(ours);
    int refused = 0;
    int cases = 0;
    for (size_t p = 0; p < stream.packets.size(); ++p) {
        for (const auto& packet : damaged(stream.packets[p], uint32_t(p + 1))) {
            const auto theirs = ffmpeg.decode(packet);
            const AlacDecoder::Result result = ours->decode(packet);
            ++cases;
            ASSERT_EQ(theirs.has_value(), result.error == AlacError::None)
                << "packet " << p << " damaged into " << packet.size() << " bytes, case " << cases
                << ": " << describeAlacError(result.error).toStdString();
            if (!theirs) {
                ++refused;
                continue;
            }
            ASSERT_EQ(int((*theirs)[0].size()), result.samples);
            for (int c = 0; c < channels; ++c) {
                const std::vector<int32_t> mine(ours->channel(c),
                                                ours->channel(c) + result.samples);
                ASSERT_EQ(mine, (*theirs)[size_t(c)]) << "channel " << c << ", case " << cases;
            }
        }
    }
    // Some damage must get through the checks, or the comparison proves nothing.
    EXPECT_LT(refused, cases);
}

INSTANTIATE_TEST_SUITE_P(
    AlacCodec, DamagedAlacPacket,
    testing::Values(DamageParameters{1, 16, false, false}, DamageParameters{2, 16, false, false},
                    DamageParameters{2, 24, true, false}, DamageParameters{2, 16, false, true},
                    DamageParameters{6, 16, true, false}, DamageParameters{8, 24, false, false},
                    DamageParameters{5, 24, false, true}));

} // namespace
} // namespace decant::library::alac
