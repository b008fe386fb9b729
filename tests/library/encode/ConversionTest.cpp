#include "LibraryTestSupport.h"

#include <QFileInfo>
#include <gtest/gtest.h>

namespace decant::library {
namespace {

using test::ScratchLibrary;
using test::WavFixture;

struct ConversionCase {
    ImportFormat format;
    WavFixture source;
    int expectedRate;
    int expectedChannels;
};

std::string describe(const ConversionCase& c) {
    return QStringLiteral("%1_%2bit_%3ch_%4Hz")
        .arg(formatName(c.format))
        .arg(c.source.bitsPerSample)
        .arg(c.source.channels)
        .arg(c.source.sampleRate)
        .toStdString();
}

void PrintTo(const ConversionCase& c, std::ostream* out) {
    *out << describe(c);
}

std::string caseName(const testing::TestParamInfo<ConversionCase>& info) {
    return describe(info.param);
}

// Half a second: long enough for every encoder's delay and frame size to
// show in the duration, short enough for a small machine.
WavFixture source(unsigned bits, unsigned channels, unsigned rate) {
    return {rate, channels, bits, rate / 2, false};
}

class Conversion : public testing::TestWithParam<ConversionCase> {
protected:
    ScratchLibrary scratch;
};

// Each encoder's file decodes to the source's length in the form the
// encoder takes; lossless files give back the very samples.
TEST_P(Conversion, encodesDecodableFileOfSourceLength) {
    const ConversionCase& c = GetParam();
    const auto library = scratch.open();
    ASSERT_TRUE(library);
    ASSERT_TRUE(library->setImportSettings(defaultSettings(c.format)));
    const QUrl url = scratch.writeWav(QStringLiteral("song.wav"), c.source);

    const auto tracks = library->convert({url});

    ASSERT_EQ(tracks.size(), 1);
    EXPECT_EQ(tracks[0]->name(), QStringLiteral("song"));
    const QString file = tracks[0]->filePath();
    EXPECT_EQ(QFileInfo(file).fileName(), QStringLiteral("song.") + fileExtension(c.format));
    const auto decoded = test::decodeAudioFile(file);
    ASSERT_TRUE(decoded) << file.toStdString();
    EXPECT_EQ(decoded->sampleRate, c.expectedRate);
    EXPECT_EQ(decoded->channels, c.expectedChannels);
    EXPECT_NEAR(decoded->duration(), 0.5, 0.03) << decoded->codec.toStdString();
    if (isLossless(c.format)) {
        EXPECT_EQ(decoded->frames, qint64(c.source.frames));
        EXPECT_EQ(decoded->bitsPerSample, int(c.source.bitsPerSample));
        EXPECT_FALSE(decoded->samples.empty());
        EXPECT_TRUE(decoded->samples == test::scaledFixtureSamples(c.source))
            << "samples differ after " << decoded->codec.toStdString();
    }

    // The loudness tags are written soon after.
    ASSERT_TRUE(library->flush(std::chrono::seconds(10)));
    const auto record = tracks[0]->record();
    ASSERT_TRUE(record);
    EXPECT_EQ(record->kind, kindOfFormat(c.format));
    EXPECT_EQ(record->sampleRate, c.expectedRate);
    EXPECT_EQ(record->channels, c.expectedChannels);
    EXPECT_DOUBLE_EQ(record->duration, 0.5);
    // Where its tags (none but the loudness's) say it belongs by now.
    EXPECT_EQ(record->size, QFileInfo(tracks[0]->filePath()).size());
    EXPECT_GT(record->bitRate, 0);
    EXPECT_EQ(record->tagsDirty, 0);
}

INSTANTIATE_TEST_SUITE_P(EveryEncoder, Conversion,
                         testing::Values(
                             // Lossy encoders: rates they lack become the next one up, or their
                             // highest; channels they lack are mixed down.
                             ConversionCase{ImportFormat::Aac, source(16, 2, 44100), 44100, 2},
                             ConversionCase{ImportFormat::Aac, source(24, 1, 96000), 96000, 1},
                             ConversionCase{ImportFormat::Aac, source(16, 2, 384000), 96000, 2},
                             ConversionCase{ImportFormat::Mp3, source(16, 2, 44100), 44100, 2},
                             ConversionCase{ImportFormat::Mp3, source(24, 1, 96000), 48000, 1},
                             ConversionCase{ImportFormat::Mp3, source(16, 6, 48000), 48000, 2},
                             ConversionCase{ImportFormat::Opus, source(16, 2, 44100), 48000, 2},
                             ConversionCase{ImportFormat::Opus, source(24, 1, 384000), 48000, 1},
                             // Lossless encoders keep rate, channels and samples.
                             ConversionCase{ImportFormat::Alac, source(16, 2, 44100), 44100, 2},
                             ConversionCase{ImportFormat::Alac, source(24, 2, 96000), 96000, 2},
                             ConversionCase{ImportFormat::Alac, source(24, 1, 384000), 384000, 1},
                             ConversionCase{ImportFormat::Flac, source(16, 2, 44100), 44100, 2},
                             ConversionCase{ImportFormat::Flac, source(24, 2, 96000), 96000, 2},
                             ConversionCase{ImportFormat::Flac, source(24, 1, 384000), 384000, 1},
                             ConversionCase{ImportFormat::Flac, source(16, 6, 48000), 48000, 6},
                             ConversionCase{ImportFormat::Wav, source(16, 1, 44100), 44100, 1},
                             ConversionCase{ImportFormat::Wav, source(24, 2, 384000), 384000, 2},
                             ConversionCase{ImportFormat::Wav, source(16, 6, 48000), 48000, 6}),
                         caseName);

struct BitRateCase {
    ImportFormat format;
    unsigned channels;
    int64_t bitsPerSecond;
};

class BitRates : public testing::TestWithParam<BitRateCase> {
protected:
    ScratchLibrary scratch;
};

// The settings' rate is for stereo: each channel encoded has half of it,
// so 5.1 is not starved and mono costs half; MP3 mixes wider audio down to
// stereo, which keeps the rate as set.
TEST_P(BitRates, scaleWithTheChannelsEncoded) {
    const BitRateCase& c = GetParam();
    const auto library = scratch.open();
    ASSERT_TRUE(library && library->setImportSettings(defaultSettings(c.format)));
    const WavFixture noise{44100, c.channels, 16, 22050, false, WavFixture::Signal::Noise};

    const auto tracks = library->convert({scratch.writeWav("noise.wav", noise)});

    ASSERT_EQ(tracks.size(), 1);
    const auto decoded = test::decodeAudioFile(tracks[0]->filePath());
    ASSERT_TRUE(decoded);
    EXPECT_NEAR(double(decoded->bitRate), double(c.bitsPerSecond), c.bitsPerSecond * 0.1);
}

INSTANTIATE_TEST_SUITE_P(LossyEncoders, BitRates,
                         testing::Values(BitRateCase{ImportFormat::Aac, 1, 128000},
                                         BitRateCase{ImportFormat::Aac, 2, 256000},
                                         BitRateCase{ImportFormat::Aac, 6, 768000},
                                         BitRateCase{ImportFormat::Mp3, 1, 160000},
                                         BitRateCase{ImportFormat::Mp3, 6, 320000}),
                         [](const testing::TestParamInfo<BitRateCase>& info) {
                             return QStringLiteral("%1_%2ch")
                                 .arg(formatName(info.param.format))
                                 .arg(info.param.channels)
                                 .toStdString();
                         });

} // namespace
} // namespace decant::library
