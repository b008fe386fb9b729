#pragma once

#include "library/FFmpegHandles.h"

namespace decant::library {

// The shape of a stream of samples.
struct AudioFormat {
    AVSampleFormat sampleFormat = AV_SAMPLE_FMT_NONE;
    int sampleRate = 0;
    ffmpeg::ChannelLayout layout;
    // Significant bits of each sample: 24 for 24-bit audio carried in s32.
    int bitsPerSample = 0;
};

// What an encoder is given, and what the sample converter must produce for
// it. The two layouts differ only in name when the channel count is kept:
// the converter then passes channels through by position instead of
// remixing between two names for the same speakers, which keeps lossless
// encoders bit-exact.
struct EncoderInput {
    AudioFormat encoder;
    ffmpeg::ChannelLayout converterLayout;
};

// The supported rate closest to the source from above, so that nothing
// audible is lost; the highest supported one when all are lower. `supported`
// ends with 0; null means any rate.
int chooseSampleRate(int source, const int* supported);

// The supported format that holds the source's samples exactly with the
// least waste, else the one that loses least. `supported` ends with
// AV_SAMPLE_FMT_NONE; null means the source's own.
AVSampleFormat chooseSampleFormat(AVSampleFormat source, int sourceBits,
                                  const AVSampleFormat* supported);

// The significant bits the encoder keeps of a source of `sourceBits` in the
// chosen format.
int encodedBits(AVSampleFormat chosen, int sourceBits);

// The source's layout when the encoder takes its channel count, else the
// largest supported layout that is not wider than the source (or the
// narrowest one). `supported` ends with a zero-channel layout; null means
// any layout of up to `maximumChannels`.
EncoderInput chooseChannels(const AudioFormat& source, const AVChannelLayout* supported,
                            int maximumChannels);

// The PCM codec a WAV file of this sample format and depth is written with.
AVCodecID pcmCodecFor(AVSampleFormat format, int bits);

} // namespace decant::library
