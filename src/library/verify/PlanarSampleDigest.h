#pragma once

#include "library/verify/SampleHash.h"

#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

namespace decant::library {

// How a WAV file stores each sample.
struct StoredSamples {
    int bytes = 0;
    bool unsignedBytes = false; // 8-bit WAV
    bool floating = false;
};

// For the name of a WAV file's codec ("pcm_s24le"); nothing when unknown.
std::optional<StoredSamples> storedSamplesOf(const QString& codecName);

// The digest of planar integer samples laid out as the source WAV file
// stored them: interleaved, little-endian, each in the stored width, keeping
// its most significant bits. So a lossless decoder's output gives the
// source's digest.
class PlanarSampleDigest {
public:
    // `stored` is of integers; `bits` is the depth of the samples added.
    PlanarSampleDigest(StoredSamples stored, int bits, SampleHash::Kind kind);

    void add(const int32_t* const* channels, int channelCount, int samples);
    QString result() const { return hash_.result(); }

private:
    template <int Bytes, int Channels>
    void interleave(const int32_t* const* channels, int anyCount, int samples);

    StoredSamples stored_;
    int shift_; // left for a wider stored sample, right for a narrower
    SampleHash hash_;
    std::vector<uint8_t> buffer_;
};

} // namespace decant::library
