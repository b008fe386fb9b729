#pragma once

#include "library/media/AudioFormat.h"
#include "library/media/FFmpegHandles.h"

#include <memory>

namespace decant::library {

// Turns decoded frames into frames of the encoder's sample format, rate and
// channel layout, cut to the size the encoder takes. Audio that already has
// the encoder's form passes through unchanged, sample for sample; a
// narrower layout is mixed down by speaker.
class SampleConverter {
public:
    // `frameSize` is the number of samples per channel in each frame given to
    // the encoder. Null when FFmpeg refuses the conversion.
    static std::unique_ptr<SampleConverter>
    create(const AudioFormat& source, const AudioFormat& target, int frameSize, int* error);

    SampleConverter(ffmpeg::Resampler resampler, ffmpeg::Fifo fifo, AudioFormat target,
                    int frameSize);

    // Converts and queues a decoded frame; null drains what the resampler
    // still holds. An FFmpeg error code, or 0.
    int push(const AVFrame* frame);

    // The next frame of exactly the frame size, or, once `final`, what is
    // left (padded with silence to the full size unless `shortLastFrame`).
    // Null when there is not enough (or nothing) queued; `error` is then set
    // if that was a failure.
    ffmpeg::Frame pop(bool final, bool shortLastFrame, int* error);

private:
    ffmpeg::Frame allocateFrame(int samples, int* error) const;

    ffmpeg::Resampler resampler_;
    ffmpeg::Fifo fifo_;
    AudioFormat target_;
    int frameSize_;
    // What push converts into before the FIFO takes it: kept from one push
    // to the next, and grown when a larger frame comes.
    ffmpeg::Frame converted_;
};

// Whether every sample of a frame of 32-bit integers holds a sample of
// `bits` bits, scaled to fill 32 (its low bits all zero).
bool fitsInBits(const AVFrame& frame, int bits);

} // namespace decant::library
