#include "LibraryTestSupport.h"

#include <gtest/gtest.h>

namespace decant::library {
namespace {

using test::ScratchLibrary;

enum class Source {
    Full32Bits,           // samples that use every one of their 32 bits
    Fitting24Bits,        // 24-bit samples in a 32-bit file
    Fitting24BitsButLast, // the same, but the very last sample has a 32nd bit
};

using DepthCase = std::tuple<Encoder, Source>;

const test::WavFixture full32{44100, 2, 32, 22050};
const test::WavFixture fitting24{44100, 2, 32, 22050, false, {}, 24};

QByteArray sourceBytes(Source source) {
    QByteArray bytes = test::encodeWavFixture(source == Source::Full32Bits ? full32 : fitting24);
    if (source == Source::Fitting24BitsButLast) {
        // The lowest byte of the last sample, long after the first frames
        // have been encoded.
        bytes[bytes.size() - 4] = char(bytes[bytes.size() - 4] | 1);
    }
    return bytes;
}

class LosslessDepth : public testing::TestWithParam<DepthCase> {
protected:
    ScratchLibrary scratch;
};

// ALAC and FLAC keep 24 bits: a 32-bit file goes in only while its samples
// fit, and one that does not is refused whole, however late it shows.
// WAV keeps all 32.
TEST_P(LosslessDepth, deeperSourcesConvertOnlyWhenEverySampleFits) {
    const auto [encoder, source] = GetParam();
    const auto library = scratch.open();
    ASSERT_TRUE(library && library->setImportSettings(defaultSettings(encoder)));

    const auto outcomes =
        library->convertFiles({scratch.writeFile("deep.wav", sourceBytes(source))});

    ASSERT_EQ(outcomes.size(), 1);
    const bool fits = encoder == Encoder::Wav || source == Source::Fitting24Bits;
    if (!fits) {
        EXPECT_FALSE(outcomes[0].track);
        EXPECT_EQ(outcomes[0].failure.error, ConversionError::Unsupported);
        const QString reason = outcomes[0].failure.detail;
        EXPECT_TRUE(reason.contains(encoderName(encoder)) && reason.contains("24") &&
                    reason.contains("32-bit"))
            << reason.toStdString();
        EXPECT_TRUE(scratch.mediaFiles().isEmpty());
        return;
    }
    ASSERT_TRUE(outcomes[0].track) << outcomes[0].failure.detail.toStdString();
    const auto decoded = test::decodeAudioFile(outcomes[0].track->filePath());
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->bitsPerSample, encoder == Encoder::Wav ? 32 : 24);
    std::vector<int32_t> expected =
        test::scaledFixtureSamples(source == Source::Full32Bits ? full32 : fitting24);
    if (source == Source::Fitting24BitsButLast) {
        expected.back() |= 1;
    }
    EXPECT_TRUE(decoded->samples == expected);
}

std::string caseName(const testing::TestParamInfo<DepthCase>& info) {
    static const char* const sources[] = {"full32", "fitting24", "fitting24ButLast"};
    return encoderName(std::get<0>(info.param)).toStdString() + '_' +
           sources[int(std::get<1>(info.param))];
}

INSTANTIATE_TEST_SUITE_P(LosslessEncoders, LosslessDepth,
                         testing::Combine(testing::Values(Encoder::Alac, Encoder::Flac,
                                                          Encoder::Wav),
                                          testing::Values(Source::Full32Bits, Source::Fitting24Bits,
                                                          Source::Fitting24BitsButLast)),
                         caseName);

} // namespace
} // namespace decant::library
