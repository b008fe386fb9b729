#include "library/media/AudioDigest.h"

#include "library/media/FFmpegHandles.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QFile>

#include <algorithm>

namespace decant::library {
namespace {

// FFmpeg reads a truncated WAV file to its end without a word, so the RIFF
// header's own size is compared with the file's; a size of 0xFFFFFFFF (or
// one too small) is what writers put when they cannot tell.
std::optional<QString> truncation(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return std::nullopt;
    }
    const QByteArray header = file.read(8);
    if (header.size() < 8 || !header.startsWith("RIFF")) {
        return std::nullopt;
    }
    quint64 announced = 0;
    for (int byte = 7; byte >= 4; --byte) {
        announced = announced << 8 | quint8(header[byte]);
    }
    if (announced == 0xFFFFFFFF || announced + 8 <= quint64(file.size())) {
        return std::nullopt;
    }
    return QCoreApplication::translate(
               "decant::AudioSource",
               "the file is cut short: its header announces %1 bytes, it holds %2")
        .arg(announced + 8)
        .arg(file.size());
}

bool isMd5(const QString& digest) {
    return digest.size() == 32 && std::all_of(digest.begin(), digest.end(), [](QChar c) {
               return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f');
           });
}

} // namespace

std::optional<QString> checkedWavDigest(const QString& path, const QString& digest,
                                        ConversionFailure* failure) {
    if (const auto cut = truncation(path)) {
        *failure = {ConversionError::Undecodable, *cut};
        return std::nullopt;
    }
    if (!isMd5(digest)) {
        *failure = {ConversionError::Undecodable,
                    QStringLiteral("\"%1\" is not an MD5 of its audio").arg(digest)};
        return std::nullopt;
    }
    return digest;
}

std::optional<QString> wavAudioDigest(const QString& path, std::stop_token stop,
                                      ConversionFailure* failure) {
    if (const auto cut = truncation(path)) {
        *failure = {ConversionError::Undecodable, *cut};
        return std::nullopt;
    }
    ffmpeg::silenceLog();
    AVFormatContext* raw = nullptr;
    // The same demuxer the encoder reads with, so both see the same samples.
    const int opened = avformat_open_input(&raw, QFile::encodeName(path).constData(),
                                           av_find_input_format("wav"), nullptr);
    const ffmpeg::InputContext container(raw);
    if (opened < 0) {
        *failure = {ConversionError::NotWav, ffmpeg::errorText(opened)};
        return std::nullopt;
    }
    const int stream = av_find_best_stream(raw, AVMEDIA_TYPE_AUDIO, -1, -1, nullptr, 0);
    const ffmpeg::Packet packet(av_packet_alloc());
    if (stream < 0 || !packet) {
        *failure = {
            ConversionError::NotWav,
            QCoreApplication::translate("decant::AudioSource", "no audio FFmpeg can decode")};
        return std::nullopt;
    }
    QCryptographicHash digest(QCryptographicHash::Md5);
    int read = 0;
    while ((read = av_read_frame(raw, packet.get())) >= 0) {
        if (packet->stream_index == stream) {
            digest.addData(QByteArrayView(packet->data, packet->size));
        }
        av_packet_unref(packet.get());
        if (stop.stop_requested()) {
            *failure = {ConversionError::Stopped, {}};
            return std::nullopt;
        }
    }
    if (read != AVERROR_EOF) {
        *failure = {ConversionError::Undecodable, ffmpeg::errorText(read)};
        return std::nullopt;
    }
    return QString::fromLatin1(digest.result().toHex());
}

} // namespace decant::library
