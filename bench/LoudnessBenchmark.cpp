// The loudness meter measuring a minute of stereo CD audio, as the import
// measures it (integrated loudness and sample peak), fed frames in each
// sample form a decoder gives; and libebur128, which it replaced, fed the
// same 16-bit samples in its histogram mode, as the import used it.
#include "library/verify/LoudnessMeter.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <ebur128.h>
#include <random>
#include <vector>

namespace {

using decant::library::AudioFormat;
using decant::library::LoudnessMeter;

constexpr int sampleRate = 44100;
constexpr int frames = 60 * sampleRate;
constexpr int block = 4096;

const std::vector<int16_t>& music() {
    static const std::vector<int16_t> samples = [] {
        std::vector<int16_t> made(size_t(frames) * 2);
        std::mt19937 random(7);
        std::normal_distribution<double> noise(0, 2000);
        for (size_t i = 0; i < size_t(frames); ++i) {
            const double tone = 8000 * std::sin(double(i) * 0.0314);
            made[2 * i] = int16_t(tone + noise(random));
            made[2 * i + 1] = int16_t(tone * 0.7 + noise(random));
        }
        return made;
    }();
    return samples;
}

// The minute as frames of this form, made before the clock starts: the
// meter reads what the decoder gives as it is.
template <typename Sample>
std::vector<decant::library::ffmpeg::Frame> framesOf(AVSampleFormat format, double scale) {
    const auto& source = music();
    const bool planar = av_sample_fmt_is_planar(format);
    std::vector<decant::library::ffmpeg::Frame> made;
    for (int at = 0; at < frames; at += block) {
        decant::library::ffmpeg::Frame frame(av_frame_alloc());
        frame->format = format;
        frame->nb_samples = std::min(block, frames - at);
        frame->sample_rate = sampleRate;
        av_channel_layout_default(&frame->ch_layout, 2);
        av_frame_get_buffer(frame.get(), 0);
        for (int i = 0; i < frame->nb_samples; ++i) {
            for (int channel = 0; channel < 2; ++channel) {
                const auto value = Sample(source[size_t(at + i) * 2 + size_t(channel)] * scale);
                uint8_t* to = planar ? frame->extended_data[channel] + i * sizeof value
                                     : frame->extended_data[0] + (i * 2 + channel) * sizeof value;
                std::memcpy(to, &value, sizeof value);
            }
        }
        made.push_back(std::move(frame));
    }
    return made;
}

template <typename Sample>
void measure(benchmark::State& state, AVSampleFormat format, double scale) {
    const auto input = framesOf<Sample>(format, scale);
    AudioFormat audio;
    audio.sampleFormat = format;
    audio.sampleRate = sampleRate;
    audio.layout =
        decant::library::ffmpeg::ChannelLayout(decant::library::nativeLayout(AV_CH_LAYOUT_STEREO));
    for (auto _ : state) {
        const auto meter = LoudnessMeter::create(audio);
        for (const auto& frame : input) {
            meter->add(*frame);
        }
        benchmark::DoNotOptimize(meter->finish());
    }
}

void shorts(benchmark::State& state) {
    measure<int16_t>(state, AV_SAMPLE_FMT_S16, 1);
}
void planarInts(benchmark::State& state) {
    measure<int32_t>(state, AV_SAMPLE_FMT_S32P, 65536);
}
void floats(benchmark::State& state) {
    measure<float>(state, AV_SAMPLE_FMT_FLT, 1.0 / 32768);
}
void planarDoubles(benchmark::State& state) {
    measure<double>(state, AV_SAMPLE_FMT_DBLP, 1.0 / 32768);
}

// Digital silence, which must cost no more than music.
void silence(benchmark::State& state) {
    measure<int16_t>(state, AV_SAMPLE_FMT_S16, 0);
}

void libebur128Shorts(benchmark::State& state) {
    const auto& source = music();
    for (auto _ : state) {
        ebur128_state* meter = ebur128_init(
            2, sampleRate, EBUR128_MODE_I | EBUR128_MODE_SAMPLE_PEAK | EBUR128_MODE_HISTOGRAM);
        for (int at = 0; at < frames; at += block) {
            ebur128_add_frames_short(meter, source.data() + size_t(at) * 2,
                                     size_t(std::min(block, frames - at)));
        }
        double loudness = 0;
        ebur128_loudness_global(meter, &loudness);
        benchmark::DoNotOptimize(loudness);
        ebur128_destroy(&meter);
    }
}

BENCHMARK(shorts)->Unit(benchmark::kMillisecond);
BENCHMARK(planarInts)->Unit(benchmark::kMillisecond);
BENCHMARK(floats)->Unit(benchmark::kMillisecond);
BENCHMARK(planarDoubles)->Unit(benchmark::kMillisecond);
BENCHMARK(silence)->Unit(benchmark::kMillisecond);
BENCHMARK(libebur128Shorts)->Unit(benchmark::kMillisecond);

} // namespace
