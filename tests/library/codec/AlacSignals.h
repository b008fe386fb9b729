#pragma once

#include <cstdint>
#include <vector>

namespace decant::test {

// Audio to put through an ALAC coder: one plane of values of `bits` bits a
// channel, deterministic for a seed.
enum class AlacSignal {
    Silence,
    Noise,     // white and full scale: nothing to predict, so stored uncompressed
    MusicLike, // band-limited noise, decaying tones and drum hits, as compressible as music
};

using Planes = std::vector<std::vector<int32_t>>;

Planes alacSignal(AlacSignal signal, int channels, int bits, int sampleRate, int64_t samples,
                  uint32_t seed = 1);

// Pointers to each plane's samples from `offset` on, as the coders take them.
std::vector<const int32_t*> planePointers(const Planes& planes, int64_t offset = 0);

} // namespace decant::test
