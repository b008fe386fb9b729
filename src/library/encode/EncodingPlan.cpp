#include "library/encode/EncodingPlan.h"

#include "library/codec/alac/AlacEncoder.h"

#include <QCoreApplication>

#include <algorithm>

namespace decant::library {
namespace {

// libopus refuses more than this per channel.
constexpr int64_t opusMaximumBitRatePerChannel = 256000;

// What FFmpeg 5.1's AAC encoder describes right: a standard channel
// configuration, or for quad a program configuration of a front and a back
// pair. Its program configuration for 6.1 codes the LFE as a side channel
// and pairs the back centre with the left side, so that no decoder, FFmpeg's
// own included, can place the speakers. 7.1 goes out as configuration 7,
// which FFmpeg and the players built on it read back as 7.1; the standard
// calls that configuration 7.1 with a front-wide pair, and the program
// configuration for 7.1 is as scrambled as 6.1's.
const AVChannelLayout aacLayouts[] = {
    nativeLayout(AV_CH_LAYOUT_MONO),         nativeLayout(AV_CH_LAYOUT_STEREO),
    nativeLayout(AV_CH_LAYOUT_SURROUND),     nativeLayout(AV_CH_LAYOUT_QUAD),
    nativeLayout(AV_CH_LAYOUT_5POINT0_BACK), nativeLayout(AV_CH_LAYOUT_5POINT1_BACK),
    nativeLayout(AV_CH_LAYOUT_7POINT1),      AVChannelLayout{},
};

// What each import format is written with, and what its encoder keeps.
struct EncoderFacts {
    const char* codec; // null: the PCM codec that fits the source
    const char* muxer;
    const char* demuxer;
    // Null: the codec's own list, or any layout when it has none.
    const AVChannelLayout* layouts = nullptr;
    int maximumChannels = 0; // without a list: 0 for any number
    int maximumBits = 0;     // of a lossless encoder; 0 for any depth
    bool mixesDown = false;  // a lossy stereo encoder takes wider audio mixed down
    bool gaplessTag = false; // says in iTunSMPB where its priming and padding are
    // FFmpeg 5.1's AAC decoder keeps what fills the last frame: only the
    // priming is dropped, by the edit list.
    bool decoderKeepsPadding = false;
};

EncoderFacts factsOf(ImportFormat format) {
    switch (format) {
    case ImportFormat::Aac:
        return {.codec = "aac",
                .muxer = "ipod",
                .demuxer = "mov",
                .layouts = aacLayouts,
                .gaplessTag = true,
                .decoderKeepsPadding = true};
    case ImportFormat::Alac:
        // Its own list, whose 4, 7 and 8 channels are 4.0, 6.1(back) and
        // 7.1(wide): ALAC has no place for quad's back pair or 6.1's and
        // 7.1's sides. FFmpeg 5.1 writes 32-bit samples as 24-bit ones.
        return {.codec = "alac", .muxer = "ipod", .demuxer = "mov", .maximumBits = 24};
    case ImportFormat::Mp3:
        return {.codec = "libmp3lame", .muxer = "mp3", .demuxer = "mp3", .mixesDown = true};
    case ImportFormat::Opus:
        // libopus takes Vorbis's order, which for up to eight channels is
        // FLAC's; FFmpeg's wrapper refuses any other layout.
        return {.codec = "libopus", .muxer = "opus", .demuxer = "ogg", .layouts = flacLayouts()};
    case ImportFormat::Flac:
        // FFmpeg 5.1 writes 32-bit samples as 24-bit ones.
        return {.codec = "flac",
                .muxer = "flac",
                .demuxer = "flac",
                .maximumChannels = 8,
                .maximumBits = 24};
    case ImportFormat::Wav:
        break;
    }
    return {.codec = nullptr, .muxer = "wav", .demuxer = "wav"};
}

// The settings' rate is for stereo: every channel gets half of it, so that
// 5.1 sounds as good as stereo and mono costs half.
int64_t bitRateFor(const ImportSettings& settings, int channels) {
    if (isLossless(settings.format)) {
        return 0;
    }
    int64_t bits = int64_t(settings.bitRate) * 1000 * channels / 2;
    if (settings.format == ImportFormat::Opus) {
        bits = std::min(bits, opusMaximumBitRatePerChannel * channels);
    }
    return bits;
}

bool refuse(const QString& reason, ConversionFailure* failure) {
    *failure = {ConversionError::Unsupported, reason};
    return false;
}

// "24-bit integer", "32-bit floating-point".
QString describeSamples(const AudioFormat& format) {
    const AVSampleFormat packed = av_get_packed_sample_fmt(format.sampleFormat);
    const bool floating = packed == AV_SAMPLE_FMT_FLT || packed == AV_SAMPLE_FMT_DBL;
    return (floating ? QCoreApplication::translate("decant::EncodingPlan", "%1-bit floating-point")
                     : QCoreApplication::translate("decant::EncodingPlan", "%1-bit integer"))
        .arg(format.bitsPerSample);
}

bool planChannels(EncodingPlan& plan, const EncoderFacts& facts, const AudioFormat& source,
                  ConversionFailure* failure) {
    const auto channels =
        chooseChannels(source.layout, facts.layouts ? facts.layouts : plan.setup.codec->ch_layouts,
                       facts.maximumChannels, facts.mixesDown);
    if (!channels) {
        return refuse(QCoreApplication::translate("decant::EncodingPlan",
                                                  "%1 cannot encode the channel layout %2")
                          .arg(plan.encoder, describeLayout(source.layout)),
                      failure);
    }
    plan.setup.format.layout = channels->layout;
    return true;
}

// A lossless encoder gives back every bit or fails: a source it cannot hold
// exactly is refused, unless its samples, deeper on paper, fit in what the
// encoder keeps; that shows only sample by sample.
bool planDepth(EncodingPlan& plan, const EncoderFacts& facts, const AudioFormat& source,
               bool lossless, ConversionFailure* failure) {
    AudioFormat& format = plan.setup.format;
    format.bitsPerSample = encodedBits(format.sampleFormat, source.bitsPerSample);
    if (!lossless) {
        return true;
    }
    if (!holdsExactly(source.sampleFormat, source.bitsPerSample, format.sampleFormat)) {
        return refuse(
            QCoreApplication::translate("decant::EncodingPlan", "%1 cannot keep %2 samples exactly")
                .arg(plan.encoder, describeSamples(source)),
            failure);
    }
    if (facts.maximumBits == 0 || source.bitsPerSample <= facts.maximumBits) {
        return true;
    }
    if (av_get_packed_sample_fmt(source.sampleFormat) != AV_SAMPLE_FMT_S32) {
        return refuse(QCoreApplication::translate(
                          "decant::EncodingPlan",
                          "%1 keeps at most %2 bits a sample; this audio has %3 samples")
                          .arg(plan.encoder)
                          .arg(facts.maximumBits)
                          .arg(describeSamples(source)),
                      failure);
    }
    plan.fittingBits = facts.maximumBits;
    format.bitsPerSample = facts.maximumBits;
    return true;
}

// The library's ALAC encoder codes what FFmpeg's takes, faster and no
// larger; it is given every depth in 32-bit words, filled from the top, so
// that the conversion from the source is one pass. Like FFmpeg's, it codes
// 8-bit audio as 16-bit.
void chooseOwnAlac(EncodingPlan& plan) {
    AudioFormat& format = plan.setup.format;
    alac::AlacEncoderSettings settings;
    settings.channels = format.layout.channels();
    settings.bitsPerSample = std::max(format.bitsPerSample, 16);
    settings.sampleRate = format.sampleRate;
    settings.sampleShift = 32 - settings.bitsPerSample;
    if (alac::AlacEncoder::isSupported(settings)) {
        format.sampleFormat = AV_SAMPLE_FMT_S32P;
        format.bitsPerSample = settings.bitsPerSample;
        plan.setup.ownAlac = plan.ownAlac = true;
    }
}

} // namespace

std::optional<EncodingPlan> planEncoding(const ImportSettings& settings, const AudioFormat& source,
                                         ConversionFailure* failure) {
    const EncoderFacts facts = factsOf(settings.format);
    EncodingPlan plan;
    plan.encoder = formatName(settings.format);
    plan.gaplessTag = facts.gaplessTag;
    plan.lossless = isLossless(settings.format);
    plan.demuxer = facts.demuxer;
    plan.decoderKeepsPadding = facts.decoderKeepsPadding;
    EncoderSetup& setup = plan.setup;
    setup.muxer = facts.muxer;
    setup.codec =
        facts.codec ? avcodec_find_encoder_by_name(facts.codec)
                    : avcodec_find_encoder(pcmCodecFor(source.sampleFormat, source.bitsPerSample));
    if (!setup.codec) {
        *failure = {
            ConversionError::Encoding,
            QCoreApplication::translate("decant::EncodingPlan", "FFmpeg lacks the %1 encoder")
                .arg(plan.encoder)};
        return std::nullopt;
    }
    setup.format.sampleFormat =
        chooseSampleFormat(source.sampleFormat, source.bitsPerSample, setup.codec->sample_fmts);
    setup.format.sampleRate =
        chooseSampleRate(source.sampleRate, setup.codec->supported_samplerates);
    if (!planChannels(plan, facts, source, failure) ||
        !planDepth(plan, facts, source, isLossless(settings.format), failure)) {
        return std::nullopt;
    }
    setup.bitRate = bitRateFor(settings, setup.format.layout.channels());
    if (settings.format == ImportFormat::Alac) {
        chooseOwnAlac(plan);
    }
    if (settings.format == ImportFormat::Opus && setup.format.layout.channels() > 2) {
        // FFmpeg 5.1's default for surround puts the channels in Vorbis's
        // order and then has libopus reorder them once more, which moves
        // the centre of 5.0 and 6.1 to another speaker; asking for mapping
        // family 1 takes the path that reorders once (and lets libopus
        // treat the LFE as one).
        setup.options.emplace_back("mapping_family", "1");
    }
    return plan;
}

const char* demuxerName(ImportFormat format) {
    return factsOf(format).demuxer;
}

ConversionFailure unfittingSamples(const EncodingPlan& plan, const AudioFormat& source) {
    return {ConversionError::Unsupported,
            QCoreApplication::translate(
                "decant::EncodingPlan",
                "%1 keeps at most %2 bits a sample, and this audio's %3 samples do not "
                "fit in %2")
                .arg(plan.encoder)
                .arg(plan.fittingBits)
                .arg(describeSamples(source))};
}

} // namespace decant::library
