#include "library/encode/EncodedFile.h"

#include "library/encode/PacketEncoder.h"

#include <QCoreApplication>

namespace decant::library {
namespace {

// Frames for encoders that take any size: large enough to keep the call
// overhead small, small enough to keep the buffers in cache.
constexpr int anyFrameSize = 4096;

// MP4 times its edit list, which says where the priming ends and the track
// ends, in the movie time scale: 1/1000 s unless told otherwise, which
// rounds a track's end to the nearest millisecond. Muxers without a movie
// time scale leave the option unused.
int writeHeader(AVFormatContext* container, int sampleRate) {
    AVDictionary* options = nullptr;
    av_dict_set_int(&options, "movie_timescale", sampleRate, 0);
    const int result = avformat_write_header(container, &options);
    av_dict_free(&options);
    return result;
}

std::unique_ptr<PacketEncoder> openEncoder(const EncoderSetup& setup, bool globalHeader,
                                           int* error) {
    if (!setup.ownAlac) {
        return openFfmpegEncoder(setup, globalHeader, error);
    }
    auto encoder = openAlacEncoder(setup);
    *error = encoder ? 0 : AVERROR(EINVAL);
    return encoder;
}

} // namespace

std::unique_ptr<EncodedFile> EncodedFile::create(const QString& path, const EncoderSetup& setup,
                                                 ConversionFailure* failure) {
    const QByteArray name = path.toUtf8();
    AVFormatContext* raw = nullptr;
    int result = avformat_alloc_output_context2(&raw, nullptr, setup.muxer, name.constData());
    ffmpeg::OutputContext container(raw);
    if (result < 0 || !setup.codec) {
        *failure = {ConversionError::Encoding,
                    QCoreApplication::translate("decant::EncodingPlan",
                                                "FFmpeg lacks the %1 encoder or muxer")
                        .arg(setup.muxer)};
        return nullptr;
    }
    std::unique_ptr<PacketEncoder> encoder =
        openEncoder(setup, raw->oformat->flags & AVFMT_GLOBALHEADER, &result);
    AVStream* stream = encoder ? avformat_new_stream(raw, nullptr) : nullptr;
    if (stream) {
        stream->time_base = {1, setup.format.sampleRate};
        result = encoder->describe(stream->codecpar);
    }
    if (result < 0 || !stream) {
        *failure = {ConversionError::Encoding, ffmpeg::errorText(result)};
        return nullptr;
    }
    av_dict_set(&raw->metadata, "title", setup.title.toUtf8().constData(), 0);
    result = avio_open(&raw->pb, name.constData(), AVIO_FLAG_WRITE);
    if (result >= 0) {
        result = writeHeader(raw, setup.format.sampleRate);
    }
    if (result < 0) {
        *failure = {ConversionError::Writing, ffmpeg::errorText(result)};
        return nullptr;
    }
    return std::make_unique<EncodedFile>(std::move(container), std::move(encoder), stream);
}

EncodedFile::EncodedFile(ffmpeg::OutputContext container, std::unique_ptr<PacketEncoder> encoder,
                         AVStream* stream)
    : container_(std::move(container))
    , encoder_(std::move(encoder))
    , stream_(stream)
    , packet_(av_packet_alloc()) {}

EncodedFile::~EncodedFile() = default;

int EncodedFile::frameSize() const {
    const int size = encoder_->frameSize();
    return size > 0 ? size : anyFrameSize;
}

bool EncodedFile::acceptsShortLastFrame() const {
    return encoder_->acceptsShortLastFrame();
}

bool EncodedFile::fail(int error, ConversionError kind, ConversionFailure* failure) const {
    *failure = {kind, ffmpeg::errorText(error)};
    return false;
}

bool EncodedFile::send(const AVFrame* frame, ConversionFailure* failure) {
    if (!packet_) {
        return fail(AVERROR(ENOMEM), ConversionError::Encoding, failure);
    }
    const int sent = encoder_->send(frame);
    if (sent < 0) {
        return fail(sent, ConversionError::Encoding, failure);
    }
    for (;;) {
        const int received = encoder_->receive(packet_.get());
        if (received == AVERROR(EAGAIN) || received == AVERROR_EOF) {
            return true;
        }
        if (received < 0) {
            return fail(received, ConversionError::Encoding, failure);
        }
        ++packets_;
        av_packet_rescale_ts(packet_.get(), {1, stream_->codecpar->sample_rate},
                             stream_->time_base);
        packet_->stream_index = stream_->index;
        // Takes the packet's data, leaving the packet blank for reuse.
        const int written = av_interleaved_write_frame(container_.get(), packet_.get());
        if (written < 0) {
            return fail(written, ConversionError::Writing, failure);
        }
    }
}

void EncodedFile::startWithLeadIn(int64_t samples) {
    leadIn_ = samples;
    nextTimestamp_ = -samples;
}

bool EncodedFile::write(AVFrame* frame, ConversionFailure* failure) {
    frame->pts = nextTimestamp_;
    nextTimestamp_ += frame->nb_samples;
    return send(frame, failure);
}

bool EncodedFile::finish(ConversionFailure* failure) {
    if (!send(nullptr, failure)) {
        return false;
    }
    int result = av_write_trailer(container_.get());
    // Closing flushes the last buffered bytes: only then is a full disk seen.
    const int closed = avio_closep(&container_->pb);
    result = result < 0 ? result : closed;
    return result >= 0 || fail(result, ConversionError::Writing, failure);
}

SampleSpan EncodedFile::span() const {
    SampleSpan span;
    span.priming = encoder_->initialPadding() + leadIn_;
    span.length = nextTimestamp_;
    span.padding = packets_ * encoder_->frameSize() - span.priming - span.length;
    return span;
}

} // namespace decant::library
