#pragma once

#include "library/ConversionError.h"
#include "library/FFmpegHandles.h"
#include "library/FormatChoice.h"

#include <QString>

#include <memory>

namespace decant::library {

// The decoded audio of one WAV file, frame by frame.
class AudioSource {
public:
    // Opens the file as RIFF WAVE (never guessing another format from its
    // contents); null, with the reason, when it is not one FFmpeg decodes.
    static std::unique_ptr<AudioSource> openWav(const QString& path, ConversionFailure* failure);

    AudioSource(ffmpeg::InputContext container, ffmpeg::CodecContext decoder, int streamIndex);

    // The decoded samples' format; channels the file does not name are
    // taken to be in FLAC's order.
    const AudioFormat& format() const { return format_; }

    enum class Read { Frame, End, Failed };
    // The next decoded frame into `frame`.
    Read read(AVFrame* frame, ConversionFailure* failure);

private:
    Read fail(int error, ConversionFailure* failure);

    ffmpeg::InputContext container_;
    ffmpeg::CodecContext decoder_;
    ffmpeg::Packet packet_;
    int streamIndex_;
    bool draining_ = false;
    AudioFormat format_;
};

} // namespace decant::library
