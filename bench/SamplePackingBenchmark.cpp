// The cost of turning one decoded frame into WAV bytes, per layout. The
// common layouts have loops of their own; the rest share a general one.
#include "decode/SamplePacking.h"
#include "decode/WAVHeader.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

namespace {

// The block size libFLAC's encoder uses at its default levels.
constexpr std::size_t frameSamples = 4096;

void packFrame(benchmark::State& state) {
    const auto bits = unsigned(state.range(0));
    const auto channelCount = std::size_t(state.range(1));
    std::vector<std::vector<int32_t>> samples(channelCount, std::vector<int32_t>(frameSamples));
    std::vector<const int32_t*> channels;
    const int32_t limit = int32_t((int64_t(1) << (bits - 1)) - 1);
    for (std::size_t channel = 0; channel < channelCount; ++channel) {
        for (std::size_t index = 0; index < frameSamples; ++index) {
            samples[channel][index] = int32_t((index * 7919 + channel * 104729) % uint32_t(limit));
        }
        channels.push_back(samples[channel].data());
    }
    const std::size_t bytes = frameSamples * channelCount * decant::containerBytes(bits);
    std::vector<unsigned char> output(bytes);

    for (auto _ : state) {
        decant::packSamples(channels, frameSamples, bits, output.data());
        benchmark::DoNotOptimize(output.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(bytes));
}

BENCHMARK(packFrame)
    ->ArgNames({"bits", "channels"})
    ->Args({16, 2})
    ->Args({16, 1})
    ->Args({24, 2})
    ->Args({8, 2})
    ->Args({32, 2})
    ->Args({20, 6})
    ->Args({16, 6});

} // namespace
