#include "library/verify/LoudnessMeter.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <ebur128.h>
#include <vector>

namespace decant::library {
namespace {

struct StateDestroyer {
    void operator()(ebur128_state* state) const { ebur128_destroy(&state); }
};
using State = std::unique_ptr<ebur128_state, StateDestroyer>;

// The histogram keeps a track's gating blocks in a fixed 16 kB, to within
// 0.1 LU, where a list of them would grow with its length: a batch keeps its
// tracks' meters until its albums are known.
constexpr int meterMode = EBUR128_MODE_I | EBUR128_MODE_SAMPLE_PEAK | EBUR128_MODE_HISTOGRAM;

bool layoutHas(const AVChannelLayout& layout, AVChannel channel) {
    return av_channel_layout_index_from_channel(&layout, channel) >= 0;
}

// The speaker's place in BS.1770's weighting: the surround pair at ±110°
// (or the sides at ±90° where there are back speakers too) counts 1.41
// times; the LFE not at all; everything else once.
int weightingOf(const AVChannelLayout& layout, unsigned index) {
    const bool sides = layoutHas(layout, AV_CHAN_SIDE_LEFT);
    const bool backs = layoutHas(layout, AV_CHAN_BACK_LEFT);
    switch (av_channel_layout_channel_from_index(&layout, index)) {
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
        return backs ? EBUR128_Mp090 : EBUR128_LEFT_SURROUND;
    case AV_CHAN_SIDE_RIGHT:
        return backs ? EBUR128_Mm090 : EBUR128_RIGHT_SURROUND;
    case AV_CHAN_BACK_CENTER:
        return EBUR128_Mp180;
    default:
        return EBUR128_CENTER;
    }
}

// One sample as a float of -1 to 1, for the formats libebur128 cannot take
// as they are.
float sampleValue(const AVFrame& frame, int channel, int index) {
    const auto format = AVSampleFormat(frame.format);
    const int bytes = av_get_bytes_per_sample(format);
    const uint8_t* at =
        av_sample_fmt_is_planar(format)
            ? frame.extended_data[channel] + std::ptrdiff_t(index) * bytes
            : frame.extended_data[0] +
                  (std::ptrdiff_t(index) * frame.ch_layout.nb_channels + channel) * bytes;
    switch (av_get_packed_sample_fmt(format)) {
    case AV_SAMPLE_FMT_U8:
        return float(int(*at) - 128) / 128;
    case AV_SAMPLE_FMT_S16: {
        int16_t value;
        std::memcpy(&value, at, sizeof value);
        return float(value) / 32768;
    }
    case AV_SAMPLE_FMT_S32: {
        int32_t value;
        std::memcpy(&value, at, sizeof value);
        return float(double(value) / 2147483648.0);
    }
    case AV_SAMPLE_FMT_S64: {
        int64_t value;
        std::memcpy(&value, at, sizeof value);
        return float(double(value) / 9223372036854775808.0);
    }
    case AV_SAMPLE_FMT_FLT: {
        float value;
        std::memcpy(&value, at, sizeof value);
        return value;
    }
    case AV_SAMPLE_FMT_DBL: {
        double value;
        std::memcpy(&value, at, sizeof value);
        return float(value);
    }
    default:
        return 0;
    }
}

} // namespace

struct LoudnessMeter::Private {
    State state;
    unsigned long minimumFrames = 0; // one gating block
    unsigned long frames = 0;
    bool failed = false;
    bool measured = false; // finished, and long enough
    double peak = 0;
    std::vector<float> interleaved; // for formats libebur128 cannot take
};

std::unique_ptr<LoudnessMeter> LoudnessMeter::create(const AudioFormat& format) {
    const auto channels = unsigned(format.layout.channels());
    State state(ebur128_init(channels, static_cast<unsigned long>(format.sampleRate), meterMode));
    if (!state) {
        return nullptr;
    }
    for (unsigned channel = 0; channel < channels; ++channel) {
        ebur128_set_channel(state.get(), channel, weightingOf(format.layout.get(), channel));
    }
    auto d = std::make_unique<Private>();
    d->state = std::move(state);
    // 400 ms, rounded as libebur128 rounds its 100 ms steps.
    d->minimumFrames = (static_cast<unsigned long>(format.sampleRate) + 5) / 10 * 4;
    return std::unique_ptr<LoudnessMeter>(new LoudnessMeter(std::move(d)));
}

LoudnessMeter::LoudnessMeter(std::unique_ptr<Private> d)
    : d(std::move(d)) {}

LoudnessMeter::~LoudnessMeter() = default;

void LoudnessMeter::add(const AVFrame& frame) {
    if (d->failed || frame.nb_samples <= 0) {
        return;
    }
    ebur128_state* state = d->state.get();
    const auto frames = size_t(frame.nb_samples);
    int result = EBUR128_SUCCESS;
    switch (AVSampleFormat(frame.format)) {
    case AV_SAMPLE_FMT_S16:
        result =
            ebur128_add_frames_short(state, reinterpret_cast<const short*>(frame.data[0]), frames);
        break;
    case AV_SAMPLE_FMT_S32:
        result = ebur128_add_frames_int(state, reinterpret_cast<const int*>(frame.data[0]), frames);
        break;
    case AV_SAMPLE_FMT_FLT:
        result =
            ebur128_add_frames_float(state, reinterpret_cast<const float*>(frame.data[0]), frames);
        break;
    case AV_SAMPLE_FMT_DBL:
        result = ebur128_add_frames_double(state, reinterpret_cast<const double*>(frame.data[0]),
                                           frames);
        break;
    default: {
        const int channels = frame.ch_layout.nb_channels;
        d->interleaved.resize(frames * size_t(channels));
        float* out = d->interleaved.data();
        for (int index = 0; index < frame.nb_samples; ++index) {
            for (int channel = 0; channel < channels; ++channel) {
                *out++ = sampleValue(frame, channel, index);
            }
        }
        result = ebur128_add_frames_float(state, d->interleaved.data(), frames);
    }
    }
    d->failed = result != EBUR128_SUCCESS;
    d->frames += frames;
}

std::optional<Loudness> LoudnessMeter::finish() {
    ebur128_state* state = d->state.get();
    double integrated = -HUGE_VAL;
    d->peak = 0;
    for (unsigned channel = 0; channel < state->channels; ++channel) {
        double peak = 0;
        ebur128_sample_peak(state, channel, &peak);
        d->peak = std::max(d->peak, peak);
    }
    d->failed = d->failed || ebur128_loudness_global(state, &integrated) != EBUR128_SUCCESS;
    d->measured = !d->failed && d->frames >= d->minimumFrames;
    // What an album's figure needs is the histogram of gating blocks, which
    // a change of parameters keeps; the buffers for 400 ms of every channel
    // (a megabyte for stereo) shrink to those of a few samples of one.
    ebur128_change_parameters(state, 1, 16);
    d->interleaved = {};
    if (!d->measured) {
        return std::nullopt;
    }
    return Loudness{std::isfinite(integrated) ? integrated : quietestLoudness, d->peak};
}

std::optional<Loudness> LoudnessMeter::combined(std::span<const LoudnessMeter* const> meters) {
    std::vector<ebur128_state*> states;
    Loudness loudness;
    bool measured = false;
    for (const LoudnessMeter* meter : meters) {
        if (meter->d->failed) {
            continue;
        }
        // libebur128 only reads them.
        states.push_back(meter->d->state.get());
        loudness.peak = std::max(loudness.peak, meter->d->peak);
        measured = measured || meter->d->measured;
    }
    double integrated = -HUGE_VAL;
    if (!measured || ebur128_loudness_global_multiple(states.data(), states.size(), &integrated) !=
                         EBUR128_SUCCESS) {
        return std::nullopt;
    }
    loudness.integrated = std::isfinite(integrated) ? integrated : quietestLoudness;
    return loudness;
}

} // namespace decant::library
