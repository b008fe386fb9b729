#include "library/codec/alac/StereoMix.h"

#include <algorithm>

namespace decant::library::alac {

// Unsigned arithmetic: sums of damaged packets wrap as the format's 32-bit
// arithmetic does, where signed overflow would be undefined.
void mixPair(const int32_t* left, const int32_t* right, int32_t* u, int32_t* v, int count,
             StereoMix mix) {
    if (mix.weight == 0) {
        std::copy(left, left + count, u);
        std::copy(right, right + count, v);
        return;
    }
    for (int i = 0; i < count; ++i) {
        const int32_t side = int32_t(uint32_t(left[i]) - uint32_t(right[i]));
        const int32_t share = int32_t(uint32_t(side) * uint32_t(mix.weight)) >> mix.bits;
        u[i] = int32_t(uint32_t(right[i]) + uint32_t(share));
        v[i] = side;
    }
}

void unmixPair(int32_t* u, int32_t* v, int count, StereoMix mix) {
    if (mix.weight == 0) {
        return;
    }
    for (int i = 0; i < count; ++i) {
        const int32_t share = int32_t(uint32_t(v[i]) * uint32_t(mix.weight)) >> mix.bits;
        const uint32_t left = uint32_t(u[i]) + uint32_t(v[i]) - uint32_t(share);
        u[i] = int32_t(left);
        v[i] = int32_t(left - uint32_t(v[i]));
    }
}

} // namespace decant::library::alac
