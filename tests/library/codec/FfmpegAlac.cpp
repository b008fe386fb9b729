#include "FfmpegAlac.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/channel_layout.h>
}

#include <algorithm>
#include <cstring>

namespace decant::test {
namespace {

// What FFmpeg's encoder takes for this many channels.
const AVChannelLayout* alacLayout(const AVCodec* codec, int channels) {
    for (const AVChannelLayout* layout = codec->ch_layouts; layout && layout->nb_channels;
         ++layout) {
        if (layout->nb_channels == channels) {
            return layout;
        }
    }
    return nullptr;
}

struct Packet {
    AVPacket* packet = av_packet_alloc();
    ~Packet() { av_packet_free(&packet); }
};

// The frame's samples as values of `bits` bits.
void appendFrame(const AVFrame* frame, int bits, Planes& planes) {
    planes.resize(size_t(frame->ch_layout.nb_channels));
    for (size_t c = 0; c < planes.size(); ++c) {
        for (int i = 0; i < frame->nb_samples; ++i) {
            planes[c].push_back(frame->format == AV_SAMPLE_FMT_S16P
                                    ? reinterpret_cast<const int16_t*>(frame->data[c])[i]
                                    : reinterpret_cast<const int32_t*>(frame->data[c])[i] >>
                                          (32 - bits));
        }
    }
}

} // namespace

AlacStream ffmpegAlacEncode(const Planes& planes, int bits, int sampleRate) {
    return FfmpegAlacEncoder(planes, bits, sampleRate).encode();
}

// FFmpeg's frames are as long as its encoder's, 4096 samples.
FfmpegAlacEncoder::FfmpegAlacEncoder(const Planes& planes, int bits, int sampleRate)
    : bits_(bits)
    , sampleRate_(sampleRate)
    , channels_(int(planes.size())) {
    const AVCodec* codec = avcodec_find_encoder(AV_CODEC_ID_ALAC);
    const int64_t length = int64_t(planes[0].size());
    for (int64_t start = 0; start < length; start += 4096) {
        const int count = int(std::min<int64_t>(4096, length - start));
        AVFrame* frame = av_frame_alloc();
        frame->nb_samples = count;
        frame->format = bits == 16 ? AV_SAMPLE_FMT_S16P : AV_SAMPLE_FMT_S32P;
        av_channel_layout_copy(&frame->ch_layout, alacLayout(codec, channels_));
        av_frame_get_buffer(frame, 0);
        for (size_t c = 0; c < planes.size(); ++c) {
            for (int i = 0; i < count; ++i) {
                const int32_t sample = planes[c][size_t(start + i)];
                if (bits == 16) {
                    reinterpret_cast<int16_t*>(frame->data[c])[i] = int16_t(sample);
                } else {
                    reinterpret_cast<int32_t*>(frame->data[c])[i] =
                        int32_t(uint32_t(sample) << (32 - bits));
                }
            }
        }
        frames_.push_back(frame);
    }
}

FfmpegAlacEncoder::~FfmpegAlacEncoder() {
    for (AVFrame* frame : frames_) {
        av_frame_free(&frame);
    }
}

AlacStream FfmpegAlacEncoder::encode() const {
    AlacStream stream;
    const AVCodec* codec = avcodec_find_encoder(AV_CODEC_ID_ALAC);
    AVCodecContext* context = avcodec_alloc_context3(codec);
    context->sample_fmt = bits_ == 16 ? AV_SAMPLE_FMT_S16P : AV_SAMPLE_FMT_S32P;
    context->sample_rate = sampleRate_;
    context->time_base = {1, sampleRate_};
    context->bits_per_raw_sample = bits_;
    context->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    av_channel_layout_copy(&context->ch_layout, alacLayout(codec, channels_));
    if (avcodec_open2(context, codec, nullptr) < 0) {
        avcodec_free_context(&context);
        return stream;
    }
    stream.cookie.assign(context->extradata, context->extradata + context->extradata_size);
    Packet packet;
    auto drain = [&] {
        while (avcodec_receive_packet(context, packet.packet) == 0) {
            stream.packets.emplace_back(packet.packet->data,
                                        packet.packet->data + packet.packet->size);
            av_packet_unref(packet.packet);
        }
    };
    for (const AVFrame* frame : frames_) {
        avcodec_send_frame(context, frame);
        drain();
    }
    avcodec_send_frame(context, nullptr);
    drain();
    avcodec_free_context(&context);
    return stream;
}

FfmpegAlacDecoder::FfmpegAlacDecoder(std::span<const uint8_t> cookie)
    : packet_(av_packet_alloc())
    , frame_(av_frame_alloc()) {
    // Damaged packets are expected: FFmpeg's complaints would only fill the log.
    av_log_set_level(AV_LOG_QUIET);
    const AVCodec* codec = avcodec_find_decoder(AV_CODEC_ID_ALAC);
    context_ = avcodec_alloc_context3(codec);
    context_->extradata =
        static_cast<uint8_t*>(av_mallocz(cookie.size() + AV_INPUT_BUFFER_PADDING_SIZE));
    std::copy(cookie.begin(), cookie.end(), context_->extradata);
    context_->extradata_size = int(cookie.size());
    context_->thread_count = 1;
    if (avcodec_open2(context_, codec, nullptr) < 0) {
        avcodec_free_context(&context_);
    }
}

FfmpegAlacDecoder::~FfmpegAlacDecoder() {
    avcodec_free_context(&context_);
    av_packet_free(&packet_);
    av_frame_free(&frame_);
}

int FfmpegAlacDecoder::send(std::span<const uint8_t> packet) {
    av_packet_unref(packet_);
    av_frame_unref(frame_);
    if (av_new_packet(packet_, int(packet.size())) < 0) {
        return -1;
    }
    std::copy(packet.begin(), packet.end(), packet_->data);
    if (avcodec_send_packet(context_, packet_) < 0 || avcodec_receive_frame(context_, frame_) < 0) {
        return -1;
    }
    return frame_->nb_samples;
}

int FfmpegAlacDecoder::decodeCount(std::span<const uint8_t> packet) {
    return send(packet);
}

std::optional<Planes> FfmpegAlacDecoder::decode(std::span<const uint8_t> packet) {
    if (send(packet) < 0) {
        return std::nullopt;
    }
    Planes planes;
    appendFrame(frame_, context_->bits_per_raw_sample, planes);
    return planes;
}

bool writeAlacFile(const QString& path, const AlacStream& stream, int channels, int bits,
                   int sampleRate, int64_t samples) {
    const QByteArray name = path.toUtf8();
    AVFormatContext* container = nullptr;
    if (avformat_alloc_output_context2(&container, nullptr, "ipod", name.constData()) < 0) {
        return false;
    }
    AVStream* out = avformat_new_stream(container, nullptr);
    AVCodecParameters* parameters = out->codecpar;
    parameters->codec_type = AVMEDIA_TYPE_AUDIO;
    parameters->codec_id = AV_CODEC_ID_ALAC;
    parameters->sample_rate = sampleRate;
    parameters->bits_per_raw_sample = bits;
    parameters->frame_size = 4096;
    av_channel_layout_copy(&parameters->ch_layout,
                           alacLayout(avcodec_find_encoder(AV_CODEC_ID_ALAC), channels));
    parameters->extradata =
        static_cast<uint8_t*>(av_mallocz(stream.cookie.size() + AV_INPUT_BUFFER_PADDING_SIZE));
    std::copy(stream.cookie.begin(), stream.cookie.end(), parameters->extradata);
    parameters->extradata_size = int(stream.cookie.size());
    out->time_base = {1, sampleRate};
    // As the library writes them: an edit list exact to the sample.
    AVDictionary* options = nullptr;
    av_dict_set_int(&options, "movie_timescale", sampleRate, 0);
    bool written = avio_open(&container->pb, name.constData(), AVIO_FLAG_WRITE) >= 0 &&
                   avformat_write_header(container, &options) >= 0;
    av_dict_free(&options);
    int64_t timestamp = 0;
    Packet packet;
    for (size_t i = 0; written && i < stream.packets.size(); ++i) {
        const auto& data = stream.packets[i];
        written = av_new_packet(packet.packet, int(data.size())) >= 0;
        if (!written) {
            break;
        }
        std::copy(data.begin(), data.end(), packet.packet->data);
        // Every packet a full frame but perhaps the last.
        packet.packet->pts = packet.packet->dts = timestamp;
        packet.packet->duration = std::min<int64_t>(4096, samples - timestamp);
        timestamp += packet.packet->duration;
        written = av_interleaved_write_frame(container, packet.packet) >= 0;
    }
    written = written && av_write_trailer(container) >= 0;
    avio_closep(&container->pb);
    avformat_free_context(container);
    return written;
}

std::optional<Planes> readAlacFile(const QString& path) {
    AVFormatContext* container = nullptr;
    if (avformat_open_input(&container, path.toUtf8().constData(), nullptr, nullptr) < 0) {
        return std::nullopt;
    }
    std::optional<Planes> planes;
    if (avformat_find_stream_info(container, nullptr) >= 0 && container->nb_streams == 1) {
        const AVCodecParameters* parameters = container->streams[0]->codecpar;
        FfmpegAlacDecoder decoder({parameters->extradata, size_t(parameters->extradata_size)});
        Packet packet;
        planes.emplace();
        while (decoder.isOpen() && av_read_frame(container, packet.packet) >= 0) {
            const auto decoded = decoder.decode({packet.packet->data, size_t(packet.packet->size)});
            av_packet_unref(packet.packet);
            if (!decoded) {
                planes.reset();
                break;
            }
            planes->resize(decoded->size());
            for (size_t c = 0; c < decoded->size(); ++c) {
                (*planes)[c].insert((*planes)[c].end(), (*decoded)[c].begin(), (*decoded)[c].end());
            }
        }
    }
    avformat_close_input(&container);
    return planes;
}

} // namespace decant::test
