#include "library/codec/alac/AlacEncoder.h"
#include "library/encode/PacketEncoder.h"

#include <cstring>

namespace decant::library {
namespace {

// Each frame is coded as it is sent; its packet waits for the next receive.
class AlacPacketEncoder final : public PacketEncoder {
public:
    AlacPacketEncoder(const alac::AlacEncoderSettings& settings, const EncoderSetup& setup)
        : encoder_(settings)
        , format_(setup.format) {}

    int frameSize() const override { return encoder_.frameLength(); }
    bool acceptsShortLastFrame() const override { return true; }
    int initialPadding() const override { return 0; }
    int describe(AVCodecParameters* parameters) const override;
    int send(const AVFrame* frame) override;
    int receive(AVPacket* packet) override;

private:
    alac::AlacEncoder encoder_;
    AudioFormat format_;
    std::span<const uint8_t> coded_; // until received
    int64_t timestamp_ = 0;
    int64_t duration_ = 0;
    bool draining_ = false;
};

int AlacPacketEncoder::describe(AVCodecParameters* parameters) const {
    parameters->codec_type = AVMEDIA_TYPE_AUDIO;
    parameters->codec_id = AV_CODEC_ID_ALAC;
    parameters->format = format_.sampleFormat;
    parameters->sample_rate = format_.sampleRate;
    parameters->bits_per_raw_sample = format_.bitsPerSample;
    parameters->frame_size = encoder_.frameLength();
    const std::vector<uint8_t> cookie = encoder_.magicCookie();
    av_freep(&parameters->extradata);
    parameters->extradata =
        static_cast<uint8_t*>(av_mallocz(cookie.size() + AV_INPUT_BUFFER_PADDING_SIZE));
    if (!parameters->extradata) {
        return AVERROR(ENOMEM);
    }
    std::memcpy(parameters->extradata, cookie.data(), cookie.size());
    parameters->extradata_size = int(cookie.size());
    return av_channel_layout_copy(&parameters->ch_layout, &format_.layout.get());
}

int AlacPacketEncoder::send(const AVFrame* frame) {
    if (!frame) {
        draining_ = true;
        return 0;
    }
    if (!coded_.empty()) {
        return AVERROR(EAGAIN);
    }
    const auto planes = reinterpret_cast<const int32_t* const*>(frame->extended_data);
    coded_ = encoder_.encode(planes, frame->nb_samples);
    if (coded_.empty()) {
        return AVERROR(EINVAL); // a frame longer than the encoder's
    }
    timestamp_ = frame->pts;
    duration_ = frame->nb_samples;
    return 0;
}

int AlacPacketEncoder::receive(AVPacket* packet) {
    if (coded_.empty()) {
        return draining_ ? AVERROR_EOF : AVERROR(EAGAIN);
    }
    const int made = av_new_packet(packet, int(coded_.size()));
    if (made < 0) {
        return made;
    }
    std::memcpy(packet->data, coded_.data(), coded_.size());
    packet->pts = packet->dts = timestamp_;
    packet->duration = duration_;
    coded_ = {};
    return 0;
}

} // namespace

std::unique_ptr<PacketEncoder> openAlacEncoder(const EncoderSetup& setup) {
    const AudioFormat& format = setup.format;
    alac::AlacEncoderSettings settings;
    settings.channels = format.layout.channels();
    settings.bitsPerSample = format.bitsPerSample;
    settings.sampleRate = format.sampleRate;
    settings.sampleShift = 32 - format.bitsPerSample;
    if (format.sampleFormat != AV_SAMPLE_FMT_S32P || !alac::AlacEncoder::isSupported(settings)) {
        return nullptr;
    }
    return std::make_unique<AlacPacketEncoder>(settings, setup);
}

} // namespace decant::library
