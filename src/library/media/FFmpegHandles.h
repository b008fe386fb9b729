#pragma once

// Owners for the FFmpeg objects the encoder uses, so that every exit from a
// conversion releases them.
extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/audio_fifo.h>
#include <libavutil/channel_layout.h>
#include <libswresample/swresample.h>
}

#include <QString>

#include <memory>
#include <mutex>

namespace decant::library::ffmpeg {

struct InputCloser {
    void operator()(AVFormatContext* context) const { avformat_close_input(&context); }
};
struct OutputCloser {
    void operator()(AVFormatContext* context) const {
        if (context->pb && !(context->oformat->flags & AVFMT_NOFILE)) {
            avio_closep(&context->pb);
        }
        avformat_free_context(context);
    }
};
struct CodecFreer {
    void operator()(AVCodecContext* context) const { avcodec_free_context(&context); }
};
struct FrameFreer {
    void operator()(AVFrame* frame) const { av_frame_free(&frame); }
};
struct PacketFreer {
    void operator()(AVPacket* packet) const { av_packet_free(&packet); }
};
struct ResamplerFreer {
    void operator()(SwrContext* context) const { swr_free(&context); }
};
struct FifoFreer {
    void operator()(AVAudioFifo* fifo) const { av_audio_fifo_free(fifo); }
};

using InputContext = std::unique_ptr<AVFormatContext, InputCloser>;
using OutputContext = std::unique_ptr<AVFormatContext, OutputCloser>;
using CodecContext = std::unique_ptr<AVCodecContext, CodecFreer>;
using Frame = std::unique_ptr<AVFrame, FrameFreer>;
using Packet = std::unique_ptr<AVPacket, PacketFreer>;
using Resampler = std::unique_ptr<SwrContext, ResamplerFreer>;
using Fifo = std::unique_ptr<AVAudioFifo, FifoFreer>;

// An AVChannelLayout that frees what it owns (custom orders hold a map).
class ChannelLayout {
public:
    ChannelLayout() = default;
    explicit ChannelLayout(const AVChannelLayout& layout) {
        av_channel_layout_copy(&layout_, &layout);
    }
    ChannelLayout(const ChannelLayout& other)
        : ChannelLayout(other.layout_) {}
    ChannelLayout& operator=(const ChannelLayout& other) {
        if (this != &other) {
            av_channel_layout_copy(&layout_, &other.layout_);
        }
        return *this;
    }
    ~ChannelLayout() { av_channel_layout_uninit(&layout_); }

    const AVChannelLayout& get() const { return layout_; }
    int channels() const { return layout_.nb_channels; }

private:
    AVChannelLayout layout_{};
};

// Failures travel back as values with FFmpeg's reason; FFmpeg's own log
// would only repeat them on the terminal of whoever runs Decant. Called
// before anything is read.
inline void silenceLog() {
    static std::once_flag once;
    std::call_once(once, [] { av_log_set_level(AV_LOG_QUIET); });
}

// FFmpeg's message for an error code.
inline QString errorText(int error) {
    char text[AV_ERROR_MAX_STRING_SIZE] = {};
    av_strerror(error, text, sizeof text);
    return QString::fromUtf8(text);
}

} // namespace decant::library::ffmpeg
