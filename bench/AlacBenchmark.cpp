// Our ALAC encoder and decoder against FFmpeg's on one minute of music-like
// audio: processor time per minute (CPU, one iteration per minute) and the
// size of our stream against FFmpeg's. `sizes` runs each encoder once per
// depth and channel count and reports the ratio alone.
#include "AlacSignals.h"
#include "FfmpegAlac.h"
#include "library/codec/alac/AlacDecoder.h"
#include "library/codec/alac/AlacEncoder.h"

#include <benchmark/benchmark.h>

#include <map>
#include <memory>

namespace {

using namespace decant::library::alac;
using decant::test::AlacSignal;
using decant::test::AlacStream;
using decant::test::Planes;

constexpr int sampleRate = 44100;
constexpr int64_t minute = 60 * sampleRate;

const Planes& music(int channels, int bits) {
    static std::map<std::pair<int, int>, Planes> made;
    auto& planes = made[{channels, bits}];
    if (planes.empty()) {
        planes =
            decant::test::alacSignal(AlacSignal::MusicLike, channels, bits, sampleRate, minute);
    }
    return planes;
}

AlacStream encodeOurs(const Planes& planes, int bits) {
    AlacEncoderSettings settings;
    settings.channels = int(planes.size());
    settings.bitsPerSample = bits;
    settings.sampleRate = sampleRate;
    AlacEncoder encoder(settings);
    AlacStream stream;
    stream.cookie = encoder.magicCookie();
    std::vector<const int32_t*> pointers(planes.size());
    for (int64_t start = 0; start < minute; start += encoder.frameLength()) {
        for (size_t c = 0; c < planes.size(); ++c) {
            pointers[c] = planes[c].data() + start;
        }
        const int count = int(std::min<int64_t>(encoder.frameLength(), minute - start));
        const auto packet = encoder.encode(pointers.data(), count);
        stream.packets.emplace_back(packet.begin(), packet.end());
    }
    return stream;
}

size_t bytesOf(const AlacStream& stream) {
    size_t bytes = 0;
    for (const auto& packet : stream.packets) {
        bytes += packet.size();
    }
    return bytes;
}

void ourEncoder(benchmark::State& state) {
    const int channels = int(state.range(0));
    const int bits = int(state.range(1));
    const Planes& planes = music(channels, bits);
    size_t bytes = 0;
    for (auto _ : state) {
        bytes = bytesOf(encodeOurs(planes, bits));
    }
    state.counters["ratio"] = double(bytes) / double(minute * channels * bits / 8);
}

void ffmpegEncoder(benchmark::State& state) {
    const int channels = int(state.range(0));
    const int bits = int(state.range(1));
    const decant::test::FfmpegAlacEncoder encoder(music(channels, bits), bits, sampleRate);
    size_t bytes = 0;
    for (auto _ : state) {
        bytes = bytesOf(encoder.encode());
    }
    state.counters["ratio"] = double(bytes) / double(minute * channels * bits / 8);
}

void ourDecoder(benchmark::State& state) {
    const int bits = int(state.range(1));
    const AlacStream stream = encodeOurs(music(int(state.range(0)), bits), bits);
    AlacError error;
    const auto decoder = AlacDecoder::create(stream.cookie, &error);
    for (auto _ : state) {
        for (const auto& packet : stream.packets) {
            benchmark::DoNotOptimize(decoder->decode(packet));
        }
    }
}

void ffmpegDecoder(benchmark::State& state) {
    const int bits = int(state.range(1));
    const AlacStream stream =
        decant::test::ffmpegAlacEncode(music(int(state.range(0)), bits), bits, sampleRate);
    decant::test::FfmpegAlacDecoder decoder(stream.cookie);
    for (auto _ : state) {
        for (const auto& packet : stream.packets) {
            benchmark::DoNotOptimize(decoder.decodeCount(packet));
        }
    }
}

// Our stream's size over FFmpeg's, per depth and channel count.
void sizes(benchmark::State& state) {
    const int channels = int(state.range(0));
    const int bits = int(state.range(1));
    const Planes& planes = music(channels, bits);
    double ratio = 0;
    for (auto _ : state) {
        ratio = double(bytesOf(encodeOurs(planes, bits))) /
                double(bytesOf(decant::test::ffmpegAlacEncode(planes, bits, sampleRate)));
    }
    state.counters["ours/ffmpeg"] = ratio;
}

void timed(benchmark::internal::Benchmark* benchmark) {
    benchmark->ArgNames({"channels", "bits"})
        ->Args({2, 16})
        ->Args({2, 24})
        ->Unit(benchmark::kMillisecond)
        ->MeasureProcessCPUTime();
}

BENCHMARK(ourEncoder)->Apply(timed);
BENCHMARK(ffmpegEncoder)->Apply(timed);
BENCHMARK(ourDecoder)->Apply(timed);
BENCHMARK(ffmpegDecoder)->Apply(timed);
BENCHMARK(sizes)
    ->ArgNames({"channels", "bits"})
    ->ArgsProduct({{1, 2, 3, 4, 5, 6, 7, 8}, {16, 24}})
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

} // namespace
