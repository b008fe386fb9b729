#pragma once

#include "library/media/AudioFormat.h"
#include "library/media/FFmpegHandles.h"
#include "library/model/ConversionError.h"

#include <QString>

#include <memory>

class QCryptographicHash;

namespace decant::library {

// The decoded audio of one WAV file, frame by frame.
class AudioSource {
public:
    // Opens the file as RIFF WAVE (never guessing another format from its
    // contents); null, with the reason, when it is not one FFmpeg decodes.
    static std::unique_ptr<AudioSource> openWav(const QString& path, ConversionFailure* failure);
    // Opens a file the library encoded, with the demuxer of its format
    // ("mov", "ogg"...); null, with FFmpeg's reason, when it cannot be read.
    static std::unique_ptr<AudioSource> openEncoded(const QString& path, const char* demuxer,
                                                    QString* error);

    AudioSource(ffmpeg::InputContext container, ffmpeg::CodecContext decoder, int streamIndex);

    // The decoded samples' format; channels the file does not name are
    // taken to be in FLAC's order.
    const AudioFormat& format() const { return format_; }
    // The stream's codec: "pcm_s24le" for a WAV file of 24-bit samples.
    QString codecName() const;

    // Adds every packet of the stream read from now on to `digest`, before
    // it is decoded; null stops.
    void digestPackets(QCryptographicHash* digest) { packetDigest_ = digest; }

    // Moves to the frame that holds `sample` (per channel, from the start),
    // or the one before; false when the stream cannot seek, or its length
    // is unknown. Reading goes on from there.
    bool seekNear(int64_t sample);
    // Samples per channel, as the container states them; 0 when unknown.
    int64_t statedLength() const;

    enum class Read { Frame, End, Failed };
    // The next decoded frame into `frame`.
    Read read(AVFrame* frame, ConversionFailure* failure);

private:
    static std::unique_ptr<AudioSource> open(const QString& path, const char* demuxer,
                                             ConversionFailure* failure,
                                             bool findStreamInfo = false);
    Read fail(int error, ConversionFailure* failure);

    ffmpeg::InputContext container_;
    ffmpeg::CodecContext decoder_;
    ffmpeg::Packet packet_;
    int streamIndex_;
    bool draining_ = false;
    AudioFormat format_;
    QCryptographicHash* packetDigest_ = nullptr;
};

} // namespace decant::library
