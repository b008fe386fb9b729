#include "library/Encoder.h"

#include "library/AudioSource.h"
#include "library/EncodedFile.h"
#include "library/SampleConverter.h"

#include <algorithm>
#include <mutex>

namespace decant::library {
namespace {

// Every encoder we use takes at most this many channels without a list of
// its own; wider audio is mixed down.
constexpr int maximumChannels = 8;
// libopus refuses more than this per channel.
constexpr int opusMaximumBitRatePerChannel = 256;

struct EncoderName {
    const char* codec; // null: the PCM codec that fits the source
    const char* muxer;
};

EncoderName encoderNameFor(Encoder encoder) {
    switch (encoder) {
    case Encoder::Aac:
        return {"aac", "ipod"};
    case Encoder::Alac:
        return {"alac", "ipod"};
    case Encoder::Mp3:
        return {"libmp3lame", "mp3"};
    case Encoder::Opus:
        return {"libopus", "opus"};
    case Encoder::Flac:
        return {"flac", "flac"};
    case Encoder::Wav:
        break;
    }
    return {nullptr, "wav"};
}

// Failures travel back as values with FFmpeg's reason; FFmpeg's own log
// would only repeat them on the terminal of whoever runs Decant.
void silenceFFmpegLog() {
    static std::once_flag once;
    std::call_once(once, [] { av_log_set_level(AV_LOG_QUIET); });
}

// The encoder's setup, and the channel layout the converter produces for it.
struct Plan {
    EncoderSetup setup;
    ffmpeg::ChannelLayout converterLayout;
};

Plan planFor(const ImportSettings& settings, const AudioFormat& source) {
    const EncoderName name = encoderNameFor(settings.encoder);
    Plan plan;
    EncoderSetup& setup = plan.setup;
    setup.muxer = name.muxer;
    setup.codec =
        name.codec ? avcodec_find_encoder_by_name(name.codec)
                   : avcodec_find_encoder(pcmCodecFor(source.sampleFormat, source.bitsPerSample));
    if (!setup.codec) {
        return plan;
    }
    const AVCodec& codec = *setup.codec;
    setup.format.sampleFormat =
        chooseSampleFormat(source.sampleFormat, source.bitsPerSample, codec.sample_fmts);
    setup.format.sampleRate = chooseSampleRate(source.sampleRate, codec.supported_samplerates);
    setup.format.bitsPerSample = encodedBits(setup.format.sampleFormat, source.bitsPerSample);
    const EncoderInput channels = chooseChannels(source, codec.ch_layouts, maximumChannels);
    setup.format.layout = channels.encoder.layout;
    plan.converterLayout = channels.converterLayout;
    int kilobits = settings.bitRate;
    if (settings.encoder == Encoder::Opus) {
        kilobits =
            std::min(kilobits, opusMaximumBitRatePerChannel * setup.format.layout.channels());
    }
    setup.bitRate = isLossless(settings.encoder) ? 0 : kilobits * 1000;
    return plan;
}

// Moves every frame the converter has ready into the file.
bool passConvertedFrames(SampleConverter& converter, EncodedFile& file, bool final,
                         ConversionFailure* failure) {
    int error = 0;
    while (const ffmpeg::Frame frame = converter.pop(final, file.acceptsShortLastFrame(), &error)) {
        if (!file.write(frame.get(), failure)) {
            return false;
        }
    }
    if (error < 0) {
        *failure = {ConversionError::Encoding, ffmpeg::errorText(error)};
    }
    return error >= 0;
}

// Decodes the whole source through the converter into the file; the number
// of source samples per channel, or -1.
int64_t transfer(AudioSource& source, SampleConverter& converter, EncodedFile& file,
                 const std::stop_token& stop, ConversionFailure* failure) {
    const ffmpeg::Frame frame(av_frame_alloc());
    if (!frame) {
        *failure = {ConversionError::Encoding, ffmpeg::errorText(AVERROR(ENOMEM))};
        return -1;
    }
    int64_t samples = 0;
    AudioSource::Read read;
    while ((read = source.read(frame.get(), failure)) == AudioSource::Read::Frame) {
        if (stop.stop_requested()) {
            *failure = {ConversionError::Stopped, {}};
            return -1;
        }
        samples += frame->nb_samples;
        const int pushed = converter.push(frame.get());
        av_frame_unref(frame.get());
        if (pushed < 0) {
            *failure = {ConversionError::Encoding, ffmpeg::errorText(pushed)};
            return -1;
        }
        if (!passConvertedFrames(converter, file, false, failure)) {
            return -1;
        }
    }
    if (read == AudioSource::Read::Failed) {
        return -1;
    }
    const int drained = converter.push(nullptr);
    if (drained < 0) {
        *failure = {ConversionError::Encoding, ffmpeg::errorText(drained)};
        return -1;
    }
    return passConvertedFrames(converter, file, true, failure) ? samples : -1;
}

} // namespace

std::optional<EncodedAudio> encodeWavFile(const QString& source, const QString& destination,
                                          const ImportSettings& settings, const QString& title,
                                          ConversionFailure* failure, std::stop_token stop) {
    silenceFFmpegLog();
    const std::unique_ptr<AudioSource> input = AudioSource::openWav(source, failure);
    if (!input) {
        return std::nullopt;
    }
    Plan plan = planFor(settings, input->format());
    const EncoderSetup& setup = plan.setup;
    plan.setup.title = title;
    const auto output = EncodedFile::create(destination, setup, failure);
    if (!output) {
        return std::nullopt;
    }
    int error = 0;
    const auto converter = SampleConverter::create(
        input->format(), setup.format, plan.converterLayout, output->frameSize(), &error);
    if (!converter) {
        *failure = {ConversionError::Encoding, ffmpeg::errorText(error)};
        return std::nullopt;
    }
    const int64_t samples = transfer(*input, *converter, *output, stop, failure);
    if (samples < 0) {
        return std::nullopt;
    }
    if (samples == 0) {
        *failure = {ConversionError::Undecodable, QStringLiteral("the file holds no audio")};
        return std::nullopt;
    }
    if (!output->finish(failure)) {
        return std::nullopt;
    }
    return EncodedAudio{setup.format.sampleRate, setup.format.layout.channels(),
                        double(samples) / input->format().sampleRate};
}

} // namespace decant::library
