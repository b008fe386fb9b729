#include "library/verify/LoudnessMeter.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <numbers>
#include <type_traits>
#include <vector>

// ThreadSanitizer's builds take the baseline build only: the resolver
// that picks a build runs before the sanitizer's runtime has started.
#ifdef __SANITIZE_THREAD__
#define DECANT_FMA_CLONES
#else
#define DECANT_FMA_CLONES [[gnu::target_clones("fma", "default")]]
#endif

namespace decant::library {
namespace {

// Two channels side by side. A channel's filters are a chain in which each
// sample waits for the one before; two independent chains in one SSE2
// register go at the speed of one.
using Pair = double __attribute__((vector_size(16)));

constexpr int maximumChannels = 64;
constexpr int lowestRate = 16;
constexpr int highestRate = 2822400;

// A signal at half the sample rate, some 240 dB below full scale, keeps the
// filters' state away from denormal numbers, which would slow silence down
// many times over; the high-pass passes it, so nothing decays towards them.
constexpr double floorNoise = 1e-12;

constexpr double offset = -0.691;
constexpr double absoluteGate = -70; // LUFS
constexpr double relativeGate = -10; // LU

double energyOf(double loudness) {
    return std::pow(10.0, (loudness - offset) / 10);
}

struct Biquad {
    double b0, b1, b2, a1, a2;
};

// The head's effect: a high shelf of about +4 dB from 1.7 kHz up. Made from
// its analogue prototype by the bilinear transform so that every rate gets
// the same curve, and 48 kHz exactly the published coefficients.
Biquad headShelf(double rate) {
    const double f0 = 1681.974450955533;
    const double gainDb = 3.999843853973347;
    const double q = 0.7071752369554196;
    const double k = std::tan(std::numbers::pi * f0 / rate);
    const double vh = std::pow(10.0, gainDb / 20);
    const double vb = std::pow(vh, 0.4996667741545416);
    const double a0 = 1 + k / q + k * k;
    return {(vh + vb * k / q + k * k) / a0, 2 * (k * k - vh) / a0, (vh - vb * k / q + k * k) / a0,
            2 * (k * k - 1) / a0, (1 - k / q + k * k) / a0};
}

// The revised low-frequency B curve: a second-order high-pass at 38 Hz. Its
// numerator stays 1, -2, 1 unscaled, as the published coefficients have it.
Biquad rlbHighPass(double rate) {
    const double f0 = 38.13547087602444;
    const double q = 0.5003270373238773;
    const double k = std::tan(std::numbers::pi * f0 / rate);
    const double a0 = 1 + k / q + k * k;
    return {1, -2, 1, 2 * (k * k - 1) / a0, (1 - k / q + k * k) / a0};
}

bool layoutHas(const AVChannelLayout& layout, AVChannel channel) {
    return av_channel_layout_index_from_channel(&layout, channel) >= 0;
}

// The speaker's place in BS.1770's weighting: the surround pair at ±110°
// (or the sides at ±90° where there are back speakers too) counts 1.41
// times; the LFE not at all; everything else, the backs at ±135° behind
// sides included, once.
double weightingOf(const AVChannelLayout& layout, unsigned index) {
    const bool sides = layoutHas(layout, AV_CHAN_SIDE_LEFT);
    switch (av_channel_layout_channel_from_index(&layout, index)) {
    case AV_CHAN_LOW_FREQUENCY:
        return 0;
    case AV_CHAN_BACK_LEFT:
    case AV_CHAN_BACK_RIGHT:
        return sides ? 1 : 1.41;
    case AV_CHAN_SIDE_LEFT:
    case AV_CHAN_SIDE_RIGHT:
        return 1.41;
    default:
        return 1;
    }
}

template <typename Sample>
constexpr double fullScale = double(std::numeric_limits<Sample>::max()) + 1;
template <> constexpr double fullScale<uint8_t> = 128;
template <> constexpr double fullScale<float> = 1;
template <> constexpr double fullScale<double> = 1;

template <typename Sample> constexpr double zeroOf = std::is_same_v<Sample, uint8_t> ? 128 : 0;

Pair both(double value) {
    return Pair{value, value};
}

// Where a pair of channels' filters stand, in direct form I: the second
// filter's input history is the first one's output history.
struct Chain {
    Pair x1{}, x2{}; // input
    Pair u1{}, u2{}; // after the shelf
    Pair y1{}, y2{}; // after the high-pass
    Pair squares{};  // of the current step
    Pair peak{};
    Pair noise = {floorNoise, floorNoise};
};

struct Filters {
    Biquad shelf, highPass;
};

// Two channels' samples, each `stride` bytes after the one before (packed or
// planar alike), through both filters. The samples are read and scaled in
// the same loop: the filters' recursion leaves the processor idle for most
// of each frame, time enough for the conversion. One instance per sample
// form, so no sample waits on a switch; the recursive terms go last, so that
// each sample waits for its predecessor through one multiplication and one
// subtraction only, or one fused multiply-subtract where there is one.
template <typename Sample>
[[gnu::always_inline]] inline void weigh(Chain& chain, const Filters& filters, const uint8_t* left,
                                         const uint8_t* right, std::ptrdiff_t stride, int count) {
    constexpr double scale = 1 / fullScale<Sample>;
    const Pair sb0 = both(filters.shelf.b0), sb1 = both(filters.shelf.b1),
               sb2 = both(filters.shelf.b2);
    const Pair sa1 = both(filters.shelf.a1), sa2 = both(filters.shelf.a2);
    const Pair ha1 = both(filters.highPass.a1), ha2 = both(filters.highPass.a2);
    Pair x1 = chain.x1, x2 = chain.x2, u1 = chain.u1, u2 = chain.u2, y1 = chain.y1, y2 = chain.y2,
         squares = chain.squares, peak = chain.peak, noise = chain.noise;
    for (int i = 0; i < count; ++i) {
        Sample a, b;
        std::memcpy(&a, left + i * stride, sizeof a);
        std::memcpy(&b, right + i * stride, sizeof b);
        const Pair value = (Pair{double(a), double(b)} - zeroOf<Sample>)*scale;
        const Pair magnitude = value < 0 ? -value : value;
        peak = magnitude > peak ? magnitude : peak;
        noise = -noise;
        const Pair x = value + noise;
        const Pair u = sb0 * x + sb1 * x1 + sb2 * x2 - sa2 * u2 - sa1 * u1;
        const Pair y = u - 2 * u1 + u2 - ha2 * y2 - ha1 * y1;
        squares += y * y;
        x2 = x1;
        x1 = x;
        u2 = u1;
        u1 = u;
        y2 = y1;
        y1 = y;
    }
    chain = {x1, x2, u1, u2, y1, y2, squares, peak, noise};
}

bool canWeigh(AVSampleFormat format) {
    switch (av_get_packed_sample_fmt(format)) {
    case AV_SAMPLE_FMT_U8:
    case AV_SAMPLE_FMT_S16:
    case AV_SAMPLE_FMT_S32:
    case AV_SAMPLE_FMT_S64:
    case AV_SAMPLE_FMT_FLT:
    case AV_SAMPLE_FMT_DBL:
        return true;
    default:
        return false;
    }
}

// Built twice, and the first call picks the build for this processor: with
// fused multiply-adds (this file is compiled to fuse them where it can),
// each filter's recursion waits half as long per sample. The rounding then
// differs in the last bits, far below what loudness is read to.
DECANT_FMA_CLONES void weighRun(AVSampleFormat format, Chain& chain, const Filters& filters,
                                const uint8_t* left, const uint8_t* right, std::ptrdiff_t stride,
                                int count) {
    switch (av_get_packed_sample_fmt(format)) {
    case AV_SAMPLE_FMT_U8:
        return weigh<uint8_t>(chain, filters, left, right, stride, count);
    case AV_SAMPLE_FMT_S16:
        return weigh<int16_t>(chain, filters, left, right, stride, count);
    case AV_SAMPLE_FMT_S32:
        return weigh<int32_t>(chain, filters, left, right, stride, count);
    case AV_SAMPLE_FMT_S64:
        return weigh<int64_t>(chain, filters, left, right, stride, count);
    case AV_SAMPLE_FMT_FLT:
        return weigh<float>(chain, filters, left, right, stride, count);
    case AV_SAMPLE_FMT_DBL:
        return weigh<double>(chain, filters, left, right, stride, count);
    default:
        return;
    }
}

// The gated loudness of these gating blocks' energies together.
double gatedLoudness(std::span<const std::vector<float>* const> lists) {
    double sum = 0;
    size_t count = 0;
    for (const auto* blocks : lists) {
        for (const float energy : *blocks) {
            sum += energy;
        }
        count += blocks->size();
    }
    if (count == 0) {
        return quietestLoudness;
    }
    const double threshold = sum / double(count) * std::pow(10.0, relativeGate / 10);
    sum = 0;
    count = 0;
    for (const auto* blocks : lists) {
        for (const float energy : *blocks) {
            const bool kept = energy >= threshold;
            sum += kept ? energy : 0;
            count += kept;
        }
    }
    return offset + 10 * std::log10(sum / double(count));
}

} // namespace

struct LoudnessMeter::Private {
    int channels = 0;
    Filters filters{};
    // Per pair of channels; an odd last channel is paired with itself, its
    // second lane weighing nothing.
    std::vector<Pair> weights;
    std::vector<Chain> chains;

    int stepFrames = 0; // 100 ms, each gating block being four of them
    int stepFilled = 0;
    double lastSteps[3] = {}; // energies, oldest first
    unsigned long steps = 0;
    // The energy of every gating block above the absolute gate, all an
    // album's figure needs, so that it is exact: 4 bytes per 100 ms, 144 kB
    // for an hour of audio, which a batch keeps for each of its tracks
    // until its albums are known. Silence costs nothing.
    std::vector<float> blocks;

    unsigned long minimumFrames = 0; // one gating block
    unsigned long frames = 0;
    bool failed = false;
    bool measured = false; // finished, and long enough
    double peak = 0;

    void endStep() {
        Pair sum{};
        for (size_t pair = 0; pair < chains.size(); ++pair) {
            sum += weights[pair] * chains[pair].squares;
            chains[pair].squares = Pair{};
        }
        const double energy = (sum[0] + sum[1]) / stepFrames;
        if (++steps >= 4) {
            const double block = (lastSteps[0] + lastSteps[1] + lastSteps[2] + energy) / 4;
            if (block >= energyOf(absoluteGate)) {
                blocks.push_back(float(block));
            }
        }
        lastSteps[0] = lastSteps[1];
        lastSteps[1] = lastSteps[2];
        lastSteps[2] = energy;
        stepFilled = 0;
    }
};

std::unique_ptr<LoudnessMeter> LoudnessMeter::create(const AudioFormat& format) {
    const int channels = format.layout.channels();
    if (channels < 1 || channels > maximumChannels || format.sampleRate < lowestRate ||
        format.sampleRate > highestRate) {
        return nullptr;
    }
    auto d = std::make_unique<Private>();
    d->channels = channels;
    d->filters = {headShelf(format.sampleRate), rlbHighPass(format.sampleRate)};
    const int pairs = (channels + 1) / 2;
    d->weights.assign(size_t(pairs), Pair{});
    for (int channel = 0; channel < channels; ++channel) {
        d->weights[size_t(channel / 2)][channel % 2] =
            weightingOf(format.layout.get(), unsigned(channel));
    }
    d->chains.resize(size_t(pairs));
    // 100 ms rounded to the nearest frame; a block is four of them.
    d->stepFrames = (format.sampleRate + 5) / 10;
    d->minimumFrames = static_cast<unsigned long>(d->stepFrames) * 4;
    return std::unique_ptr<LoudnessMeter>(new LoudnessMeter(std::move(d)));
}

LoudnessMeter::LoudnessMeter(std::unique_ptr<Private> d)
    : d(std::move(d)) {}

LoudnessMeter::~LoudnessMeter() = default;

void LoudnessMeter::add(const AVFrame& frame) {
    if (d->failed || frame.nb_samples <= 0) {
        return;
    }
    const auto format = AVSampleFormat(frame.format);
    if (!canWeigh(format) || frame.ch_layout.nb_channels != d->channels) {
        d->failed = true;
        return;
    }
    const bool planar = av_sample_fmt_is_planar(format);
    const int bytes = av_get_bytes_per_sample(format);
    const std::ptrdiff_t stride = planar ? bytes : std::ptrdiff_t(bytes) * d->channels;
    const auto channel = [&](int index, int frameIndex) {
        return planar
                   ? frame.extended_data[index] + std::ptrdiff_t(frameIndex) * bytes
                   : frame.extended_data[0] + std::ptrdiff_t(index) * bytes + frameIndex * stride;
    };
    for (int done = 0; done < frame.nb_samples;) {
        const int run = std::min(frame.nb_samples - done, d->stepFrames - d->stepFilled);
        for (int pair = 0; pair < int(d->chains.size()); ++pair) {
            const int left = 2 * pair;
            const int right = std::min(left + 1, d->channels - 1);
            weighRun(format, d->chains[size_t(pair)], d->filters, channel(left, done),
                     channel(right, done), stride, run);
        }
        done += run;
        d->stepFilled += run;
        if (d->stepFilled == d->stepFrames) {
            d->endStep();
        }
    }
    d->frames += static_cast<unsigned long>(frame.nb_samples);
}

std::optional<Loudness> LoudnessMeter::finish() {
    for (const Chain& chain : d->chains) {
        d->peak = std::max({d->peak, chain.peak[0], chain.peak[1]});
    }
    d->measured = !d->failed && d->frames >= d->minimumFrames;
    // Only the blocks stay for `combined`.
    d->chains = {};
    d->blocks.shrink_to_fit();
    if (!d->measured) {
        return std::nullopt;
    }
    const std::vector<float>* blocks[] = {&d->blocks};
    return Loudness{gatedLoudness(blocks), d->peak};
}

std::optional<Loudness> LoudnessMeter::combined(std::span<const LoudnessMeter* const> meters) {
    std::vector<const std::vector<float>*> lists;
    Loudness loudness;
    bool measured = false;
    for (const LoudnessMeter* meter : meters) {
        if (meter->d->failed) {
            continue;
        }
        lists.push_back(&meter->d->blocks);
        loudness.peak = std::max(loudness.peak, meter->d->peak);
        measured = measured || meter->d->measured;
    }
    if (!measured) {
        return std::nullopt;
    }
    loudness.integrated = gatedLoudness(lists);
    return loudness;
}

} // namespace decant::library
