#include "library/media/AudioFormat.h"

#include <QCoreApplication>
#include <QStringList>

#include <algorithm>
#include <array>
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

// By channel count, as the FLAC format assigns them; zero-terminated like
// FFmpeg's own lists.
const std::array<AVChannelLayout, 9> flacOrder{
    nativeLayout(AV_CH_LAYOUT_MONO),
    nativeLayout(AV_CH_LAYOUT_STEREO),
    nativeLayout(AV_CH_LAYOUT_SURROUND),
    nativeLayout(AV_CH_LAYOUT_QUAD),
    nativeLayout(AV_CH_LAYOUT_5POINT0_BACK),
    nativeLayout(AV_CH_LAYOUT_5POINT1_BACK),
    nativeLayout(AV_CH_LAYOUT_6POINT1),
    nativeLayout(AV_CH_LAYOUT_7POINT1),
    AVChannelLayout{},
};

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

bool holdsExactly(AVSampleFormat source, int sourceBits, AVSampleFormat chosen) {
    return conversionCost(source, sourceBits, chosen) < inexact;
}

int encodedBits(AVSampleFormat chosen, int sourceBits) {
    if (isFloat(chosen)) {
        return containerBits(chosen);
    }
    return std::min(sourceBits, containerBits(chosen));
}

ffmpeg::ChannelLayout unlabelledLayout(int channels) {
    if (channels >= 1 && channels <= 8) {
        return ffmpeg::ChannelLayout(flacOrder[channels - 1]);
    }
    AVChannelLayout unnamed{};
    unnamed.order = AV_CHANNEL_ORDER_UNSPEC;
    unnamed.nb_channels = channels;
    return ffmpeg::ChannelLayout(unnamed);
}

const AVChannelLayout* flacLayouts() {
    return flacOrder.data();
}

QString describeLayout(const ffmpeg::ChannelLayout& layout) {
    const AVChannelLayout& raw = layout.get();
    if (raw.order == AV_CHANNEL_ORDER_UNSPEC) {
        return QCoreApplication::translate("decant::AudioSource", "%1 unnamed channels")
            .arg(raw.nb_channels);
    }
    char text[64] = {};
    av_channel_layout_describe(&raw, text, sizeof text);
    QStringList speakers;
    for (int index = 0; index < raw.nb_channels; ++index) {
        char speaker[16] = {};
        av_channel_name(speaker, sizeof speaker, av_channel_layout_channel_from_index(&raw, index));
        speakers.append(QString::fromLatin1(speaker));
    }
    return QStringLiteral("%1 (%2)").arg(QString::fromLatin1(text), speakers.join(u' '));
}

std::optional<ChannelChoice> chooseChannels(const ffmpeg::ChannelLayout& source,
                                            const AVChannelLayout* supported, int maximumChannels,
                                            bool mayDownmix) {
    const int channels = source.channels();
    if (!supported || supported->nb_channels == 0) {
        if (maximumChannels == 0 || channels <= maximumChannels) {
            return ChannelChoice{source, false};
        }
        return std::nullopt;
    }
    const AVChannelLayout* narrower = nullptr;
    for (const AVChannelLayout* layout = supported; layout->nb_channels != 0; ++layout) {
        if (av_channel_layout_compare(layout, &source.get()) == 0) {
            return ChannelChoice{source, false};
        }
        if (layout->nb_channels < channels &&
            (!narrower || layout->nb_channels > narrower->nb_channels)) {
            narrower = layout;
        }
    }
    // Mixing needs to know which speaker each channel is for.
    if (!mayDownmix || !narrower || source.get().order != AV_CHANNEL_ORDER_NATIVE) {
        return std::nullopt;
    }
    return ChannelChoice{ffmpeg::ChannelLayout(*narrower), true};
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
