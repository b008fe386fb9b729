#pragma once

#include "library/media/FFmpegHandles.h"

#include <QString>

#include <bit>
#include <optional>

namespace decant::library {

// The shape of a stream of samples.
struct AudioFormat {
    AVSampleFormat sampleFormat = AV_SAMPLE_FMT_NONE;
    int sampleRate = 0;
    ffmpeg::ChannelLayout layout;
    // Significant bits of each sample: 24 for 24-bit audio carried in s32.
    int bitsPerSample = 0;
};

// The layout of these speakers, in FFmpeg's order (FL FR FC LFE BL BR...).
constexpr AVChannelLayout nativeLayout(uint64_t speakers) {
    AVChannelLayout layout{};
    layout.order = AV_CHANNEL_ORDER_NATIVE;
    layout.nb_channels = std::popcount(speakers);
    layout.u.mask = speakers;
    return layout;
}

// FLAC's channel order, which a WAV file that names no speakers follows: 1 FC
// (mono), 2 FL FR, 3 FL FR FC, 4 FL FR BL BR, 5 FL FR FC BL BR, 6 FL FR FC
// LFE BL BR, 7 FL FR FC LFE BC SL SR, 8 FL FR FC LFE BL BR SL SR. FFmpeg's
// own default differs for 3 (2.1) and 4 (4.0) channels. Beyond eight
// channels, a layout that names no speakers.
ffmpeg::ChannelLayout unlabelledLayout(int channels);

// FLAC's layouts for 1 to 8 channels, ending with a zero-channel layout.
const AVChannelLayout* flacLayouts();

// "quad (FL FR BL BR)", or "10 unnamed channels".
QString describeLayout(const ffmpeg::ChannelLayout& layout);

// How the source's channels reach an encoder.
struct ChannelChoice {
    ffmpeg::ChannelLayout layout; // what the encoder is given
    bool downmix = false;         // fewer channels: mixed by speaker, not copied
};

// The source's layout when the encoder takes it, speaker for speaker (never
// merely the same number of channels under other names); else, for an
// encoder that may mix down, the widest layout it takes that is narrower
// than the source. Nothing when neither holds. `supported` ends with a
// zero-channel layout; null means any layout of up to `maximumChannels`
// (0: of any width).
std::optional<ChannelChoice> chooseChannels(const ffmpeg::ChannelLayout& source,
                                            const AVChannelLayout* supported, int maximumChannels,
                                            bool mayDownmix);

// The supported rate closest to the source from above, so that nothing
// audible is lost; the highest supported one when all are lower. `supported`
// ends with 0; null means any rate.
int chooseSampleRate(int source, const int* supported);

// The supported format that holds the source's samples exactly with the
// least waste, else the one that loses least. `supported` ends with
// AV_SAMPLE_FMT_NONE; null means the source's own.
AVSampleFormat chooseSampleFormat(AVSampleFormat source, int sourceBits,
                                  const AVSampleFormat* supported);

// Whether samples of the source's format and depth survive conversion to
// `chosen` unchanged.
bool holdsExactly(AVSampleFormat source, int sourceBits, AVSampleFormat chosen);

// The significant bits the encoder keeps of a source of `sourceBits` in the
// chosen format.
int encodedBits(AVSampleFormat chosen, int sourceBits);

// The PCM codec a WAV file of this sample format and depth is written with.
AVCodecID pcmCodecFor(AVSampleFormat format, int bits);

} // namespace decant::library
