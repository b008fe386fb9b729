#include "decode/SamplePacking.h"

#include <QByteArray>
#include <gtest/gtest.h>

#include <vector>

namespace decant {
namespace {

// The ends of each depth's range, zero and -1, packed as WAV wants them.
struct DepthCase {
    unsigned bits;
    std::vector<int32_t> samples;
    QByteArray expectedHex;
};

class SamplePackingTest : public testing::TestWithParam<DepthCase> {};

TEST_P(SamplePackingTest, packsTheExtremesOfEachDepth) {
    const auto& depth = GetParam();
    const int32_t* const channel[] = {depth.samples.data()};
    QByteArray packed(qsizetype(depth.samples.size() * ((depth.bits + 7) / 8)), '\0');
    packSamples(channel, depth.samples.size(), depth.bits,
                reinterpret_cast<unsigned char*>(packed.data()));
    EXPECT_EQ(packed.toHex(' '), depth.expectedHex);
}

INSTANTIATE_TEST_SUITE_P(
    Depths, SamplePackingTest,
    testing::Values(
        DepthCase{8, {-128, 127, 0, -1}, "00 ff 80 7f"},
        DepthCase{12, {-2048, 2047, 0, -1}, "00 80 f0 7f 00 00 f0 ff"},
        DepthCase{16, {-32768, 32767, 0, -1}, "00 80 ff 7f 00 00 ff ff"},
        DepthCase{20, {-524288, 524287, 0, -1}, "00 00 80 f0 ff 7f 00 00 00 f0 ff ff"},
        DepthCase{24, {-8388608, 8388607, 0, -1}, "00 00 80 ff ff 7f 00 00 00 ff ff ff"},
        DepthCase{
            32, {INT32_MIN, INT32_MAX, 0, -1}, "00 00 00 80 ff ff ff 7f 00 00 00 00 ff ff ff ff"}),
    [](const auto& info) { return std::to_string(info.param.bits) + "bit"; });

// The stereo fast paths against every short length, so that a vectorised
// loop's tail and the last pair of overlapping stores are exercised too.
class StereoPackingTest : public testing::TestWithParam<unsigned> {};

TEST_P(StereoPackingTest, interleavesFramesOfAnyLength) {
    const unsigned bits = GetParam();
    const unsigned bytes = bits / 8;
    for (std::size_t length = 0; length < 40; ++length) {
        std::vector<int32_t> left(length), right(length);
        QByteArray expected;
        for (std::size_t index = 0; index < length; ++index) {
            left[index] = int32_t(index * 2654435761u) >> (32 - bits);
            right[index] = -left[index] - 1;
            for (const int32_t value : {left[index], right[index]}) {
                const uint32_t stored = bits == 8 ? uint32_t(value + 128) : uint32_t(value);
                for (unsigned byte = 0; byte < bytes; ++byte) {
                    expected.append(char(stored >> (8 * byte)));
                }
            }
        }
        const int32_t* const channels[] = {left.data(), right.data()};
        QByteArray packed(qsizetype(2 * bytes * length), '\0');
        packSamples(channels, length, bits, reinterpret_cast<unsigned char*>(packed.data()));
        EXPECT_EQ(packed, expected) << "length " << length;
    }
}

INSTANTIATE_TEST_SUITE_P(WholeByteDepths, StereoPackingTest, testing::Values(8u, 16u, 24u, 32u),
                         [](const auto& info) { return std::to_string(info.param) + "bit"; });

} // namespace
} // namespace decant
