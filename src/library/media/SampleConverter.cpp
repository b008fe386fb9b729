#include "library/media/SampleConverter.h"

extern "C" {
#include <libavutil/opt.h>
}

#include <algorithm>

namespace decant::library {

std::unique_ptr<SampleConverter> SampleConverter::create(const AudioFormat& source,
                                                         const AudioFormat& target, int frameSize,
                                                         int* error) {
    SwrContext* raw = nullptr;
    // FFmpeg 5.1 declares the layouts mutable but only reads them.
    *error = swr_alloc_set_opts2(&raw, const_cast<AVChannelLayout*>(&target.layout.get()),
                                 target.sampleFormat, target.sampleRate,
                                 const_cast<AVChannelLayout*>(&source.layout.get()),
                                 source.sampleFormat, source.sampleRate, 0, nullptr);
    ffmpeg::Resampler resampler(raw);
    if (*error >= 0) {
        // A mix-down keeps the LFE, at the level of the centre, rather than
        // leaving it out as FFmpeg does by default: no channel goes silent.
        *error = av_opt_set_double(raw, "lfe_mix_level", 1.0, 0);
    }
    if (*error >= 0) {
        *error = swr_init(raw);
    }
    ffmpeg::Fifo fifo(
        av_audio_fifo_alloc(target.sampleFormat, target.layout.channels(), frameSize));
    if (*error >= 0 && !fifo) {
        *error = AVERROR(ENOMEM);
    }
    if (*error < 0) {
        return nullptr;
    }
    return std::make_unique<SampleConverter>(std::move(resampler), std::move(fifo), target,
                                             frameSize);
}

SampleConverter::SampleConverter(ffmpeg::Resampler resampler, ffmpeg::Fifo fifo, AudioFormat target,
                                 int frameSize)
    : resampler_(std::move(resampler))
    , fifo_(std::move(fifo))
    , target_(std::move(target))
    , frameSize_(frameSize) {}

ffmpeg::Frame SampleConverter::allocateFrame(int samples, int* error) const {
    ffmpeg::Frame frame(av_frame_alloc());
    if (!frame) {
        *error = AVERROR(ENOMEM);
        return nullptr;
    }
    frame->format = target_.sampleFormat;
    frame->sample_rate = target_.sampleRate;
    frame->nb_samples = samples;
    *error = av_channel_layout_copy(&frame->ch_layout, &target_.layout.get());
    if (*error >= 0) {
        *error = av_frame_get_buffer(frame.get(), 0);
    }
    return *error < 0 ? nullptr : std::move(frame);
}

int SampleConverter::push(const AVFrame* frame) {
    const int inputSamples = frame ? frame->nb_samples : 0;
    int error = 0;
    for (;;) {
        const int room = swr_get_out_samples(resampler_.get(), inputSamples);
        if (room < 0) {
            return room;
        }
        if (room == 0) {
            return 0;
        }
        if (!converted_ || converted_->nb_samples < room) {
            converted_ = allocateFrame(room, &error);
            if (!converted_) {
                return error;
            }
        }
        const int samples = swr_convert(
            resampler_.get(), converted_->extended_data, room,
            frame ? const_cast<const uint8_t**>(frame->extended_data) : nullptr, inputSamples);
        if (samples < 0) {
            return samples;
        }
        if (samples > 0 &&
            av_audio_fifo_write(fifo_.get(), reinterpret_cast<void**>(converted_->extended_data),
                                samples) < samples) {
            return AVERROR(ENOMEM);
        }
        // A frame is converted in one call; draining repeats until the
        // resampler has given back everything it held.
        if (frame || samples == 0) {
            return 0;
        }
    }
}

ffmpeg::Frame SampleConverter::pop(bool final, bool shortLastFrame, int* error) {
    *error = 0;
    const int queued = av_audio_fifo_size(fifo_.get());
    if (queued == 0 || (queued < frameSize_ && !final)) {
        return nullptr;
    }
    const int samples = std::min(queued, frameSize_);
    ffmpeg::Frame frame = allocateFrame(shortLastFrame ? samples : frameSize_, error);
    if (!frame) {
        return nullptr;
    }
    if (samples < frame->nb_samples) {
        av_samples_set_silence(frame->extended_data, samples, frame->nb_samples - samples,
                               frame->ch_layout.nb_channels, target_.sampleFormat);
    }
    if (av_audio_fifo_read(fifo_.get(), reinterpret_cast<void**>(frame->extended_data), samples) <
        samples) {
        *error = AVERROR(EIO);
        return nullptr;
    }
    return frame;
}

bool fitsInBits(const AVFrame& frame, int bits) {
    const bool planar = av_sample_fmt_is_planar(AVSampleFormat(frame.format));
    const int channels = frame.ch_layout.nb_channels;
    const int planes = planar ? channels : 1;
    const int samplesPerPlane = frame.nb_samples * (planar ? 1 : channels);
    // One pass that only ORs, which compilers vectorise: a check of every
    // sample costs less than copying the frame once.
    uint32_t used = 0;
    for (int plane = 0; plane < planes; ++plane) {
        const auto* samples = reinterpret_cast<const uint32_t*>(frame.extended_data[plane]);
        for (int index = 0; index < samplesPerPlane; ++index) {
            used |= samples[index];
        }
    }
    const uint32_t lowBits = bits >= 32 ? 0 : (uint32_t(1) << (32 - bits)) - 1;
    return (used & lowBits) == 0;
}

} // namespace decant::library
