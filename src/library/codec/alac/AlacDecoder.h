#pragma once

#include "library/codec/alac/AlacConfig.h"
#include "library/codec/alac/ElementLayout.h"

#include <QString>

#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

namespace decant::library::alac {

class BitReader;

// Why a cookie or a packet did not decode.
enum class AlacError {
    None,
    UnreadableCookie,  // neither the 'alac' box nor the bare config
    UnsupportedStream, // a channel count, sample width or frame length not taken, or
                       // compressed samples with a Rice limit of 0
    UnknownElement,    // an element that holds no channels
    ExtraChannels,     // more channels than the stream has
    MissingChannels,   // the packet ends before every channel has come
    BadSampleCount,    // no samples, or more than a frame holds
    NoSampleBits,      // the bytes sent uncompressed leave nothing to predict
    BadPredictor,      // a predictor FFmpeg's decoder refuses
    PastPacketEnd,     // the samples need more bits than the packet has
};

// A sentence for the user: "the ALAC packet ends before its samples do".
QString describeAlacError(AlacError error);

// Decodes the packets of one ALAC stream into 32-bit samples. Any packet,
// however damaged, gives samples or a reason; the decoder reads no byte
// outside it and does work bounded by the stream's frame length. It gives
// what FFmpeg's decoder gives and refuses what it refuses, down to the
// wrapping of damaged sums, so that a file it proves is one FFmpeg plays
// the same (codec_tests and the differential fuzz target hold it to that).
// Not for use from two threads at once.
class AlacDecoder {
public:
    // A decoder for the stream the cookie describes, or null and the reason.
    static std::unique_ptr<AlacDecoder> create(std::span<const uint8_t> cookie, AlacError* error);

    // `config` is one isSupported() takes.
    explicit AlacDecoder(const AlacConfig& config);
    ~AlacDecoder();

    // Whether this decoder takes streams of this kind: 1 to 8 channels,
    // 1 to 32 bits and a frame length from 1 to 65536.
    static bool isSupported(const AlacConfig& config);

    const AlacConfig& config() const { return config_; }

    struct Result {
        int samples = 0; // per channel
        AlacError error = AlacError::None;
    };

    // Decodes one packet; on success `channel(i)` holds `samples` samples of
    // each channel, in FFmpeg's channel order, as numbers of the stream's
    // bit depth.
    Result decode(std::span<const uint8_t> packet);
    const int32_t* channel(int index) const;

private:
    struct Element;
    AlacError readElement(BitReader& in, ElementKind kind, int first, int* frameSamples);
    AlacError readCompressed(BitReader& in, const Element& element);
    void readVerbatim(BitReader& in, const Element& element);

    AlacConfig config_;
    // Per channel in stream order, a frame's residuals and then its samples.
    std::array<std::vector<int32_t>, maximumChannels> samples_;
    std::vector<uint32_t> lowBytes_; // a pair's uncompressed low bytes, interleaved
    std::span<const uint8_t> places_;
};

} // namespace decant::library::alac
