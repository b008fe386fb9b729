#include "library/media/ArtworkCheck.h"

#include "library/media/FFmpegHandles.h"
#include "library/media/ImageSize.h"

#include <QCoreApplication>

#include <cstring>

namespace decant::library {
namespace {

// A few kilobytes of PNG or JPEG can announce an image of gigabytes.
constexpr int widest = 8192;
constexpr int64_t mostPixels = int64_t(widest) * widest;

bool overPixelLimit(const ImageSize& size) {
    return int64_t(size.width) * size.height > mostPixels;
}

QString pixelLimitReason(const ImageSize& size) {
    return QCoreApplication::translate(
               "decant::ArtworkCheck",
               "the image is %1 x %2 pixels, over the pixel limit of %3 x %3")
        .arg(size.width)
        .arg(size.height)
        .arg(widest);
}

// FFmpeg's decoders ask for the picture's memory before they allocate
// anything else its size decides: refusing it there keeps a small file from
// taking gigabytes, and tells the size for the reason.
int allocateUnlessTooLarge(AVCodecContext* decoder, AVFrame* frame, int flags) {
    auto* size = static_cast<ImageSize*>(decoder->opaque);
    *size = {frame->width, frame->height};
    if (overPixelLimit(*size)) {
        return AVERROR(ENOMEM);
    }
    return avcodec_default_get_buffer2(decoder, frame, flags);
}

// What the image begins with, for a reason a user can check: "GIF89a".
QString startOf(const QByteArray& image) {
    QString start;
    for (const char byte : image.left(8)) {
        start += byte >= 0x20 && byte < 0x7f ? QChar(byte) : QChar(u'.');
    }
    return start;
}

// Decodes the image with every error FFmpeg can detect treated as fatal:
// without that, a JPEG cut short decodes as a picture grey at the bottom.
// Nothing when it decodes, else the reason.
std::optional<QString> decodingProblem(const QByteArray& image, ImageFormat format) {
    const AVCodec* codec =
        avcodec_find_decoder(format == ImageFormat::Jpeg ? AV_CODEC_ID_MJPEG : AV_CODEC_ID_PNG);
    const ffmpeg::CodecContext decoder(codec ? avcodec_alloc_context3(codec) : nullptr);
    const ffmpeg::Packet packet(av_packet_alloc());
    const ffmpeg::Frame frame(av_frame_alloc());
    if (!decoder || !packet || !frame) {
        return codec ? QCoreApplication::translate("decant::ArtworkCheck",
                                                   "FFmpeg lacks its %1 decoder")
                           .arg(QLatin1String(codec->name))
                     : QCoreApplication::translate("decant::ArtworkCheck",
                                                   "FFmpeg lacks its image decoder");
    }
    ImageSize size;
    decoder->err_recognition = AV_EF_EXPLODE | AV_EF_CRCCHECK | AV_EF_BITSTREAM;
    decoder->opaque = &size;
    decoder->get_buffer2 = allocateUnlessTooLarge;
    decoder->thread_count = 1;
    int result = avcodec_open2(decoder.get(), codec, nullptr);
    // av_new_packet pads the copy as decoders need.
    if (result >= 0 && (result = av_new_packet(packet.get(), int(image.size()))) >= 0) {
        std::memcpy(packet->data, image.constData(), std::size_t(image.size()));
        result = avcodec_send_packet(decoder.get(), packet.get());
    }
    if (result >= 0) {
        avcodec_send_packet(decoder.get(), nullptr);
        result = avcodec_receive_frame(decoder.get(), frame.get());
    }
    if (result >= 0) {
        return std::nullopt;
    }
    if (overPixelLimit(size)) {
        return pixelLimitReason(size);
    }
    return QCoreApplication::translate("decant::ArtworkCheck", "the %1 image does not decode: %2")
        .arg(QLatin1String(format == ImageFormat::Jpeg ? "JPEG" : "PNG"),
             ffmpeg::errorText(result));
}

} // namespace

std::optional<Artwork> checkArtwork(const QByteArray& image, QString* reason) {
    if (image.size() > largestArtworkBytes) {
        *reason =
            QCoreApplication::translate("decant::ArtworkCheck", "the image is larger than %1 MiB")
                .arg(largestArtworkBytes / (1024 * 1024));
        return std::nullopt;
    }
    const auto format = imageFormatOf(image);
    if (!format) {
        *reason =
            QCoreApplication::translate("decant::ArtworkCheck",
                                        "the image is neither JPEG nor PNG (it begins \"%1\")")
                .arg(startOf(image));
        return std::nullopt;
    }
    // Decoders refuse the largest images before they tell their size.
    if (const auto size = declaredImageSize(image, *format); size && overPixelLimit(*size)) {
        *reason = pixelLimitReason(*size);
        return std::nullopt;
    }
    // The reason travels as a value; FFmpeg's log would only repeat it on
    // the terminal of whoever runs Decant.
    av_log_set_level(AV_LOG_QUIET);
    if (const auto problem = decodingProblem(image, *format)) {
        *reason = *problem;
        return std::nullopt;
    }
    return Artwork{*format, image, artworkDigest(image)};
}

} // namespace decant::library
