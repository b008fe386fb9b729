#pragma once

#include <cstdint>

namespace decant::library {

// Where the source's samples lie in an encoded stream: after the samples
// the encoder primes itself with, before the padding that fills its last
// frame.
struct SampleSpan {
    int64_t priming = 0;
    int64_t length = 0; // the samples given to the encoder
    int64_t padding = 0;
};

} // namespace decant::library
