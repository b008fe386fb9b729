#pragma once

#include "library/encode/EncodedFile.h"

#include <memory>

namespace decant::library {

// What turns frames of samples into packets for the container: FFmpeg's
// encoders, or the library's own ALAC encoder. Used from one thread at a
// time. The calls follow FFmpeg's send and receive protocol: after each
// send, receive until AVERROR(EAGAIN); a null frame drains, after which
// receive ends with AVERROR_EOF.
class PacketEncoder {
public:
    virtual ~PacketEncoder() = default;

    // Samples per channel in each frame it takes: 0 for any number.
    virtual int frameSize() const = 0;
    // Whether the last frame may be shorter than the others.
    virtual bool acceptsShortLastFrame() const = 0;
    // Samples of priming the decoder is to drop.
    virtual int initialPadding() const = 0;
    // What the container's stream is to say of the packets.
    virtual int describe(AVCodecParameters* parameters) const = 0;

    virtual int send(const AVFrame* frame) = 0;
    // Timestamps are in samples.
    virtual int receive(AVPacket* packet) = 0;
};

// FFmpeg's encoder of `setup.codec`, opened; null, with FFmpeg's error.
// `globalHeader`: the container wants the codec's setup out of band.
std::unique_ptr<PacketEncoder> openFfmpegEncoder(const EncoderSetup& setup, bool globalHeader,
                                                 int* error);

// The library's ALAC encoder for `setup.format` (planar 32-bit samples that
// fill their word from the top); null when it takes no such audio.
std::unique_ptr<PacketEncoder> openAlacEncoder(const EncoderSetup& setup);

} // namespace decant::library
