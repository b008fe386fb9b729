#include "library/verify/AlacDecodeBack.h"

#include "library/codec/alac/AlacDecoder.h"
#include "library/media/FFmpegHandles.h"
#include "library/verify/PlanarSampleDigest.h"

#include <QCoreApplication>

#include <algorithm>
#include <array>

namespace decant::library {
namespace {

// The MP4 file's ALAC track, packet by packet.
class AlacTrack {
public:
    bool open(const QString& path, QString* error);
    std::span<const uint8_t> cookie() const;
    // The next packet of the track; an empty one at the end.
    std::span<const uint8_t> next(QString* error);

private:
    ffmpeg::InputContext container_;
    ffmpeg::Packet packet_{av_packet_alloc()};
    int stream_ = -1;
};

bool AlacTrack::open(const QString& path, QString* error) {
    ffmpeg::silenceLog();
    AVFormatContext* raw = nullptr;
    const int opened =
        avformat_open_input(&raw, path.toUtf8().constData(), av_find_input_format("mov"), nullptr);
    container_.reset(raw);
    if (opened < 0 || !packet_) {
        *error = ffmpeg::errorText(opened < 0 ? opened : AVERROR(ENOMEM));
        return false;
    }
    stream_ = av_find_best_stream(raw, AVMEDIA_TYPE_AUDIO, -1, -1, nullptr, 0);
    if (stream_ < 0 || raw->streams[stream_]->codecpar->codec_id != AV_CODEC_ID_ALAC) {
        *error = QCoreApplication::translate("decant::DecodeBack", "it holds no ALAC audio");
        return false;
    }
    return true;
}

std::span<const uint8_t> AlacTrack::cookie() const {
    const AVCodecParameters& parameters = *container_->streams[stream_]->codecpar;
    return {parameters.extradata, std::size_t(std::max(parameters.extradata_size, 0))};
}

std::span<const uint8_t> AlacTrack::next(QString* error) {
    av_packet_unref(packet_.get());
    int read = 0;
    while ((read = av_read_frame(container_.get(), packet_.get())) >= 0) {
        if (packet_->stream_index == stream_ && packet_->size > 0) {
            return {packet_->data, std::size_t(packet_->size)};
        }
        av_packet_unref(packet_.get());
    }
    if (read != AVERROR_EOF) {
        *error = ffmpeg::errorText(read);
    }
    return {};
}

} // namespace

std::optional<DecodedBack> decodeAlacBack(const QString& path, const QString& sourceFormat,
                                          SampleHash::Kind kind, QString* error) {
    const auto stored = storedSamplesOf(sourceFormat);
    if (!stored || stored->floating || stored->bytes > 4) {
        *error = QCoreApplication::translate("decant::DecodeBack",
                                             "the source's sample format \"%1\" is unknown")
                     .arg(sourceFormat);
        return std::nullopt;
    }
    AlacTrack track;
    if (!track.open(path, error)) {
        return std::nullopt;
    }
    alac::AlacError failure = alac::AlacError::None;
    const auto decoder = alac::AlacDecoder::create(track.cookie(), &failure);
    if (!decoder) {
        *error = alac::describeAlacError(failure);
        return std::nullopt;
    }
    const alac::AlacConfig& config = decoder->config();
    DecodedBack decoded{int(config.sampleRate), config.channels, 0, {}};
    PlanarSampleDigest digest(*stored, config.bitDepth, kind);
    std::array<const int32_t*, alac::maximumChannels> channels{};
    QString readError;
    for (std::span<const uint8_t> packet; !(packet = track.next(&readError)).empty();) {
        const alac::AlacDecoder::Result result = decoder->decode(packet);
        if (result.error != alac::AlacError::None) {
            *error = alac::describeAlacError(result.error);
            return std::nullopt;
        }
        for (int channel = 0; channel < decoded.channels; ++channel) {
            channels[std::size_t(channel)] = decoder->channel(channel);
        }
        digest.add(channels.data(), decoded.channels, result.samples);
        decoded.samples += result.samples;
    }
    if (!readError.isEmpty()) {
        *error = readError;
        return std::nullopt;
    }
    decoded.digest = digest.result();
    return decoded;
}

} // namespace decant::library
