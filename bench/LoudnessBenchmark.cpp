// libebur128 measuring a minute of stereo CD audio, as the import measures
// it (integrated loudness and sample peak, histogram mode), fed in each
// form it takes: which of them costs the least processor time, counting the
// conversion from the 16-bit samples a WAV file gives.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <ebur128.h>
#include <random>
#include <vector>

namespace {

constexpr unsigned long sampleRate = 44100;
constexpr size_t frames = 60 * sampleRate;
constexpr size_t block = 4096;

const std::vector<int16_t>& music() {
    static const std::vector<int16_t> samples = [] {
        std::vector<int16_t> made(frames * 2);
        std::mt19937 random(7);
        std::normal_distribution<double> noise(0, 2000);
        for (size_t i = 0; i < frames; ++i) {
            const double tone = 8000 * std::sin(double(i) * 0.0314);
            made[2 * i] = int16_t(tone + noise(random));
            made[2 * i + 1] = int16_t(tone * 0.7 + noise(random));
        }
        return made;
    }();
    return samples;
}

template <typename Sample, typename Add>
void measure(benchmark::State& state, double scale, Add add) {
    const auto& source = music();
    std::vector<Sample> converted(block * 2);
    for (auto _ : state) {
        ebur128_state* meter = ebur128_init(
            2, sampleRate, EBUR128_MODE_I | EBUR128_MODE_SAMPLE_PEAK | EBUR128_MODE_HISTOGRAM);
        for (size_t at = 0; at < frames; at += block) {
            const size_t count = std::min(block, frames - at);
            for (size_t i = 0; i < count * 2; ++i) {
                converted[i] = Sample(source[at * 2 + i] * scale);
            }
            add(meter, converted.data(), count);
        }
        double loudness = 0;
        ebur128_loudness_global(meter, &loudness);
        benchmark::DoNotOptimize(loudness);
        ebur128_destroy(&meter);
    }
}

void shorts(benchmark::State& state) {
    measure<int16_t>(state, 1, ebur128_add_frames_short);
}
void ints(benchmark::State& state) {
    measure<int32_t>(state, 65536, ebur128_add_frames_int);
}
void floats(benchmark::State& state) {
    measure<float>(state, 1.0 / 32768, ebur128_add_frames_float);
}
void doubles(benchmark::State& state) {
    measure<double>(state, 1.0 / 32768, ebur128_add_frames_double);
}

BENCHMARK(shorts)->Unit(benchmark::kMillisecond);
BENCHMARK(ints)->Unit(benchmark::kMillisecond);
BENCHMARK(floats)->Unit(benchmark::kMillisecond);
BENCHMARK(doubles)->Unit(benchmark::kMillisecond);

} // namespace
