#include "LibraryTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>

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

enum class Outcome { SameSpeakers, MixedToStereo, Refused };

// ALAC has no place for quad's back pair, for 6.1's sides or for 7.1's
// sides (its seven and eight channels are 6.1 with a back pair and 7.1
// with front pairs); FFmpeg 5.1's AAC encoder scrambles 6.1; MP3 is stereo.
Outcome expectedOutcome(Encoder encoder, int channels) {
    switch (encoder) {
    case Encoder::Aac:
        return channels == 7 ? Outcome::Refused : Outcome::SameSpeakers;
    case Encoder::Alac:
        return channels == 4 || channels >= 7 ? Outcome::Refused : Outcome::SameSpeakers;
    case Encoder::Mp3:
        return channels <= 2 ? Outcome::SameSpeakers : Outcome::MixedToStereo;
    default:
        return Outcome::SameSpeakers;
    }
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

using LayoutCase = std::tuple<Encoder, int>;

class ChannelLayouts : public testing::TestWithParam<LayoutCase> {
protected:
    ScratchLibrary scratch;
};

// One tone a channel: each comes out on the speaker it went in for, and on
// no other, or, mixed down, on the side of the speaker it was for; an
// encoder that has no place for the speakers refuses the file, naming them.
TEST_P(ChannelLayouts, everyToneComesOutOnItsSpeakerOrTheFileIsRefused) {
    const auto [encoder, channels] = GetParam();
    const QStringList& speakers = flacSpeakers[channels - 1];
    const auto library = scratch.open();
    ASSERT_TRUE(library && library->setImportSettings(defaultSettings(encoder)));
    const test::WavFixture tones{
        48000, unsigned(channels), 16, 24000, false, test::WavFixture::Signal::Tones};

    const auto outcomes = library->convertFiles({scratch.writeWav("tones.wav", tones)});

    ASSERT_EQ(outcomes.size(), 1);
    const Outcome expected = expectedOutcome(encoder, channels);
    if (expected == Outcome::Refused) {
        EXPECT_FALSE(outcomes[0].track);
        EXPECT_EQ(outcomes[0].failure.error, ConversionError::Unsupported);
        const QString reason = outcomes[0].failure.detail;
        EXPECT_TRUE(reason.contains(encoderName(encoder)) && reason.contains(speakers.join(' ')))
            << reason.toStdString();
        EXPECT_TRUE(scratch.mediaFiles().isEmpty());
        return;
    }
    ASSERT_TRUE(outcomes[0].track) << outcomes[0].failure.detail.toStdString();
    const auto decoded = test::decodeAudioFile(outcomes[0].track->filePath());
    ASSERT_TRUE(decoded);
    const QStringList expectedSpeakers =
        expected == Outcome::MixedToStereo ? QStringList{"FL", "FR"} : speakers;
    ASSERT_EQ(decoded->speakers, expectedSpeakers);
    for (int channel = 0; channel < channels; ++channel) {
        const QString& speaker = speakers[channel];
        SCOPED_TRACE(speaker.toStdString());
        std::vector<double> levels;
        for (const auto& signal : decoded->channelSamples) {
            levels.push_back(toneLevel(signal, test::toneFrequency(channel), decoded->sampleRate));
        }
        const double loudest = *std::max_element(levels.begin(), levels.end());
        EXPECT_GT(loudest, 0.05);
        for (int out = 0; out < decoded->speakers.size(); ++out) {
            const QString& outSpeaker = decoded->speakers[out];
            const bool heard = expected == Outcome::MixedToStereo
                                   ? (outSpeaker == "FL" ? heardOnLeft : heardOnRight)(speaker)
                                   : outSpeaker == speaker;
            if (heard) {
                EXPECT_GT(levels[out], loudest / 2) << "quiet on " << outSpeaker.toStdString();
            } else {
                EXPECT_LT(levels[out], loudest / 100) << "heard on " << outSpeaker.toStdString();
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(EveryEncoderAndCount, ChannelLayouts,
                         testing::Combine(testing::Values(Encoder::Aac, Encoder::Alac, Encoder::Mp3,
                                                          Encoder::Opus, Encoder::Flac,
                                                          Encoder::Wav),
                                          testing::Range(1, 9)),
                         [](const testing::TestParamInfo<LayoutCase>& info) {
                             return QStringLiteral("%1_%2ch")
                                 .arg(encoderName(std::get<0>(info.param)))
                                 .arg(std::get<1>(info.param))
                                 .toStdString();
                         });

} // namespace
} // namespace decant::library
