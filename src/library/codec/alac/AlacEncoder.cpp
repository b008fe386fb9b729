#include "library/codec/alac/AlacEncoder.h"

#include "library/codec/alac/AdaptivePredictor.h"
#include "library/codec/alac/AdaptiveRice.h"
#include "library/codec/alac/BitWriter.h"
#include "library/codec/alac/ElementLayout.h"
#include "library/codec/alac/StereoChoice.h"

#include <algorithm>

namespace decant::library::alac {
namespace {

// The Rice coder's history multiplier for every channel, in quarters of the
// stream's: the format's and FFmpeg's own.
constexpr uint32_t historyFactor = 4;

constexpr int elementHeaderBits = 3 + 4 + 12 + 1 + 2 + 1;
constexpr int sampleCountBits = 32;
constexpr int mixBits = 16;
constexpr int endBits = 3;

uint32_t lowMask(int bits) {
    return bits >= 32 ? ~0u : (1u << bits) - 1;
}

// The most bytes a packet takes: every element sent uncompressed, with its
// sample count.
uint32_t largestPacket(const AlacConfig& config) {
    uint64_t bits = endBits + uint64_t(config.frameLength) * config.channels * config.bitDepth;
    bits += elementsFor(config.channels).size() * uint64_t(elementHeaderBits + sampleCountBits);
    return uint32_t((bits + 7) / 8);
}

// The low bytes of each sample that go out uncompressed. The Rice coder's
// largest parameter (14) cannot code 24-bit residuals without escaping most
// of them, so deeper samples keep their noisy low byte out of the predictor;
// 32 bits keep two, since a pair's side channel needs a bit more than the
// samples have.
int shiftedBytesFor(int bitsPerSample) {
    if (bitsPerSample > 24) {
        return 2;
    }
    return bitsPerSample == 24 ? 1 : 0;
}

// A packet's largest compressed form before the encoder falls back to the
// uncompressed one: every value escaped, plus the low bytes and the
// predictor descriptions.
size_t largestAttempt(const AlacConfig& config) {
    const uint64_t perSample = 9 + 33 + 16;
    return size_t((uint64_t(config.frameLength) * config.channels * perSample + 7) / 8 + 4096);
}

} // namespace

class AlacEncoder::Frame {
public:
    explicit Frame(const AlacEncoderSettings& settings);

    std::span<const uint8_t> encode(const int32_t* const* planes, int count);

    AlacConfig config;

private:
    void load(const int32_t* const* planes, int count);
    RiceTuning riceFor(int bits) const;
    void writeHeader(BitWriter& out, ElementKind kind, int count, bool verbatim) const;
    void writeVerbatim(BitWriter& out, int first, int channels, int count) const;
    void writePredictor(BitWriter& out, const PredictorSetup& setup) const;
    void writeLowBytes(BitWriter& out, int first, int channels, int count) const;
    // The predictor to use; decoders refuse an order of the frame length
    // or more.
    PredictorSetup predictorFor(const PredictorFamily& family) const {
        return quantise(family, std::min(chooseOrder(family), int(config.frameLength) - 1));
    }
    void writeSingle(BitWriter& out, int channel, int count);
    void writePair(BitWriter& out, int first, int count);
    // Writes the element uncompressed instead when that is shorter.
    void fallBack(BitWriter& out, const BitWriter& start, ElementKind kind, int first, int channels,
                  int count) const;

    int sampleShift_;
    int shiftedBytes_;
    std::span<const ElementKind> elements_;
    std::span<const uint8_t> places_;
    // Per channel in stream order: the caller's samples, and the bits above
    // the shifted bytes, which are the caller's own when nothing is shifted.
    std::vector<const int32_t*> samples_;
    std::vector<const int32_t*> high_;
    std::vector<std::vector<int32_t>> shifted_;
    std::vector<int32_t> u_;
    std::vector<int32_t> v_;
    std::vector<int32_t> residualsU_;
    std::vector<int32_t> residualsV_;
    Analyser analyser_;
    std::vector<uint8_t> packet_;
};

AlacEncoder::Frame::Frame(const AlacEncoderSettings& settings)
    : sampleShift_(settings.sampleShift)
    , shiftedBytes_(shiftedBytesFor(settings.bitsPerSample))
    , elements_(elementsFor(settings.channels))
    , places_(ffmpegPlaces(settings.channels))
    , samples_(size_t(settings.channels))
    , high_(size_t(settings.channels))
    , shifted_(size_t(settings.channels), std::vector<int32_t>(size_t(settings.frameLength)))
    , u_(size_t(settings.frameLength))
    , v_(size_t(settings.frameLength))
    , residualsU_(size_t(settings.frameLength))
    , residualsV_(size_t(settings.frameLength))
    , analyser_(settings.frameLength) {
    config.frameLength = uint32_t(settings.frameLength);
    config.bitDepth = uint8_t(settings.bitsPerSample);
    config.channels = uint8_t(settings.channels);
    config.sampleRate = uint32_t(settings.sampleRate);
    config.maxFrameBytes = largestPacket(config);
    packet_.resize(largestAttempt(config));
}

void AlacEncoder::Frame::load(const int32_t* const* planes, int count) {
    const int shift = sampleShift_ + 8 * shiftedBytes_;
    for (size_t s = 0; s < places_.size(); ++s) {
        samples_[s] = planes[places_[s]];
        high_[s] = samples_[s];
        if (shift > 0) {
            int32_t* high = shifted_[s].data();
            for (int i = 0; i < count; ++i) {
                high[i] = samples_[s][i] >> shift;
            }
            high_[s] = high;
        }
    }
}

RiceTuning AlacEncoder::Frame::riceFor(int bits) const {
    RiceTuning tuning;
    tuning.historyMultiplier = config.historyMultiplier * historyFactor / 4;
    tuning.initialHistory = config.initialHistory;
    tuning.limit = config.riceLimit;
    tuning.escapeBits = bits;
    return tuning;
}

void AlacEncoder::Frame::writeHeader(BitWriter& out, ElementKind kind, int count,
                                     bool verbatim) const {
    const bool partial = uint32_t(count) != config.frameLength;
    out.put(uint32_t(kind), 3);
    out.put(0, 4 + 12); // instance tag, unused
    out.put(partial ? 1 : 0, 1);
    // Uncompressed samples ignore the shift, but FFmpeg still refuses a
    // pair whose side channel would need 33 bits: 32-bit pairs say 1.
    const bool wide = kind == ElementKind::Pair && config.bitDepth == 32;
    out.put(verbatim ? (wide ? 1 : 0) : uint32_t(shiftedBytes_), 2);
    out.put(verbatim ? 1 : 0, 1);
    if (partial) {
        out.put(uint32_t(count), sampleCountBits);
    }
}

void AlacEncoder::Frame::writeVerbatim(BitWriter& out, int first, int channels, int count) const {
    const uint32_t mask = lowMask(config.bitDepth);
    for (int i = 0; i < count; ++i) {
        for (int c = 0; c < channels; ++c) {
            out.put(uint32_t(samples_[size_t(first + c)][i] >> sampleShift_) & mask,
                    config.bitDepth);
        }
    }
}

void AlacEncoder::Frame::writePredictor(BitWriter& out, const PredictorSetup& setup) const {
    out.put(0, 4); // the one prediction mode
    out.put(uint32_t(setup.shift), 4);
    out.put(historyFactor, 3);
    out.put(uint32_t(setup.order), 5);
    for (int k = 0; k < setup.order; ++k) {
        out.put(uint16_t(setup.coefficients[k]), 16);
    }
}

void AlacEncoder::Frame::writeLowBytes(BitWriter& out, int first, int channels, int count) const {
    const int lowBits = 8 * shiftedBytes_;
    if (lowBits == 0) {
        return;
    }
    const uint32_t mask = lowMask(lowBits);
    for (int i = 0; i < count; ++i) {
        for (int c = 0; c < channels; ++c) {
            out.put(uint32_t(samples_[size_t(first + c)][i] >> sampleShift_) & mask, lowBits);
        }
    }
}

void AlacEncoder::Frame::fallBack(BitWriter& out, const BitWriter& start, ElementKind kind,
                                  int first, int channels, int count) const {
    const uint64_t verbatim = uint64_t(count) * uint64_t(channels) * config.bitDepth;
    const uint64_t header = elementHeaderBits + (uint32_t(count) != config.frameLength ? 32 : 0);
    if (out.bitsWritten() - start.bitsWritten() <= header + verbatim) {
        return;
    }
    out = start;
    writeHeader(out, kind, count, true);
    writeVerbatim(out, first, channels, count);
}

void AlacEncoder::Frame::writeSingle(BitWriter& out, int channel, int count) {
    const int bits = config.bitDepth - 8 * shiftedBytes_;
    const RiceTuning rice = riceFor(bits);
    const int32_t* samples = high_[size_t(channel)];
    const PredictorSetup setup = predictorFor(levinsonDurbin(analyser_.analyse(samples, count)));
    predictResiduals(samples, residualsU_.data(), count, setup, bits);
    const BitWriter start = out;
    writeHeader(out, ElementKind::Single, count, false);
    out.put(0, mixBits);
    writePredictor(out, setup);
    writeLowBytes(out, channel, 1, count);
    writeResiduals(out, residualsU_.data(), count, rice);
    fallBack(out, start, ElementKind::Single, channel, 1, count);
}

void AlacEncoder::Frame::writePair(BitWriter& out, int first, int count) {
    const int bits = config.bitDepth - 8 * shiftedBytes_ + 1;
    const RiceTuning rice = riceFor(bits);
    const int32_t* left = high_[size_t(first)];
    const int32_t* right = high_[size_t(first + 1)];
    mixPair(left, right, u_.data(), v_.data(), count, {0, 1}); // v: the side
    const PairChoice choice =
        choosePairMix(analyser_.analyse(left, count), analyser_.analyse(right, count),
                      analyser_.analyse(v_.data(), count), count);
    mixPair(left, right, u_.data(), v_.data(), count, choice.mix);
    const PredictorSetup setups[2] = {predictorFor(choice.u), predictorFor(choice.v)};
    const PredictorSetup& setupU = setups[0];
    const PredictorSetup& setupV = setups[1];
    const int32_t* const mixed[2] = {u_.data(), v_.data()};
    int32_t* const residuals[2] = {residualsU_.data(), residualsV_.data()};
    predictPairResiduals(mixed, residuals, count, setups, bits);
    const BitWriter start = out;
    writeHeader(out, ElementKind::Pair, count, false);
    out.put(uint32_t(choice.mix.bits), 8);
    out.put(uint32_t(choice.mix.weight), 8);
    writePredictor(out, setupU);
    writePredictor(out, setupV);
    writeLowBytes(out, first, 2, count);
    writeResiduals(out, residualsU_.data(), count, rice);
    writeResiduals(out, residualsV_.data(), count, rice);
    fallBack(out, start, ElementKind::Pair, first, 2, count);
}

std::span<const uint8_t> AlacEncoder::Frame::encode(const int32_t* const* planes, int count) {
    load(planes, count);
    BitWriter out(packet_.data());
    int channel = 0;
    for (const ElementKind kind : elements_) {
        if (kind == ElementKind::Pair) {
            writePair(out, channel, count);
            channel += 2;
        } else {
            writeSingle(out, channel, count);
            channel += 1;
        }
    }
    out.put(uint32_t(ElementKind::End), endBits);
    return {packet_.data(), out.finish()};
}

bool AlacEncoder::isSupported(const AlacEncoderSettings& settings) {
    const int bits = settings.bitsPerSample;
    return settings.channels >= 1 && settings.channels <= maximumChannels &&
           (bits == 16 || bits == 20 || bits == 24 || bits == 32) && settings.sampleRate > 0 &&
           settings.frameLength >= 1 && settings.frameLength <= 65536 &&
           settings.sampleShift >= 0 && settings.sampleShift <= 32 - bits;
}

AlacEncoder::AlacEncoder(const AlacEncoderSettings& settings)
    : frame_(std::make_unique<Frame>(settings)) {}

AlacEncoder::~AlacEncoder() = default;

const AlacConfig& AlacEncoder::config() const {
    return frame_->config;
}

std::vector<uint8_t> AlacEncoder::magicCookie() const {
    return alac::magicCookie(frame_->config);
}

int AlacEncoder::frameLength() const {
    return int(frame_->config.frameLength);
}

std::span<const uint8_t> AlacEncoder::encode(const int32_t* const* planes, int count) {
    if (count < 1 || count > frameLength()) {
        return {};
    }
    return frame_->encode(planes, count);
}

} // namespace decant::library::alac
