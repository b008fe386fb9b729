#include "library/encode/PacketEncoder.h"

#include <algorithm>

namespace decant::library {
namespace {

int configure(AVCodecContext* encoder, const EncoderSetup& setup, bool globalHeader) {
    encoder->sample_fmt = setup.format.sampleFormat;
    encoder->sample_rate = setup.format.sampleRate;
    encoder->time_base = {1, setup.format.sampleRate};
    encoder->bit_rate = setup.bitRate;
    encoder->bits_per_raw_sample = setup.format.bitsPerSample;
    encoder->thread_count = 1; // the files themselves are encoded in parallel
    if (globalHeader) {
        encoder->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    }
    return av_channel_layout_copy(&encoder->ch_layout, &setup.format.layout.get());
}

int openEncoder(AVCodecContext* encoder, const EncoderSetup& setup) {
    AVDictionary* options = nullptr;
    for (const auto& [name, value] : setup.options) {
        av_dict_set(&options, name, value, 0);
    }
    const int result = avcodec_open2(encoder, setup.codec, &options);
    av_dict_free(&options);
    return result;
}

class FfmpegPacketEncoder final : public PacketEncoder {
public:
    explicit FfmpegPacketEncoder(ffmpeg::CodecContext encoder)
        : encoder_(std::move(encoder)) {}

    int frameSize() const override {
        const bool anySize = encoder_->codec->capabilities & AV_CODEC_CAP_VARIABLE_FRAME_SIZE;
        return anySize ? 0 : std::max(encoder_->frame_size, 0);
    }
    bool acceptsShortLastFrame() const override {
        return encoder_->codec->capabilities &
               (AV_CODEC_CAP_SMALL_LAST_FRAME | AV_CODEC_CAP_VARIABLE_FRAME_SIZE);
    }
    int initialPadding() const override { return encoder_->initial_padding; }
    int describe(AVCodecParameters* parameters) const override {
        return avcodec_parameters_from_context(parameters, encoder_.get());
    }
    int send(const AVFrame* frame) override { return avcodec_send_frame(encoder_.get(), frame); }
    int receive(AVPacket* packet) override {
        return avcodec_receive_packet(encoder_.get(), packet);
    }

private:
    ffmpeg::CodecContext encoder_;
};

} // namespace

std::unique_ptr<PacketEncoder> openFfmpegEncoder(const EncoderSetup& setup, bool globalHeader,
                                                 int* error) {
    ffmpeg::CodecContext encoder(setup.codec ? avcodec_alloc_context3(setup.codec) : nullptr);
    if (!encoder) {
        *error = AVERROR_ENCODER_NOT_FOUND;
        return nullptr;
    }
    *error = configure(encoder.get(), setup, globalHeader);
    if (*error >= 0) {
        *error = openEncoder(encoder.get(), setup);
    }
    return *error >= 0 ? std::make_unique<FfmpegPacketEncoder>(std::move(encoder)) : nullptr;
}

} // namespace decant::library
