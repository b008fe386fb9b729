#include "library/Artwork.h"

#include "library/FFmpegHandles.h"

#include <QCryptographicHash>

#include <cstring>

namespace decant::library {
namespace {

// A few kilobytes of PNG or JPEG can announce an image of gigabytes.
constexpr int64_t mostPixels = int64_t(8192) * 8192;

struct PictureSize {
    int width = 0;
    int height = 0;
};

// FFmpeg's decoders ask for the picture's memory before they allocate
// anything else its size decides: refusing it there keeps a small file from
// taking gigabytes, and tells the size for the reason.
int allocateUnlessTooLarge(AVCodecContext* decoder, AVFrame* frame, int flags) {
    auto* size = static_cast<PictureSize*>(decoder->opaque);
    *size = {frame->width, frame->height};
    if (int64_t(frame->width) * frame->height > mostPixels) {
        return AVERROR(ENOMEM);
    }
    return avcodec_default_get_buffer2(decoder, frame, flags);
}

const QByteArray jpegStart("\xff\xd8\xff", 3);
const QByteArray pngSignature("\x89PNG\r\n\x1a\n", 8);

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
        return QStringLiteral("FFmpeg lacks its %1 decoder").arg(codec ? codec->name : "image");
    }
    PictureSize size;
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
    if (int64_t(size.width) * size.height > mostPixels) {
        return QStringLiteral("the image is %1 x %2 pixels, more than the library takes")
            .arg(size.width)
            .arg(size.height);
    }
    return QStringLiteral("the %1 image does not decode: %2")
        .arg(QLatin1String(format == ImageFormat::Jpeg ? "JPEG" : "PNG"),
             ffmpeg::errorText(result));
}

} // namespace

std::optional<ImageFormat> imageFormatOf(const QByteArray& image) {
    if (image.startsWith(jpegStart)) {
        return ImageFormat::Jpeg;
    }
    if (image.startsWith(pngSignature)) {
        return ImageFormat::Png;
    }
    return std::nullopt;
}

const char* mimeTypeOf(ImageFormat format) {
    return format == ImageFormat::Jpeg ? "image/jpeg" : "image/png";
}

QString artworkDigest(const QByteArray& image) {
    return QString::fromLatin1(QCryptographicHash::hash(image, QCryptographicHash::Sha256).toHex());
}

std::optional<Artwork> checkArtwork(const QByteArray& image, QString* reason) {
    if (image.size() > largestArtworkBytes) {
        *reason = QStringLiteral("the image is larger than %1 MiB")
                      .arg(largestArtworkBytes / (1024 * 1024));
        return std::nullopt;
    }
    const auto format = imageFormatOf(image);
    if (!format) {
        *reason = QStringLiteral("the image is neither JPEG nor PNG (it begins \"%1\")")
                      .arg(startOf(image));
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
