#include "library/encode/EncodeWavFile.h"

#include "library/encode/EncodedFile.h"
#include "library/encode/EncodingPlan.h"
#include "library/media/AudioSource.h"
#include "library/media/SampleConverter.h"

#include <QCoreApplication>

#include <algorithm>
#include <vector>

namespace decant::library {
namespace {

using Frames = std::vector<ffmpeg::Frame>;

bool sameFormat(const AudioFormat& first, const AudioFormat& second) {
    return first.sampleFormat == second.sampleFormat && first.sampleRate == second.sampleRate &&
           first.bitsPerSample == second.bitsPerSample &&
           av_channel_layout_compare(&first.layout.get(), &second.layout.get()) == 0;
}

// The last samples of the WAV file at `path`, at least `wanted` of them
// where it holds as many, as decoded frames; none when it is not the
// source's format or cannot be read, which costs the track only its clean
// start.
Frames readLeadIn(const QString& path, const AudioFormat& source, int64_t wanted) {
    ConversionFailure ignored;
    const std::unique_ptr<AudioSource> input = AudioSource::openWav(path, &ignored);
    const int64_t length = input ? input->statedLength() : 0;
    if (length <= 0 || !sameFormat(input->format(), source) ||
        !input->seekNear(std::max<int64_t>(0, length - wanted))) {
        return {};
    }
    // A seek that lands far before the tail is not worth the memory.
    const int64_t most = wanted + 65536;
    Frames frames;
    int64_t samples = 0;
    for (;;) {
        ffmpeg::Frame frame(av_frame_alloc());
        const AudioSource::Read read =
            frame ? input->read(frame.get(), &ignored) : AudioSource::Read::Failed;
        if (read == AudioSource::Read::End) {
            return frames;
        }
        samples += read == AudioSource::Read::Frame ? frame->nb_samples : 0;
        if (read == AudioSource::Read::Failed || samples > most) {
            return {};
        }
        frames.push_back(std::move(frame));
    }
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

// The whole source, decoded, through the converter into the file.
class Transfer {
public:
    Transfer(const EncodingPlan& plan, AudioSource& source, SampleConverter& converter,
             EncodedFile& file, LoudnessMeter* meter, std::stop_token stop)
        : plan_(plan)
        , source_(source)
        , converter_(converter)
        , file_(file)
        , meter_(meter)
        , stop_(std::move(stop)) {}

    // The number of source samples per channel, or -1. A lead-in goes to
    // the encoder first, and is neither measured nor counted.
    int64_t run(const Frames& leadIn, ConversionFailure* failure);

private:
    bool push(const AVFrame* frame, ConversionFailure* failure);
    bool fits(const AVFrame& frame, ConversionFailure* failure) const;

    const EncodingPlan& plan_;
    AudioSource& source_;
    SampleConverter& converter_;
    EncodedFile& file_;
    LoudnessMeter* meter_; // null when not measuring
    std::stop_token stop_;
};

bool Transfer::fits(const AVFrame& frame, ConversionFailure* failure) const {
    if (plan_.fittingBits == 0 || fitsInBits(frame, plan_.fittingBits)) {
        return true;
    }
    *failure = unfittingSamples(plan_, source_.format());
    return false;
}

// Null drains the converter.
bool Transfer::push(const AVFrame* frame, ConversionFailure* failure) {
    const int pushed = converter_.push(frame);
    if (pushed < 0) {
        *failure = {ConversionError::Encoding, ffmpeg::errorText(pushed)};
        return false;
    }
    return passConvertedFrames(converter_, file_, frame == nullptr, failure);
}

int64_t Transfer::run(const Frames& leadIn, ConversionFailure* failure) {
    const ffmpeg::Frame frame(av_frame_alloc());
    if (!frame) {
        *failure = {ConversionError::Encoding, ffmpeg::errorText(AVERROR(ENOMEM))};
        return -1;
    }
    int64_t leadInSamples = 0;
    for (const ffmpeg::Frame& part : leadIn) {
        leadInSamples += part->nb_samples;
    }
    file_.startWithLeadIn(leadInSamples);
    for (const ffmpeg::Frame& part : leadIn) {
        if (!push(part.get(), failure)) {
            return -1;
        }
    }
    int64_t samples = 0;
    AudioSource::Read read;
    while ((read = source_.read(frame.get(), failure)) == AudioSource::Read::Frame) {
        if (stop_.stop_requested()) {
            *failure = {ConversionError::Stopped, {}};
            return -1;
        }
        samples += frame->nb_samples;
        if (meter_) {
            meter_->add(*frame);
        }
        const bool passed = fits(*frame, failure) && push(frame.get(), failure);
        av_frame_unref(frame.get());
        if (!passed) {
            return -1;
        }
    }
    if (read == AudioSource::Read::Failed) {
        return -1;
    }
    return push(nullptr, failure) ? samples : -1;
}

// What the finished file must decode back to. A resampled source's length
// is what the resampler made of it, rounded as it rounds.
ExpectedOutput expectedOutput(const EncodingPlan& plan, const AudioSource& input,
                              const EncodedFile& output, int64_t sourceSamples) {
    ExpectedOutput expected;
    expected.demuxer = plan.demuxer;
    expected.lossless = plan.lossless;
    expected.ownAlac = plan.ownAlac;
    expected.sampleRate = plan.setup.format.sampleRate;
    expected.channels = plan.setup.format.layout.channels();
    const SampleSpan span = output.span();
    expected.samples =
        expected.sampleRate == input.format().sampleRate ? sourceSamples : span.length;
    if (plan.decoderKeepsPadding) {
        expected.samples += span.padding;
    }
    expected.sourceFormat = input.codecName();
    return expected;
}

} // namespace

std::optional<EncodedAudio> encodeWavFile(const QString& source, const QString& destination,
                                          const ImportSettings& settings,
                                          const EncodeRequest& request, ConversionFailure* failure,
                                          std::stop_token stop) {
    const std::unique_ptr<AudioSource> input = AudioSource::openWav(source, failure);
    if (!input) {
        return std::nullopt;
    }
    std::optional<EncodingPlan> plan = planEncoding(settings, input->format(), failure);
    if (!plan) {
        return std::nullopt;
    }
    plan->setup.title = request.title;
    const EncoderSetup& setup = plan->setup;
    const auto output = EncodedFile::create(destination, setup, failure);
    if (!output) {
        return std::nullopt;
    }
    int error = 0;
    const auto converter =
        SampleConverter::create(input->format(), setup.format, output->frameSize(), &error);
    if (!converter) {
        *failure = {ConversionError::Encoding, ffmpeg::errorText(error)};
        return std::nullopt;
    }
    std::unique_ptr<LoudnessMeter> meter =
        request.measureLoudness ? LoudnessMeter::create(input->format()) : nullptr;
    // Two frames: the encoder's overlap and its sense of the music before.
    const bool leadInServes = !request.leadIn.isEmpty() && plan->gaplessTag &&
                              setup.format.sampleRate == input->format().sampleRate;
    const Frames leadIn = leadInServes
                              ? readLeadIn(request.leadIn, input->format(), 2 * output->frameSize())
                              : Frames();
    const int64_t samples =
        Transfer(*plan, *input, *converter, *output, meter.get(), stop).run(leadIn, failure);
    if (samples < 0) {
        return std::nullopt;
    }
    if (samples == 0) {
        *failure = {ConversionError::Undecodable,
                    QCoreApplication::translate("decant::EncodingPlan", "the file holds no audio")};
        return std::nullopt;
    }
    if (!output->finish(failure)) {
        return std::nullopt;
    }
    EncodedAudio encoded;
    encoded.sampleRate = setup.format.sampleRate;
    encoded.channels = setup.format.layout.channels();
    encoded.duration = double(samples) / input->format().sampleRate;
    encoded.expected = expectedOutput(*plan, *input, *output, samples);
    if (plan->gaplessTag) {
        encoded.gapless = output->span();
    }
    if (meter) {
        encoded.loudness = meter->finish();
        encoded.meter = std::move(meter);
    }
    return encoded;
}

} // namespace decant::library
