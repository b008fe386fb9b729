#include "library/FormatChoice.h"

#include <algorithm>
#include <climits>

namespace decant::library {
namespace {

bool isFloat(AVSampleFormat format) {
    const AVSampleFormat packed = av_get_packed_sample_fmt(format);
    return packed == AV_SAMPLE_FMT_FLT || packed == AV_SAMPLE_FMT_DBL;
}

int containerBits(AVSampleFormat format) {
    return av_get_bytes_per_sample(format) * 8;
}

// Integer bits a format holds without rounding: a float's mantissa.
int exactIntegerBits(AVSampleFormat format) {
    const AVSampleFormat packed = av_get_packed_sample_fmt(format);
    if (packed == AV_SAMPLE_FMT_FLT) {
        return 24;
    }
    if (packed == AV_SAMPLE_FMT_DBL) {
        return 53;
    }
    return containerBits(format);
}

// Lower is better; below `inexact` the samples survive unchanged.
constexpr int inexact = 1000;

int conversionCost(AVSampleFormat source, int sourceBits, AVSampleFormat candidate) {
    const bool fromFloat = isFloat(source);
    const bool toFloat = isFloat(candidate);
    const int bits = containerBits(candidate);
    if (fromFloat) {
        if (toFloat && bits >= containerBits(source)) {
            return bits - containerBits(source);
        }
        return inexact + (toFloat ? 0 : 1) + (containerBits(source) - std::min(bits, 32));
    }
    if (exactIntegerBits(candidate) >= sourceBits) {
        // Same family first: an integer source stays integer when it can.
        return bits - sourceBits + (toFloat ? 1 : 0);
    }
    return inexact + sourceBits - exactIntegerBits(candidate);
}

} // namespace

int chooseSampleRate(int source, const int* supported) {
    if (!supported) {
        return source;
    }
    int above = INT_MAX;
    int highest = 0;
    for (const int* rate = supported; *rate != 0; ++rate) {
        if (*rate >= source) {
            above = std::min(above, *rate);
        }
        highest = std::max(highest, *rate);
    }
    return above != INT_MAX ? above : highest;
}

AVSampleFormat chooseSampleFormat(AVSampleFormat source, int sourceBits,
                                  const AVSampleFormat* supported) {
    if (!supported) {
        return source;
    }
    AVSampleFormat best = AV_SAMPLE_FMT_NONE;
    int bestCost = INT_MAX;
    for (const AVSampleFormat* format = supported; *format != AV_SAMPLE_FMT_NONE; ++format) {
        int cost = conversionCost(source, sourceBits, *format);
        // Between equals, keep the source's own arrangement (packed or planar).
        cost = cost * 2 + (av_sample_fmt_is_planar(*format) != av_sample_fmt_is_planar(source));
        if (cost < bestCost) {
            best = *format;
            bestCost = cost;
        }
    }
    return best;
}

int encodedBits(AVSampleFormat chosen, int sourceBits) {
    if (isFloat(chosen)) {
        return containerBits(chosen);
    }
    return std::min(sourceBits, containerBits(chosen));
}

EncoderInput chooseChannels(const AudioFormat& source, const AVChannelLayout* supported,
                            int maximumChannels) {
    const int channels = source.layout.channels();
    if (!supported || supported->nb_channels == 0) {
        if (channels <= maximumChannels) {
            return {{.layout = source.layout}, source.layout};
        }
        const auto layout = ffmpeg::ChannelLayout::standard(maximumChannels);
        return {{.layout = layout}, layout};
    }
    // Keep every channel when possible, else lose as few as possible, else
    // add as few as possible.
    const auto cost = [channels](int count) {
        return count <= channels ? channels - count : inexact + count - channels;
    };
    const AVChannelLayout* chosen = supported;
    for (const AVChannelLayout* layout = supported; layout->nb_channels != 0; ++layout) {
        if (cost(layout->nb_channels) < cost(chosen->nb_channels)) {
            chosen = layout;
        }
    }
    const ffmpeg::ChannelLayout encoderLayout(*chosen);
    const bool kept = encoderLayout.channels() == channels;
    return {{.layout = encoderLayout}, kept ? source.layout : encoderLayout};
}

AVCodecID pcmCodecFor(AVSampleFormat format, int bits) {
    switch (av_get_packed_sample_fmt(format)) {
    case AV_SAMPLE_FMT_U8:
        return AV_CODEC_ID_PCM_U8;
    case AV_SAMPLE_FMT_S16:
        return AV_CODEC_ID_PCM_S16LE;
    case AV_SAMPLE_FMT_S32:
        return bits <= 24 ? AV_CODEC_ID_PCM_S24LE : AV_CODEC_ID_PCM_S32LE;
    case AV_SAMPLE_FMT_S64:
        return AV_CODEC_ID_PCM_S64LE;
    case AV_SAMPLE_FMT_FLT:
        return AV_CODEC_ID_PCM_F32LE;
    case AV_SAMPLE_FMT_DBL:
        return AV_CODEC_ID_PCM_F64LE;
    default:
        return AV_CODEC_ID_PCM_S16LE;
    }
}

} // namespace decant::library
