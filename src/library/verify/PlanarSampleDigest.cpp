#include "library/verify/PlanarSampleDigest.h"

extern "C" {
#include <libavcodec/avcodec.h>
}

#include <algorithm>
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
// every machine this builds for, so a width of 2 or 4 is a plain store. A
// stereo count known when compiling lets the compiler interleave whole
// vectors of samples at once.
template <int Bytes, int Channels>
void PlanarSampleDigest::interleave(const int32_t* const* channels, int anyCount, int samples) {
    const int count = Channels > 0 ? Channels : anyCount;
    // A fixed count's pointers in locals: the bytes stored might otherwise
    // be the pointers, which the compiler would read again every sample.
    const int32_t* fixed[Channels > 0 ? Channels : 1] = {};
    if constexpr (Channels > 0) {
        std::copy(channels, channels + Channels, fixed);
    }
    const int32_t* const* planes = Channels > 0 ? fixed : channels;
    uint8_t* out = buffer_.data();
    const int left = shift_ > 0 ? shift_ : 0;
    const int right = shift_ < 0 ? -shift_ : 0;
    const int32_t offset = stored_.unsignedBytes ? 128 : 0;
    for (int index = 0; index < samples; ++index) {
        for (int channel = 0; channel < count; ++channel) {
            const auto value = int32_t(uint32_t(planes[channel][index] >> right) << left) + offset;
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
    const bool stereo = channelCount == 2;
    switch (stored_.bytes) {
    case 1:
        interleave<1, 0>(channels, channelCount, samples);
        break;
    case 2:
        stereo ? interleave<2, 2>(channels, 2, samples)
               : interleave<2, 0>(channels, channelCount, samples);
        break;
    case 3:
        interleave<3, 0>(channels, channelCount, samples);
        break;
    default:
        stereo ? interleave<4, 2>(channels, 2, samples)
               : interleave<4, 0>(channels, channelCount, samples);
    }
    hash_.add(buffer_.data(), buffer_.size());
}

} // namespace decant::library
