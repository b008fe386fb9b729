#include "library/verify/DecodeBack.h"

#include "library/media/AudioSource.h"
#include "library/verify/AlacDecodeBack.h"
#include "library/verify/PlanarSampleDigest.h"
#include "library/verify/SampleHash.h"

#include <QCoreApplication>
#include <QCryptographicHash>

#include <bit>
#include <cstring>
#include <type_traits>
#include <vector>

namespace decant::library {
namespace {

// The digest of decoded samples laid out as the source WAV file stored them:
// interleaved, little-endian, each in the stored width, keeping its most
// significant bytes (24-bit audio reaches a decoder's 32-bit samples in
// their top three). A lossless file's samples so give the source's digest.
class StoredSampleDigest {
public:
    StoredSampleDigest(StoredSamples stored, SampleHash::Kind kind)
        : stored_(stored)
        , hash_(kind) {}

    void add(const AVFrame& frame);
    QString result() const { return hash_.result(); }

private:
    template <typename Sample> void appendIntegers(const AVFrame& frame);
    void appendAsTheyAre(const AVFrame& frame);

    StoredSamples stored_;
    SampleHash hash_;
    std::vector<uint8_t> buffer_;
};

void StoredSampleDigest::add(const AVFrame& frame) {
    const auto format = AVSampleFormat(frame.format);
    const AVSampleFormat packed = av_get_packed_sample_fmt(format);
    const bool floating = packed == AV_SAMPLE_FMT_FLT || packed == AV_SAMPLE_FMT_DBL;
    const int bytes = av_get_bytes_per_sample(format);
    if (std::endian::native == std::endian::little && !av_sample_fmt_is_planar(format) &&
        bytes == stored_.bytes && floating == stored_.floating &&
        (packed == AV_SAMPLE_FMT_U8) == stored_.unsignedBytes) {
        hash_.add(frame.data[0], std::size_t(frame.nb_samples) *
                                     std::size_t(frame.ch_layout.nb_channels) * std::size_t(bytes));
        return;
    }
    switch (packed) {
    case AV_SAMPLE_FMT_U8:
        appendIntegers<uint8_t>(frame);
        break;
    case AV_SAMPLE_FMT_S16:
        appendIntegers<int16_t>(frame);
        break;
    case AV_SAMPLE_FMT_S32:
        appendIntegers<int32_t>(frame);
        break;
    case AV_SAMPLE_FMT_S64:
        appendIntegers<int64_t>(frame);
        break;
    default:
        appendAsTheyAre(frame);
    }
    hash_.add(buffer_.data(), buffer_.size());
}

// Where each channel's first sample is, and how far apart a channel's
// samples are.
struct SampleLayout {
    std::vector<const uint8_t*> channels;
    std::ptrdiff_t step = 0;
};

SampleLayout layoutOf(const AVFrame& frame) {
    const auto format = AVSampleFormat(frame.format);
    const std::ptrdiff_t bytes = av_get_bytes_per_sample(format);
    const int channels = frame.ch_layout.nb_channels;
    const bool planar = av_sample_fmt_is_planar(format);
    SampleLayout layout;
    layout.step = planar ? bytes : bytes * channels;
    for (int channel = 0; channel < channels; ++channel) {
        layout.channels.push_back(planar ? frame.extended_data[channel]
                                         : frame.extended_data[0] + channel * bytes);
    }
    return layout;
}

template <typename Sample> void StoredSampleDigest::appendIntegers(const AVFrame& frame) {
    constexpr int nativeBits = sizeof(Sample) * 8;
    const int storedBits = stored_.bytes * 8;
    const SampleLayout layout = layoutOf(frame);
    buffer_.resize(std::size_t(frame.nb_samples) * layout.channels.size() *
                   std::size_t(stored_.bytes));
    uint8_t* out = buffer_.data();
    for (std::ptrdiff_t index = 0; index < frame.nb_samples; ++index) {
        for (const uint8_t* channel : layout.channels) {
            Sample value;
            std::memcpy(&value, channel + index * layout.step, sizeof value);
            // Only 8-bit samples are unsigned, with their zero at 128.
            const int64_t signedValue =
                std::is_unsigned_v<Sample> ? int64_t(value) - 128 : int64_t(value);
            // The sample at the top of 64 bits, then the stored width's top.
            const auto scaled = int64_t(uint64_t(signedValue) << (64 - nativeBits));
            int64_t stored = scaled >> (64 - storedBits);
            if (stored_.unsignedBytes) {
                stored += 128;
            }
            for (int byte = 0; byte < stored_.bytes; ++byte) {
                *out++ = uint8_t(uint64_t(stored) >> (8 * byte));
            }
        }
    }
}

// Floating-point samples are kept as they are; only the order of the
// channels changes.
void StoredSampleDigest::appendAsTheyAre(const AVFrame& frame) {
    const auto bytes = std::size_t(av_get_bytes_per_sample(AVSampleFormat(frame.format)));
    const SampleLayout layout = layoutOf(frame);
    buffer_.resize(std::size_t(frame.nb_samples) * layout.channels.size() * bytes);
    uint8_t* out = buffer_.data();
    for (std::ptrdiff_t index = 0; index < frame.nb_samples; ++index) {
        for (const uint8_t* channel : layout.channels) {
            std::memcpy(out, channel + index * layout.step, bytes);
            out += bytes;
        }
    }
}

std::optional<DecodedBack> decodeBack(const QString& path, const char* demuxer,
                                      Verification::Proof proof, const QString& sourceFormat,
                                      SampleHash::Kind kind, QString* error) {
    std::optional<StoredSampleDigest> sampleDigest;
    if (proof == Verification::Proof::Lossless) {
        const auto stored = storedSamplesOf(sourceFormat);
        if (!stored) {
            *error = QCoreApplication::translate("decant::DecodeBack",
                                                 "the source's sample format \"%1\" is unknown")
                         .arg(sourceFormat);
            return std::nullopt;
        }
        sampleDigest.emplace(*stored, kind);
    }
    const auto source = AudioSource::openEncoded(path, demuxer, error);
    const ffmpeg::Frame frame(av_frame_alloc());
    if (!source || !frame) {
        return std::nullopt;
    }
    QCryptographicHash packetDigest(QCryptographicHash::Md5);
    if (!sampleDigest) {
        source->digestPackets(&packetDigest);
    }
    DecodedBack decoded;
    ConversionFailure failure;
    AudioSource::Read read;
    while ((read = source->read(frame.get(), &failure)) == AudioSource::Read::Frame) {
        if (decoded.samples == 0) {
            decoded.sampleRate = frame->sample_rate;
            decoded.channels = frame->ch_layout.nb_channels;
        } else if (frame->sample_rate != decoded.sampleRate ||
                   frame->ch_layout.nb_channels != decoded.channels) {
            *error = QCoreApplication::translate("decant::DecodeBack", "its form changes part-way");
            return std::nullopt;
        }
        decoded.samples += frame->nb_samples;
        if (sampleDigest) {
            sampleDigest->add(*frame);
        }
        av_frame_unref(frame.get());
    }
    if (read == AudioSource::Read::Failed) {
        *error = failure.detail;
        return std::nullopt;
    }
    decoded.digest =
        sampleDigest ? sampleDigest->result() : QString::fromLatin1(packetDigest.result().toHex());
    return decoded;
}

bool unverified(const QString& reason, ConversionFailure* failure) {
    *failure = {ConversionError::Unverified, reason};
    return false;
}

bool matches(const DecodedBack& decoded, const ExpectedOutput& expected,
             ConversionFailure* failure) {
    if (decoded.sampleRate != expected.sampleRate || decoded.channels != expected.channels) {
        return unverified(
            QCoreApplication::translate("decant::DecodeBack",
                                        "it decodes to %1 channels at %2 Hz, not %3 at %4 Hz")
                .arg(decoded.channels)
                .arg(decoded.sampleRate)
                .arg(expected.channels)
                .arg(expected.sampleRate),
            failure);
    }
    if (decoded.samples != expected.samples) {
        return unverified(QCoreApplication::translate("decant::DecodeBack",
                                                      "it decodes to %1 samples a channel, not %2")
                              .arg(decoded.samples)
                              .arg(expected.samples),
                          failure);
    }
    if (expected.lossless && expected.sourceCheck.isEmpty() &&
        decoded.digest != expected.sourceDigest) {
        return unverified(
            QCoreApplication::translate("decant::DecodeBack",
                                        "its decoded samples have the MD5 %1, the source's %2")
                .arg(decoded.digest, expected.sourceDigest),
            failure);
    }
    if (expected.lossless && !expected.sourceCheck.isEmpty() &&
        decoded.digest != expected.sourceCheck) {
        return unverified(QCoreApplication::translate(
                              "decant::DecodeBack",
                              "its decoded samples have the XXH3 digest %1, the source's %2")
                              .arg(decoded.digest, expected.sourceCheck),
                          failure);
    }
    return true;
}

} // namespace

std::optional<Verification> decodeBack(const QString& path, const ExpectedOutput& expected,
                                       ConversionFailure* failure) {
    const auto proof =
        expected.lossless ? Verification::Proof::Lossless : Verification::Proof::ExactLength;
    QString error;
    // The writer's XXH3 digest stands for the MD5 it proved of the same
    // bytes: matching it proves the MD5 too, in a tenth of the time.
    const bool checked = expected.lossless && !expected.sourceCheck.isEmpty();
    const auto kind = checked ? SampleHash::Kind::Xxh3 : SampleHash::Kind::Md5;
    const auto decoded =
        expected.ownAlac && expected.lossless
            ? decodeAlacBack(path, expected.sourceFormat, kind, &error)
            : decodeBack(path, expected.demuxer, proof, expected.sourceFormat, kind, &error);
    if (!decoded) {
        unverified(
            QCoreApplication::translate("decant::DecodeBack", "it cannot be decoded back: %1")
                .arg(error),
            failure);
        return std::nullopt;
    }
    if (!matches(*decoded, expected, failure)) {
        return std::nullopt;
    }
    return Verification{proof, checked ? expected.sourceDigest : decoded->digest,
                        QDateTime::currentDateTimeUtc()};
}

std::optional<QString> digestEncodedFile(const QString& path, const char* demuxer,
                                         Verification::Proof proof, const QString& sourceFormat,
                                         QString* error) {
    const auto decoded =
        decodeBack(path, demuxer, proof, sourceFormat, SampleHash::Kind::Md5, error);
    return decoded ? std::optional(decoded->digest) : std::nullopt;
}

} // namespace decant::library
