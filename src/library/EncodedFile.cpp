#include "library/EncodedFile.h"

namespace decant::library {
namespace {

// Frames for encoders that take any size: large enough to keep the call
// overhead small, small enough to keep the buffers in cache.
constexpr int anyFrameSize = 4096;

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

} // namespace

std::unique_ptr<EncodedFile> EncodedFile::create(const QString& path, const EncoderSetup& setup,
                                                 ConversionFailure* failure) {
    const QByteArray name = path.toUtf8();
    AVFormatContext* raw = nullptr;
    int result = avformat_alloc_output_context2(&raw, nullptr, setup.muxer, name.constData());
    ffmpeg::OutputContext container(raw);
    ffmpeg::CodecContext encoder(setup.codec ? avcodec_alloc_context3(setup.codec) : nullptr);
    if (result < 0 || !encoder) {
        *failure = {ConversionError::Encoding,
                    QStringLiteral("FFmpeg lacks the %1 encoder or muxer").arg(setup.muxer)};
        return nullptr;
    }
    result = configure(encoder.get(), setup, raw->oformat->flags & AVFMT_GLOBALHEADER);
    if (result >= 0) {
        result = openEncoder(encoder.get(), setup);
    }
    AVStream* stream = result >= 0 ? avformat_new_stream(raw, nullptr) : nullptr;
    if (stream) {
        stream->time_base = encoder->time_base;
        result = avcodec_parameters_from_context(stream->codecpar, encoder.get());
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

EncodedFile::EncodedFile(ffmpeg::OutputContext container, ffmpeg::CodecContext encoder,
                         AVStream* stream)
    : container_(std::move(container))
    , encoder_(std::move(encoder))
    , stream_(stream)
    , packet_(av_packet_alloc()) {}

int EncodedFile::frameSize() const {
    const bool anySize = encoder_->codec->capabilities & AV_CODEC_CAP_VARIABLE_FRAME_SIZE;
    return anySize || encoder_->frame_size <= 0 ? anyFrameSize : encoder_->frame_size;
}

bool EncodedFile::acceptsShortLastFrame() const {
    return encoder_->codec->capabilities &
           (AV_CODEC_CAP_SMALL_LAST_FRAME | AV_CODEC_CAP_VARIABLE_FRAME_SIZE);
}

bool EncodedFile::fail(int error, ConversionError kind, ConversionFailure* failure) const {
    *failure = {kind, ffmpeg::errorText(error)};
    return false;
}

bool EncodedFile::send(const AVFrame* frame, ConversionFailure* failure) {
    if (!packet_) {
        return fail(AVERROR(ENOMEM), ConversionError::Encoding, failure);
    }
    const int sent = avcodec_send_frame(encoder_.get(), frame);
    if (sent < 0) {
        return fail(sent, ConversionError::Encoding, failure);
    }
    for (;;) {
        const int received = avcodec_receive_packet(encoder_.get(), packet_.get());
        if (received == AVERROR(EAGAIN) || received == AVERROR_EOF) {
            return true;
        }
        if (received < 0) {
            return fail(received, ConversionError::Encoding, failure);
        }
        ++packets_;
        av_packet_rescale_ts(packet_.get(), encoder_->time_base, stream_->time_base);
        packet_->stream_index = stream_->index;
        // Takes the packet's data, leaving the packet blank for reuse.
        const int written = av_interleaved_write_frame(container_.get(), packet_.get());
        if (written < 0) {
            return fail(written, ConversionError::Writing, failure);
        }
    }
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
    span.priming = encoder_->initial_padding;
    span.length = nextTimestamp_;
    span.padding = packets_ * encoder_->frame_size - span.priming - span.length;
    return span;
}

} // namespace decant::library
