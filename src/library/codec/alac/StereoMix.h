#pragma once

#include <cstdint>

namespace decant::library::alac {

// How a channel pair is decorrelated: with a weight w of 2^bits, the pair
// (l, r) goes out as u = r + floor(w (l - r) / 2^bits) and v = l - r. A
// weight of 0 sends the channels as they are; bits 0 and weight 1 send left
// and side, bits 1 and weight 1 mid and side.
struct StereoMix {
    int bits = 0;
    int weight = 0;
};

void mixPair(const int32_t* left, const int32_t* right, int32_t* u, int32_t* v, int count,
             StereoMix mix);

// Turns u and v back into left (in u) and right (in v).
void unmixPair(int32_t* u, int32_t* v, int count, StereoMix mix);

} // namespace decant::library::alac
