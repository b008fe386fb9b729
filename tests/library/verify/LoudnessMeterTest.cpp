#include "library/verify/LoudnessMeter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <ebur128.h>
#include <numbers>
#include <ostream>
#include <random>
#include <vector>

namespace decant::library {
namespace {

enum class Signal {
    Sine,  // 1 kHz
    Noise, // white
    Gaps,  // a tone, silence, and a stretch too quiet for the relative gate
};

struct Track {
    Signal signal;
    double level; // dBFS of the loudest channel's peak
};

struct Case {
    const char* name;
    int sampleRate;
    AVChannelLayout layout;
    AVSampleFormat format;
    std::vector<Track> tracks;       // more than one: an album
    std::optional<double> reference; // LUFS a calibrated meter reads, when known
};

void PrintTo(const Case& c, std::ostream* out) {
    *out << c.name;
}

constexpr double seconds = 5;
// Frames longer than the meter's chunks, of an odd size, so that chunks and
// 100 ms steps end in the middle of frames.
constexpr int frameSize = 4801;

// libebur128's speaker for each channel, the oracle's view of the layout.
int oracleChannel(const AVChannelLayout& layout, int index) {
    const bool sides = av_channel_layout_index_from_channel(&layout, AV_CHAN_SIDE_LEFT) >= 0;
    switch (av_channel_layout_channel_from_index(&layout, unsigned(index))) {
    case AV_CHAN_FRONT_LEFT:
        return EBUR128_LEFT;
    case AV_CHAN_FRONT_RIGHT:
        return EBUR128_RIGHT;
    case AV_CHAN_LOW_FREQUENCY:
        return EBUR128_UNUSED;
    case AV_CHAN_BACK_LEFT:
        return sides ? EBUR128_Mp135 : EBUR128_LEFT_SURROUND;
    case AV_CHAN_BACK_RIGHT:
        return sides ? EBUR128_Mm135 : EBUR128_RIGHT_SURROUND;
    case AV_CHAN_SIDE_LEFT:
        return EBUR128_Mp090;
    case AV_CHAN_SIDE_RIGHT:
        return EBUR128_Mm090;
    default:
        return EBUR128_CENTER;
    }
}

// The track's samples, interleaved, at the values the sample form can hold.
// Left and right get the same level, the other channels their own, and the
// LFE (the fourth of a 5.1 or 7.1) the highest, which only a meter that
// counts it would notice.
std::vector<double> samplesOf(const Case& c, const Track& track) {
    const int channels = c.layout.nb_channels;
    const auto frames = size_t(seconds * c.sampleRate);
    std::vector<double> samples(frames * size_t(channels));
    std::mt19937 random(11);
    std::uniform_real_distribution<double> noise(-1, 1);
    const double peak = std::pow(10.0, track.level / 20);
    const double step = 2 * std::numbers::pi * 1000 / c.sampleRate;
    for (size_t i = 0; i < frames; ++i) {
        const double time = double(i) / c.sampleRate;
        double value = track.signal == Signal::Noise ? noise(random) : std::sin(step * double(i));
        if (track.signal == Signal::Gaps) {
            value *= time < 1.5 ? 1 : time < 3 ? 0 : 0.02;
        }
        for (int channel = 0; channel < channels; ++channel) {
            const double gain = channels > 3 && channel == 3 ? 1.5
                                : channel < 2                ? 1
                                                             : 0.9 - 0.1 * channel;
            double& sample = samples[i * size_t(channels) + size_t(channel)];
            sample = value * peak * gain;
            switch (av_get_packed_sample_fmt(c.format)) {
            case AV_SAMPLE_FMT_S16:
                sample = std::round(sample * 32767) / 32768;
                break;
            case AV_SAMPLE_FMT_S32:
                sample = std::round(sample * 2147483647) / 2147483648.0;
                break;
            case AV_SAMPLE_FMT_FLT:
                sample = double(float(sample));
                break;
            default:
                break;
            }
        }
    }
    return samples;
}

template <typename Sample> void store(double value, double scale, uint8_t* to) {
    const auto sample = Sample(std::round(value * scale));
    std::memcpy(to, &sample, sizeof sample);
}

void storeFloat(double value, AVSampleFormat format, uint8_t* to) {
    if (format == AV_SAMPLE_FMT_FLT) {
        const auto sample = float(value);
        std::memcpy(to, &sample, sizeof sample);
    } else {
        std::memcpy(to, &value, sizeof value);
    }
}

// Feeds the samples to the meter in frames of the case's sample form.
void feed(LoudnessMeter& meter, const Case& c, const std::vector<double>& samples) {
    const int channels = c.layout.nb_channels;
    const AVSampleFormat packed = av_get_packed_sample_fmt(c.format);
    const bool planar = av_sample_fmt_is_planar(c.format);
    const int bytes = av_get_bytes_per_sample(c.format);
    const int frames = int(samples.size()) / channels;
    for (int at = 0; at < frames; at += frameSize) {
        ffmpeg::Frame frame(av_frame_alloc());
        frame->format = c.format;
        frame->nb_samples = std::min(frameSize, frames - at);
        frame->sample_rate = c.sampleRate;
        av_channel_layout_copy(&frame->ch_layout, &c.layout);
        ASSERT_EQ(av_frame_get_buffer(frame.get(), 0), 0);
        for (int i = 0; i < frame->nb_samples; ++i) {
            for (int channel = 0; channel < channels; ++channel) {
                const double value = samples[size_t(at + i) * size_t(channels) + size_t(channel)];
                uint8_t* to = planar ? frame->extended_data[channel] + i * bytes
                                     : frame->extended_data[0] + (i * channels + channel) * bytes;
                if (packed == AV_SAMPLE_FMT_S16) {
                    store<int16_t>(value, 32768, to);
                } else if (packed == AV_SAMPLE_FMT_S32) {
                    store<int32_t>(value, 2147483648.0, to);
                } else {
                    storeFloat(value, packed, to);
                }
            }
        }
        meter.add(*frame);
    }
}

struct StateDestroyer {
    void operator()(ebur128_state* state) const { ebur128_destroy(&state); }
};
using State = std::unique_ptr<ebur128_state, StateDestroyer>;

class LoudnessMeterTest : public testing::TestWithParam<Case> {};

// Each track's loudness and peak, and the album's, are libebur128's in its
// exact mode, to within 0.05 LU, whatever the rate, the speakers, the sample
// form, and how much of the audio the gates leave out.
TEST_P(LoudnessMeterTest, readsAsLibebur128) {
    const Case& c = GetParam();
    AudioFormat format;
    format.sampleFormat = c.format;
    format.sampleRate = c.sampleRate;
    format.layout = ffmpeg::ChannelLayout(c.layout);
    const auto channels = unsigned(c.layout.nb_channels);

    std::vector<std::unique_ptr<LoudnessMeter>> meters;
    std::vector<State> states;
    for (const Track& track : c.tracks) {
        const auto samples = samplesOf(c, track);
        meters.push_back(LoudnessMeter::create(format));
        ASSERT_TRUE(meters.back());
        feed(*meters.back(), c, samples);
        states.emplace_back(ebur128_init(channels, unsigned(c.sampleRate),
                                         EBUR128_MODE_I | EBUR128_MODE_SAMPLE_PEAK));
        ebur128_state* state = states.back().get();
        for (unsigned channel = 0; channel < channels; ++channel) {
            ebur128_set_channel(state, channel, oracleChannel(c.layout, int(channel)));
        }
        ebur128_add_frames_double(state, samples.data(), samples.size() / channels);

        const auto loudness = meters.back()->finish();
        ASSERT_TRUE(loudness);
        double expected = 0;
        ebur128_loudness_global(state, &expected);
        EXPECT_NEAR(loudness->integrated, expected, 0.05);
        double peak = 0;
        for (unsigned channel = 0; channel < channels; ++channel) {
            double channelPeak = 0;
            ebur128_sample_peak(state, channel, &channelPeak);
            peak = std::max(peak, channelPeak);
        }
        EXPECT_DOUBLE_EQ(loudness->peak, peak);
        if (c.reference) {
            EXPECT_NEAR(loudness->integrated, *c.reference, 0.1);
        }
    }
    if (c.tracks.size() > 1) {
        std::vector<const LoudnessMeter*> album;
        std::vector<ebur128_state*> albumStates;
        for (size_t track = 0; track < meters.size(); ++track) {
            album.push_back(meters[track].get());
            albumStates.push_back(states[track].get());
        }
        const auto loudness = LoudnessMeter::combined(album);
        ASSERT_TRUE(loudness);
        double expected = 0;
        ebur128_loudness_global_multiple(albumStates.data(), albumStates.size(), &expected);
        EXPECT_NEAR(loudness->integrated, expected, 0.05);
    }
}

const AVChannelLayout mono = AV_CHANNEL_LAYOUT_MONO;
const AVChannelLayout stereo = AV_CHANNEL_LAYOUT_STEREO;
const AVChannelLayout surround51 = AV_CHANNEL_LAYOUT_5POINT1;
const AVChannelLayout surround71 = AV_CHANNEL_LAYOUT_7POINT1;

INSTANTIATE_TEST_SUITE_P(
    Cases, LoudnessMeterTest,
    testing::Values(
        // Tech 3341's first case: a 1 kHz tone at -23 dBFS in both channels.
        Case{"calibration", 48000, stereo, AV_SAMPLE_FMT_FLT, {{Signal::Sine, -23}}, -23.0},
        Case{"noiseCd", 44100, stereo, AV_SAMPLE_FMT_S16, {{Signal::Noise, -12}}, {}},
        Case{"sineMono22k", 22050, mono, AV_SAMPLE_FMT_DBL, {{Signal::Sine, -3}}, {}},
        Case{"gaps96k", 96000, stereo, AV_SAMPLE_FMT_S32P, {{Signal::Gaps, -6}}, {}},
        Case{"noise51", 48000, surround51, AV_SAMPLE_FMT_FLTP, {{Signal::Noise, -10}}, {}},
        Case{"sine71", 44100, surround71, AV_SAMPLE_FMT_S16P, {{Signal::Sine, -10}}, {}},
        Case{"album",
             44100,
             stereo,
             AV_SAMPLE_FMT_S16,
             {{Signal::Sine, -6}, {Signal::Noise, -20}, {Signal::Gaps, -30}},
             {}},
        Case{"album51",
             96000,
             surround51,
             AV_SAMPLE_FMT_DBLP,
             {{Signal::Gaps, -3}, {Signal::Noise, -25}},
             {}}),
    [](const testing::TestParamInfo<Case>& info) { return std::string(info.param.name); });

} // namespace
} // namespace decant::library
