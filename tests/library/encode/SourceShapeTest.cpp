#include "LibraryTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <variant>

namespace decant::library {
namespace {

using test::ScratchLibrary;

// The speakers of a FLAC file of each channel count, in its order, which a
// WAV file from Decant's decoder keeps without naming them.
const QList<QStringList> flacSpeakers{
    {"FC"},
    {"FL", "FR"},
    {"FL", "FR", "FC"},
    {"FL", "FR", "BL", "BR"},
    {"FL", "FR", "FC", "BL", "BR"},
    {"FL", "FR", "FC", "LFE", "BL", "BR"},
    {"FL", "FR", "FC", "LFE", "BC", "SL", "SR"},
    {"FL", "FR", "FC", "LFE", "BL", "BR", "SL", "SR"},
};

// A 32-bit source, for formats that keep fewer bits.
enum class Depth {
    Full32Bits,           // samples that use every one of their 32 bits
    Fitting24Bits,        // 24-bit samples in a 32-bit file
    Fitting24BitsButLast, // the same, but the very last sample has a 32nd bit
};

// What a source is made of: one tone a channel over this many channels, or
// two channels of samples of a depth.
using Shape = std::variant<int, Depth>;
using ShapeCase = std::tuple<ImportFormat, Shape>;

enum class Outcome { Intact, MixedToStereo, Refused };

// ALAC has no place for quad's back pair, for 6.1's sides or for 7.1's
// sides (its seven and eight channels are 6.1 with a back pair and 7.1
// with front pairs); FFmpeg 5.1's AAC encoder scrambles 6.1; MP3 is stereo.
// ALAC and FLAC keep 24 bits: a 32-bit file goes in only while its samples
// fit, and one that does not is refused whole, however late it shows. WAV
// keeps all 32.
Outcome expectedOutcome(ImportFormat format, const Shape& shape) {
    if (const auto* depth = std::get_if<Depth>(&shape)) {
        return format == ImportFormat::Wav || *depth == Depth::Fitting24Bits ? Outcome::Intact
                                                                             : Outcome::Refused;
    }
    const int channels = std::get<int>(shape);
    switch (format) {
    case ImportFormat::Aac:
        return channels == 7 ? Outcome::Refused : Outcome::Intact;
    case ImportFormat::Alac:
        return channels == 4 || channels >= 7 ? Outcome::Refused : Outcome::Intact;
    case ImportFormat::Mp3:
        return channels <= 2 ? Outcome::Intact : Outcome::MixedToStereo;
    default:
        return Outcome::Intact;
    }
}

const test::WavFixture full32{44100, 2, 32, 22050};
const test::WavFixture fitting24{44100, 2, 32, 22050, false, {}, 24};

test::WavFixture fixtureOf(const Shape& shape) {
    if (const auto* depth = std::get_if<Depth>(&shape)) {
        return *depth == Depth::Full32Bits ? full32 : fitting24;
    }
    return {48000, unsigned(std::get<int>(shape)), 16, 24000,
            false, test::WavFixture::Signal::Tones};
}

QByteArray sourceBytes(const Shape& shape) {
    QByteArray bytes = test::encodeWavFixture(fixtureOf(shape));
    if (shape == Shape(Depth::Fitting24BitsButLast)) {
        // The lowest byte of the last sample, long after the first frames
        // have been encoded.
        bytes[bytes.size() - 4] = char(bytes[bytes.size() - 4] | 1);
    }
    return bytes;
}

// What a refusal names: the format, and the speakers or the depth it has
// no place for.
QStringList refusalWords(ImportFormat format, const Shape& shape) {
    if (std::holds_alternative<Depth>(shape)) {
        return {formatName(format), "24", "32-bit"};
    }
    return {formatName(format), flacSpeakers[std::get<int>(shape) - 1].join(' ')};
}

// The amplitude of one frequency in a signal (Goertzel, Hann window), past
// the first tenth of a second where encoders settle.
double toneLevel(const std::vector<float>& signal, double frequency, int sampleRate) {
    const std::size_t start = std::size_t(sampleRate / 10);
    if (signal.size() <= start) {
        return 0;
    }
    const std::size_t length = signal.size() - start;
    const double step = 2 * M_PI * frequency / sampleRate;
    double real = 0;
    double imaginary = 0;
    for (std::size_t index = 0; index < length; ++index) {
        const double window = 0.5 - 0.5 * std::cos(2 * M_PI * double(index) / double(length));
        const double value = window * signal[start + index];
        real += value * std::cos(step * double(index));
        imaginary -= value * std::sin(step * double(index));
    }
    // The window halves a sine's amplitude, the sum doubles it.
    return 4 * std::hypot(real, imaginary) / double(length);
}

// Where a speaker's sound goes in a stereo mix-down.
bool heardOnLeft(const QString& speaker) {
    return !QStringList{"FR", "BR", "SR"}.contains(speaker);
}
bool heardOnRight(const QString& speaker) {
    return !QStringList{"FL", "BL", "SL"}.contains(speaker);
}

// Each channel's tone comes out on the speaker it went in for, and on no
// other, or, mixed down, on the side of the speaker it was for.
void expectTonesOnTheirSpeakers(const test::DecodedAudio& decoded, int channels, Outcome outcome) {
    const QStringList& speakers = flacSpeakers[channels - 1];
    const bool mixed = outcome == Outcome::MixedToStereo;
    const QStringList stereo{"FL", "FR"};
    ASSERT_EQ(decoded.speakers, mixed ? stereo : speakers);
    for (int channel = 0; channel < channels; ++channel) {
        const QString& speaker = speakers[channel];
        SCOPED_TRACE(speaker.toStdString());
        std::vector<double> levels;
        for (const auto& signal : decoded.channelSamples) {
            levels.push_back(toneLevel(signal, test::toneFrequency(channel), decoded.sampleRate));
        }
        const double loudest = *std::max_element(levels.begin(), levels.end());
        EXPECT_GT(loudest, 0.05);
        for (int out = 0; out < decoded.speakers.size(); ++out) {
            const QString& outSpeaker = decoded.speakers[out];
            const bool heard = mixed ? (outSpeaker == "FL" ? heardOnLeft : heardOnRight)(speaker)
                                     : outSpeaker == speaker;
            if (heard) {
                EXPECT_GT(levels[out], loudest / 2) << "quiet on " << outSpeaker.toStdString();
            } else {
                EXPECT_LT(levels[out], loudest / 100) << "heard on " << outSpeaker.toStdString();
            }
        }
    }
}

// Every sample comes out as it went in, at the depth the format keeps.
void expectTheSamples(const test::DecodedAudio& decoded, ImportFormat format, Depth depth) {
    EXPECT_EQ(decoded.bitsPerSample, format == ImportFormat::Wav ? 32 : 24);
    std::vector<int32_t> expected =
        test::scaledFixtureSamples(depth == Depth::Full32Bits ? full32 : fitting24);
    if (depth == Depth::Fitting24BitsButLast) {
        expected.back() |= 1;
    }
    EXPECT_TRUE(decoded.samples == expected);
}

class SourceShapes : public testing::TestWithParam<ShapeCase> {
protected:
    ScratchLibrary scratch;
};

// A source comes out of the format as it went in, or, where the format has
// no place for its speakers or its depth, is refused whole with a reason
// naming them, leaving no file.
TEST_P(SourceShapes, comeOutAsTheyWentInOrAreRefusedNamingWhatDoesNotFit) {
    const auto [format, shape] = GetParam();
    const auto library = scratch.open();
    ASSERT_TRUE(library && library->setImportSettings(defaultSettings(format)));

    const auto outcomes =
        library->convertFiles({scratch.writeFile("source.wav", sourceBytes(shape))});

    ASSERT_EQ(outcomes.size(), 1);
    const Outcome expected = expectedOutcome(format, shape);
    if (expected == Outcome::Refused) {
        EXPECT_EQ(outcomes[0].trackId, 0);
        EXPECT_EQ(outcomes[0].failure.error, ConversionError::Unsupported);
        const QString reason = outcomes[0].failure.detail;
        for (const QString& word : refusalWords(format, shape)) {
            EXPECT_TRUE(reason.contains(word))
                << word.toStdString() << ": " << reason.toStdString();
        }
        EXPECT_TRUE(scratch.mediaFiles().isEmpty());
        return;
    }
    ASSERT_NE(outcomes[0].trackId, 0) << outcomes[0].failure.detail.toStdString();
    const auto decoded = test::decodeAudioFile(library->track(outcomes[0].trackId)->filePath());
    ASSERT_TRUE(decoded);
    if (const auto* depth = std::get_if<Depth>(&shape)) {
        expectTheSamples(*decoded, format, *depth);
    } else {
        expectTonesOnTheirSpeakers(*decoded, std::get<int>(shape), expected);
    }
}

std::string caseName(const testing::TestParamInfo<ShapeCase>& info) {
    static const char* const depths[] = {"full32", "fitting24", "fitting24ButLast"};
    const Shape& shape = std::get<1>(info.param);
    const std::string name = std::holds_alternative<Depth>(shape)
                                 ? depths[int(std::get<Depth>(shape))]
                                 : std::to_string(std::get<int>(shape)) + "ch";
    return formatName(std::get<0>(info.param)).toStdString() + '_' + name;
}

INSTANTIATE_TEST_SUITE_P(EveryFormatAndChannelCount, SourceShapes,
                         testing::Combine(testing::Values(ImportFormat::Aac, ImportFormat::Alac,
                                                          ImportFormat::Mp3, ImportFormat::Opus,
                                                          ImportFormat::Flac, ImportFormat::Wav),
                                          testing::Values<Shape>(1, 2, 3, 4, 5, 6, 7, 8)),
                         caseName);

INSTANTIATE_TEST_SUITE_P(
    LosslessFormatsAndDepths, SourceShapes,
    testing::Combine(testing::Values(ImportFormat::Alac, ImportFormat::Flac, ImportFormat::Wav),
                     testing::Values<Shape>(Depth::Full32Bits, Depth::Fitting24Bits,
                                            Depth::Fitting24BitsButLast)),
    caseName);

} // namespace
} // namespace decant::library
