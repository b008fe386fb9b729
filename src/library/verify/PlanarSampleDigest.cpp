#include "library/verify/PlanarSampleDigest.h"

extern "C" {
#include <libavcodec/avcodec.h>
}

#include <cstring>

namespace decant::library {

std::optional<StoredSamples> storedSamplesOf(const QString& codecName) {
    const AVCodecDescriptor* codec =
        avcodec_descriptor_get_by_name(codecName.toLatin1().constData());
    const int bits = codec ? av_get_bits_per_sample(codec->id) : 0;
    if (bits <= 0 || bits % 8 != 0 || bits > 64) {
        return std::nullopt;
    }
    return StoredSamples{bits / 8, codec->id == AV_CODEC_ID_PCM_U8,
                         codec->id == AV_CODEC_ID_PCM_F32LE || codec->id == AV_CODEC_ID_PCM_F64LE};
}

PlanarSampleDigest::PlanarSampleDigest(StoredSamples stored, int bits, SampleHash::Kind kind)
    : stored_(stored)
    , shift_(stored.bytes * 8 - bits)
    , hash_(kind) {}

// One specialised loop per stored width: the samples are little-endian on
// every machine this builds for, so a width of 2 or 4 is a plain store.
template <int Bytes>
void PlanarSampleDigest::interleave(const int32_t* const* channels, int count, int samples) {
    uint8_t* out = buffer_.data();
    const int left = shift_ > 0 ? shift_ : 0;
    const int right = shift_ < 0 ? -shift_ : 0;
    const int32_t offset = stored_.unsignedBytes ? 128 : 0;
    for (int index = 0; index < samples; ++index) {
        for (int channel = 0; channel < count; ++channel) {
            const auto value =
                int32_t(uint32_t(channels[channel][index] >> right) << left) + offset;
            if constexpr (Bytes == 2) {
                const auto stored = int16_t(value);
                std::memcpy(out, &stored, 2);
            } else if constexpr (Bytes == 4) {
                std::memcpy(out, &value, 4);
            } else {
                for (int byte = 0; byte < Bytes; ++byte) {
                    out[byte] = uint8_t(uint32_t(value) >> (8 * byte));
                }
            }
            out += Bytes;
        }
    }
}

void PlanarSampleDigest::add(const int32_t* const* channels, int channelCount, int samples) {
    buffer_.resize(std::size_t(samples) * std::size_t(channelCount) * std::size_t(stored_.bytes));
    switch (stored_.bytes) {
    case 1:
        interleave<1>(channels, channelCount, samples);
        break;
    case 2:
        interleave<2>(channels, channelCount, samples);
        break;
    case 3:
        interleave<3>(channels, channelCount, samples);
        break;
    default:
        interleave<4>(channels, channelCount, samples);
    }
    hash_.add(buffer_.data(), buffer_.size());
}

} // namespace decant::library
