#include "library/media/AudioSource.h"

#include <QCoreApplication>
#include <QCryptographicHash>

namespace decant::library {

std::unique_ptr<AudioSource> AudioSource::openWav(const QString& path, ConversionFailure* failure) {
    return open(path, "wav", failure);
}

std::unique_ptr<AudioSource> AudioSource::openEncoded(const QString& path, const char* demuxer,
                                                      QString* error) {
    ConversionFailure failure;
    auto source = open(path, demuxer, &failure, true);
    if (!source) {
        *error = failure.detail;
    }
    return source;
}

std::unique_ptr<AudioSource> AudioSource::open(const QString& path, const char* demuxer,
                                               ConversionFailure* failure, bool findStreamInfo) {
    ffmpeg::silenceLog();
    AVFormatContext* raw = nullptr;
    int opened = avformat_open_input(&raw, path.toUtf8().constData(), av_find_input_format(demuxer),
                                     nullptr);
    ffmpeg::InputContext container(raw);
    // The MP3 and FLAC readers leave the rate and the channels to be found
    // in the first frames; the packets read for that are read again.
    if (opened >= 0 && findStreamInfo) {
        opened = avformat_find_stream_info(raw, nullptr);
    }
    if (opened < 0) {
        *failure = {ConversionError::NotWav, ffmpeg::errorText(opened)};
        return nullptr;
    }
    const AVCodec* codec = nullptr;
    const int stream = av_find_best_stream(raw, AVMEDIA_TYPE_AUDIO, -1, -1, &codec, 0);
    if (stream < 0 || !codec) {
        *failure = {
            ConversionError::NotWav,
            QCoreApplication::translate("decant::AudioSource", "no audio FFmpeg can decode")};
        return nullptr;
    }
    ffmpeg::CodecContext decoder(avcodec_alloc_context3(codec));
    int result = decoder
                     ? avcodec_parameters_to_context(decoder.get(), raw->streams[stream]->codecpar)
                     : AVERROR(ENOMEM);
    if (result >= 0) {
        decoder->thread_count = 1;
        result = avcodec_open2(decoder.get(), codec, nullptr);
    }
    if (result < 0 || decoder->sample_rate <= 0 || decoder->ch_layout.nb_channels <= 0) {
        *failure = {ConversionError::NotWav,
                    result < 0 ? ffmpeg::errorText(result)
                               : QCoreApplication::translate("decant::AudioSource",
                                                             "no sample rate or channels")};
        return nullptr;
    }
    return std::make_unique<AudioSource>(std::move(container), std::move(decoder), stream);
}

AudioSource::AudioSource(ffmpeg::InputContext container, ffmpeg::CodecContext decoder,
                         int streamIndex)
    : container_(std::move(container))
    , decoder_(std::move(decoder))
    , packet_(av_packet_alloc())
    , streamIndex_(streamIndex) {
    const AVCodecContext& context = *decoder_;
    format_.sampleFormat = context.sample_fmt;
    format_.sampleRate = context.sample_rate;
    // A plain WAV header names no speakers: the channels are in FLAC's
    // order, which is what Decant's decoder writes them in.
    format_.layout = context.ch_layout.order == AV_CHANNEL_ORDER_UNSPEC
                         ? unlabelledLayout(context.ch_layout.nb_channels)
                         : ffmpeg::ChannelLayout(context.ch_layout);
    format_.bitsPerSample = context.bits_per_raw_sample > 0
                                ? context.bits_per_raw_sample
                                : av_get_bytes_per_sample(context.sample_fmt) * 8;
}

QString AudioSource::codecName() const {
    return QString::fromLatin1(avcodec_get_name(decoder_->codec_id));
}

AudioSource::Read AudioSource::fail(int error, ConversionFailure* failure) {
    *failure = {ConversionError::Undecodable, ffmpeg::errorText(error)};
    return Read::Failed;
}

bool AudioSource::seekNear(int64_t sample) {
    const AVStream* stream = container_->streams[streamIndex_];
    const int64_t timestamp = av_rescale_q(sample, {1, format_.sampleRate}, stream->time_base);
    if (av_seek_frame(container_.get(), streamIndex_, timestamp, AVSEEK_FLAG_BACKWARD) < 0) {
        return false;
    }
    avcodec_flush_buffers(decoder_.get());
    draining_ = false;
    return true;
}

int64_t AudioSource::statedLength() const {
    const AVStream* stream = container_->streams[streamIndex_];
    if (stream->duration <= 0 || stream->duration == AV_NOPTS_VALUE) {
        return 0;
    }
    return av_rescale_q(stream->duration, stream->time_base, {1, format_.sampleRate});
}

AudioSource::Read AudioSource::read(AVFrame* frame, ConversionFailure* failure) {
    if (!packet_) {
        return fail(AVERROR(ENOMEM), failure);
    }
    for (;;) {
        const int received = avcodec_receive_frame(decoder_.get(), frame);
        if (received >= 0) {
            return Read::Frame;
        }
        if (received == AVERROR_EOF) {
            return Read::End;
        }
        if (received != AVERROR(EAGAIN)) {
            return fail(received, failure);
        }
        if (draining_) {
            return Read::End;
        }
        const int readResult = av_read_frame(container_.get(), packet_.get());
        if (readResult == AVERROR_EOF) {
            draining_ = true;
            avcodec_send_packet(decoder_.get(), nullptr);
            continue;
        }
        if (readResult < 0) {
            return fail(readResult, failure);
        }
        int sent = 0;
        if (packet_->stream_index == streamIndex_) {
            if (packetDigest_) {
                packetDigest_->addData(QByteArrayView(packet_->data, packet_->size));
            }
            sent = avcodec_send_packet(decoder_.get(), packet_.get());
        }
        av_packet_unref(packet_.get());
        if (sent < 0 && sent != AVERROR(EAGAIN)) {
            return fail(sent, failure);
        }
    }
}

} // namespace decant::library
