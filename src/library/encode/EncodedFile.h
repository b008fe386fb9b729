#pragma once

#include "library/encode/GaplessData.h"
#include "library/media/AudioFormat.h"
#include "library/media/FFmpegHandles.h"
#include "library/model/ConversionError.h"

#include <QString>

#include <memory>
#include <utility>
#include <vector>

namespace decant::library {

// How one media file is to be encoded.
struct EncoderSetup {
    const AVCodec* codec = nullptr;
    const char* muxer = nullptr; // FFmpeg's short name: "ipod", "mp3", ...
    AudioFormat format;          // what the encoder is given
    int64_t bitRate = 0;         // bits per second; 0 for lossless encoders
    QString title;               // written into the container's own tags
    // The encoder's private options, by FFmpeg's names.
    std::vector<std::pair<const char*, const char*>> options;
    // Coded by the library's own ALAC encoder rather than FFmpeg's `codec`
    // (which still names the format for the muxer).
    bool ownAlac = false;
};

class PacketEncoder;

// An encoder and the container it writes into one file.
class EncodedFile {
public:
    static std::unique_ptr<EncodedFile> create(const QString& path, const EncoderSetup& setup,
                                               ConversionFailure* failure);

    EncodedFile(ffmpeg::OutputContext container, std::unique_ptr<PacketEncoder> encoder,
                AVStream* stream);
    ~EncodedFile();

    // Samples per channel the encoder takes in each frame.
    int frameSize() const;
    // Whether the last frame may be shorter than the others.
    bool acceptsShortLastFrame() const;

    // Before the first write: the first `samples` written are a lead-in,
    // timed before the track's start so that the container drops them with
    // the encoder's priming (see EncodeRequest::leadIn).
    void startWithLeadIn(int64_t samples);
    // Encodes one frame of `frameSize()` samples and writes what comes out.
    bool write(AVFrame* frame, ConversionFailure* failure);
    // Drains the encoder, completes the container and closes the file.
    bool finish(ConversionFailure* failure);
    // Once finished, for an encoder whose every packet holds a frame of
    // `frameSize()` samples, such as AAC; `length` counts any silence added
    // to fill a last frame the encoder would not take short, and `priming`
    // the lead-in.
    SampleSpan span() const;

private:
    bool send(const AVFrame* frame, ConversionFailure* failure);
    bool fail(int error, ConversionError kind, ConversionFailure* failure) const;

    ffmpeg::OutputContext container_;
    std::unique_ptr<PacketEncoder> encoder_;
    AVStream* stream_; // owned by the container
    ffmpeg::Packet packet_;
    int64_t leadIn_ = 0;
    int64_t nextTimestamp_ = 0;
    int64_t packets_ = 0;
};

} // namespace decant::library
