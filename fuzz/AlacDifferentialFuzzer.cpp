// Differential fuzzing of the ALAC codec against FFmpeg's. An input's first
// byte picks one of two checks:
// - even: samples made from the input go through our encoder, and both our
//   decoder and FFmpeg's must give them back exactly;
// - odd: the rest of the input is a packet of a stream the next bytes
//   describe, and both decoders must give the same samples or both refuse.
// Any difference aborts, with what differed on stderr.
#include "AlacSignals.h"
#include "FfmpegAlac.h"
#include "library/codec/alac/AlacDecoder.h"
#include "library/codec/alac/AlacEncoder.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <optional>

namespace {

using namespace decant::library::alac;
using decant::test::Planes;

// Reads the input front to back, zeros once it runs out.
class Input {
public:
    Input(const uint8_t* data, size_t size)
        : data_(data)
        , size_(size) {}
    uint8_t byte() { return at_ < size_ ? data_[at_++] : 0; }
    uint16_t word() { return uint16_t(byte() << 8 | byte()); }
    std::span<const uint8_t> rest() const { return {data_ + at_, size_ - std::min(at_, size_)}; }

private:
    const uint8_t* data_;
    size_t size_;
    size_t at_ = 0;
};

[[noreturn]] void fail(const char* what) {
    std::fprintf(stderr, "ALAC decoders differ: %s\n", what);
    std::abort();
}

int depthFrom(uint8_t byte) {
    static constexpr int depths[] = {16, 20, 24, 32};
    return depths[byte % 4];
}

// A walk whose steps come from the input: smooth for small steps, noise for
// large ones, clipped at full scale.
Planes samplesFrom(Input& input, int channels, int bits, int count) {
    const int stepShift = input.byte() % (bits - 7);
    const int64_t top = (int64_t(1) << (bits - 1)) - 1;
    const std::span<const uint8_t> steps = input.rest();
    Planes planes(static_cast<size_t>(channels), std::vector<int32_t>(static_cast<size_t>(count)));
    size_t at = 0;
    for (auto& plane : planes) {
        int64_t value = 0;
        for (int32_t& sample : plane) {
            const int step = steps.empty() ? 0 : int8_t(steps[at++ % steps.size()]);
            value = std::clamp(value + (int64_t(step) << stepShift), -top - 1, top);
            sample = int32_t(value);
        }
    }
    return planes;
}

void checkRoundTrip(Input& input) {
    AlacEncoderSettings settings;
    settings.channels = 1 + input.byte() % 8;
    settings.bitsPerSample = depthFrom(input.byte());
    const int count = 1 + input.word() % 4096;
    // A frame length of the count itself sends a full frame, else a short one.
    settings.frameLength = input.byte() % 2 ? count : 4096;
    const Planes source = samplesFrom(input, settings.channels, settings.bitsPerSample, count);

    AlacEncoder encoder(settings);
    const std::vector<uint8_t> cookie = encoder.magicCookie();
    const auto packet = encoder.encode(decant::test::planePointers(source).data(), count);
    if (packet.size() > encoder.config().maxFrameBytes) {
        fail("a packet is larger than the cookie says packets are");
    }
    AlacError error;
    const auto ours = AlacDecoder::create(cookie, &error);
    decant::test::FfmpegAlacDecoder ffmpeg(cookie);
    if (!ours || !ffmpeg.isOpen()) {
        fail("a decoder refused our cookie");
    }
    const AlacDecoder::Result result = ours->decode(packet);
    if (result.error != AlacError::None || result.samples != count) {
        fail("our decoder did not decode our packet");
    }
    for (int c = 0; c < settings.channels; ++c) {
        if (!std::equal(source[size_t(c)].begin(), source[size_t(c)].end(), ours->channel(c))) {
            fail("our decoder gave other samples than our encoder took");
        }
    }
    if (ffmpeg.decode(packet) != source) {
        fail("FFmpeg's decoder gave other samples than our encoder took");
    }
}

void checkDamage(Input& input) {
    AlacConfig config;
    config.channels = uint8_t(1 + input.byte() % 8);
    config.bitDepth = uint8_t(depthFrom(input.byte()));
    config.frameLength = input.byte() % 2 ? 4096u : 1u + input.word() % 4096;
    if (input.byte() % 4 == 0) {
        config.historyMultiplier = input.byte();
        config.initialHistory = input.byte();
        config.riceLimit = input.byte();
    }
    const std::vector<uint8_t> cookie = magicCookie(config);
    const std::span<const uint8_t> packet = input.rest();

    AlacError error;
    const auto ours = AlacDecoder::create(cookie, &error);
    decant::test::FfmpegAlacDecoder ffmpeg(cookie);
    if (bool(ours) != ffmpeg.isOpen()) {
        fail(ours ? "FFmpeg refused a cookie ours takes" : "ours refused a cookie FFmpeg takes");
    }
    if (!ours) {
        return;
    }
    const std::optional<Planes> theirs = ffmpeg.decode(packet);
    const AlacDecoder::Result result = ours->decode(packet);
    if (theirs.has_value() != (result.error == AlacError::None)) {
        fail(theirs ? "ours refused a packet FFmpeg decodes"
                    : "ours decoded a packet FFmpeg refuses");
    }
    if (!theirs) {
        return;
    }
    if (int((*theirs)[0].size()) != result.samples) {
        fail("the decoders gave different numbers of samples");
    }
    for (int c = 0; c < config.channels; ++c) {
        if (!std::equal((*theirs)[size_t(c)].begin(), (*theirs)[size_t(c)].end(),
                        ours->channel(c))) {
            fail("the decoders gave different samples");
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Input input(data, size);
    if (input.byte() % 2 == 0) {
        checkRoundTrip(input);
    } else {
        checkDamage(input);
    }
    return 0;
}
