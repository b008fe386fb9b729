#include "library/codec/alac/AlacDecoder.h"

#include "library/codec/alac/AdaptivePredictor.h"
#include "library/codec/alac/AdaptiveRice.h"
#include "library/codec/alac/BitReader.h"
#include "library/codec/alac/StereoMix.h"

#include <QCoreApplication>

namespace decant::library::alac {
namespace {

constexpr uint32_t longestFrame = 65536;

// The prediction modes: 0 predicts once; 15 first sums the residuals up as
// first differences and then predicts from those sums. FFmpeg decodes the
// other modes as 0, and so does this decoder.
constexpr uint32_t doublePredictionMode = 15;
const PredictorSetup firstDifference = {firstDifferenceOrder, 0, {}};

int32_t wrapTo(uint32_t value, int bits) {
    const int unused = 32 - bits;
    return int32_t(value << unused) >> unused;
}

} // namespace

struct AlacDecoder::Element {
    int first = 0;    // its first channel, in stream order
    int channels = 1; // 1 or 2
    int samples = 0;
    int shiftedBytes = 0; // low bytes of each sample sent uncompressed
};

QString describeAlacError(AlacError error) {
    switch (error) {
    case AlacError::None:
        break;
    case AlacError::UnreadableCookie:
        return QCoreApplication::translate("decant::AlacDecoder",
                                           "the ALAC stream's configuration cannot be read");
    case AlacError::UnsupportedStream:
        return QCoreApplication::translate(
            "decant::AlacDecoder", "the ALAC stream's configuration is not one this decoder takes");
    case AlacError::UnknownElement:
        return QCoreApplication::translate("decant::AlacDecoder",
                                           "an ALAC packet holds an element that is not audio");
    case AlacError::ExtraChannels:
        return QCoreApplication::translate("decant::AlacDecoder",
                                           "an ALAC packet holds more channels than its stream");
    case AlacError::MissingChannels:
        return QCoreApplication::translate("decant::AlacDecoder",
                                           "an ALAC packet ends before all of its channels");
    case AlacError::BadSampleCount:
        return QCoreApplication::translate("decant::AlacDecoder",
                                           "an ALAC packet gives an impossible number of samples");
    case AlacError::BadPredictor:
        return QCoreApplication::translate("decant::AlacDecoder",
                                           "an ALAC packet describes a predictor no decoder takes");
    case AlacError::NoSampleBits:
        return QCoreApplication::translate("decant::AlacDecoder",
                                           "an ALAC packet leaves no bits to its samples");
    case AlacError::PastPacketEnd:
        return QCoreApplication::translate("decant::AlacDecoder",
                                           "an ALAC packet ends before its samples do");
    }
    return {};
}

std::unique_ptr<AlacDecoder> AlacDecoder::create(std::span<const uint8_t> cookie,
                                                 AlacError* error) {
    const auto config = readMagicCookie(cookie);
    if (!config) {
        *error = AlacError::UnreadableCookie;
        return nullptr;
    }
    if (!isSupported(*config)) {
        *error = AlacError::UnsupportedStream;
        return nullptr;
    }
    *error = AlacError::None;
    return std::make_unique<AlacDecoder>(*config);
}

bool AlacDecoder::isSupported(const AlacConfig& config) {
    return config.channels >= 1 && config.channels <= maximumChannels && config.bitDepth >= 1 &&
           config.bitDepth <= 32 && config.frameLength >= 1 && config.frameLength <= longestFrame;
}

AlacDecoder::AlacDecoder(const AlacConfig& config)
    : config_(config)
    , places_(ffmpegPlaces(config.channels)) {
    for (int c = 0; c < config.channels; ++c) {
        samples_[size_t(c)].resize(config.frameLength);
    }
    lowBytes_.resize(size_t(config.frameLength) * 2);
}

AlacDecoder::~AlacDecoder() = default;

const int32_t* AlacDecoder::channel(int index) const {
    for (size_t s = 0; s < places_.size(); ++s) {
        if (places_[s] == index) {
            return samples_[s].data();
        }
    }
    return nullptr;
}

AlacDecoder::Result AlacDecoder::decode(std::span<const uint8_t> packet) {
    BitReader in(packet.data(), packet.size());
    int channels = 0;
    int frameSamples = -1;
    for (;;) {
        const auto kind = ElementKind(in.read(3));
        if (kind == ElementKind::End) {
            break;
        }
        if (kind != ElementKind::Single && kind != ElementKind::Pair &&
            kind != ElementKind::LowFrequency) {
            return {0, AlacError::UnknownElement};
        }
        const int width = kind == ElementKind::Pair ? 2 : 1;
        if (channels + width > config_.channels) {
            return {0, AlacError::ExtraChannels};
        }
        const AlacError error = readElement(in, kind, channels, &frameSamples);
        if (error != AlacError::None) {
            return {0, error};
        }
        channels += width;
    }
    if (channels < config_.channels) {
        return {0, AlacError::MissingChannels};
    }
    for (int c = 0; c < channels; ++c) {
        int32_t* samples = samples_[size_t(c)].data();
        for (int i = 0; i < frameSamples; ++i) {
            samples[i] = wrapTo(uint32_t(samples[i]), config_.bitDepth);
        }
    }
    return {frameSamples, AlacError::None};
}

AlacError AlacDecoder::readElement(BitReader& in, ElementKind kind, int first, int* frameSamples) {
    in.skip(4 + 12); // the element's instance tag and unused bits
    const bool partial = in.read(1);
    Element element;
    element.first = first;
    element.channels = kind == ElementKind::Pair ? 2 : 1;
    element.shiftedBytes = int(in.read(2));
    const bool verbatim = in.read(1);
    const uint32_t samples = partial ? in.read(32) : config_.frameLength;
    if (samples == 0 || samples > config_.frameLength ||
        (*frameSamples >= 0 && samples != uint32_t(*frameSamples))) {
        return AlacError::BadSampleCount;
    }
    element.samples = int(samples);
    *frameSamples = int(samples);
    // FFmpeg refuses shifts that leave no bits, even to uncompressed
    // samples, which ignore the shift.
    const int width = config_.bitDepth - 8 * element.shiftedBytes + element.channels - 1;
    if (width < 1 || width > 32) {
        return AlacError::NoSampleBits;
    }
    if (verbatim) {
        readVerbatim(in, element);
        return in.bitsLeft() < 0 ? AlacError::PastPacketEnd : AlacError::None;
    }
    return readCompressed(in, element);
}

void AlacDecoder::readVerbatim(BitReader& in, const Element& element) {
    for (int i = 0; i < element.samples; ++i) {
        for (int c = 0; c < element.channels; ++c) {
            samples_[size_t(element.first + c)][size_t(i)] = in.readSigned(config_.bitDepth);
        }
    }
}

AlacError AlacDecoder::readCompressed(BitReader& in, const Element& element) {
    if (config_.riceLimit == 0) {
        return AlacError::UnsupportedStream; // FFmpeg takes only uncompressed samples then
    }
    const int width = config_.bitDepth - 8 * element.shiftedBytes + element.channels - 1;
    StereoMix mix;
    mix.bits = int(in.read(8));
    mix.weight = int(in.read(8));
    if (element.channels == 2 && mix.weight != 0 && mix.bits >= 32) {
        return AlacError::BadPredictor; // FFmpeg refuses a mix it would have to apply
    }
    PredictorSetup setups[2];
    uint32_t historyFactors[2];
    bool twice[2];
    for (int c = 0; c < element.channels; ++c) {
        twice[c] = in.read(4) == doublePredictionMode;
        setups[c].shift = int(in.read(4));
        historyFactors[c] = in.read(3);
        setups[c].order = int(in.read(5));
        // FFmpeg refuses both.
        if (setups[c].shift == 0 || uint32_t(setups[c].order) >= config_.frameLength) {
            return AlacError::BadPredictor;
        }
        for (int k = 0; k < setups[c].order; ++k) {
            setups[c].coefficients[k] = int16_t(in.readSigned(16));
        }
    }
    const int lowBits = 8 * element.shiftedBytes;
    const int lowValues = element.samples * element.channels;
    for (int i = 0; i < lowValues && lowBits > 0; ++i) {
        lowBytes_[size_t(i)] = in.read(lowBits);
    }
    for (int c = 0; c < element.channels; ++c) {
        int32_t* samples = samples_[size_t(element.first + c)].data();
        RiceTuning tuning;
        tuning.historyMultiplier = config_.historyMultiplier * historyFactors[c] / 4;
        tuning.initialHistory = config_.initialHistory;
        tuning.limit = config_.riceLimit;
        tuning.escapeBits = width;
        switch (readResiduals(in, samples, element.samples, tuning)) {
        case RiceError::None:
            break;
        case RiceError::PastPacketEnd:
            return AlacError::PastPacketEnd;
        }
        if (twice[c]) {
            restoreSamples(samples, element.samples, firstDifference, width);
        }
        restoreSamples(samples, element.samples, setups[c], width);
    }
    if (element.channels == 2) {
        unmixPair(samples_[size_t(element.first)].data(),
                  samples_[size_t(element.first + 1)].data(), element.samples, mix);
    }
    for (int c = 0; c < element.channels && lowBits > 0; ++c) {
        int32_t* samples = samples_[size_t(element.first + c)].data();
        for (int i = 0; i < element.samples; ++i) {
            samples[i] = int32_t(uint32_t(samples[i]) << lowBits |
                                 lowBytes_[size_t(i * element.channels + c)]);
        }
    }
    return AlacError::None;
}

} // namespace decant::library::alac
