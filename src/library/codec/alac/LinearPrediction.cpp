#include "library/codec/alac/LinearPrediction.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numbers>

// ThreadSanitizer's builds take the baseline build only: the resolver
// that picks a build runs before the sanitizer's runtime has started.
#ifdef __SANITIZE_THREAD__
#define DECANT_DEFAULT_BUILD
#else
#define DECANT_DEFAULT_BUILD [[gnu::target("default")]]
#endif

namespace decant::library::alac {
namespace {

constexpr int lags = highOrder + 1;

// A higher order's residual must be this much smaller than the lower one's
// to be chosen: on paper that is 0.26 bits a sample, but the adaptation
// makes up most of it for the lower order, which costs half the time to
// encode and decode. At 0.8, tones under pink noise went to order 8 for
// files a little larger than order 4 gives, at 40% more processor time.
constexpr double higherOrderGain = 0.7;

std::vector<float> tukeyWindow(int length) {
    std::vector<float> window(size_t(std::max(length, 0)), 1.0f);
    const int taper = length / 4; // each end: a quarter of the frame
    for (int i = 0; i < taper; ++i) {
        const double w = 0.5 - 0.5 * std::cos(std::numbers::pi * (i + 0.5) / taper);
        window[size_t(i)] = float(w);
        window[size_t(length - 1 - i)] = float(w);
    }
    return window;
}

// The frame under the window, then sixteen sums a lag in floats, each over
// every sixteenth product: chains of additions that run side by side in
// vectors of four floats (SSE, on any x86-64) or eight (AVX2). Both add the
// same numbers in the same order, so the predictor chosen never depends on
// the processor; their rounding is far below what that choice needs.
template <typename Floats>
[[gnu::always_inline]] inline void correlateIn(const int32_t* samples, const float* window,
                                               float* windowed, int count, double* sums) {
    for (int i = 0; i < count; ++i) {
        windowed[i] = float(samples[i]) * window[i];
    }
    constexpr int width = sizeof(Floats) / sizeof(float);
    const int whole = count - count % 16;
    for (int lag = 0; lag < lags; ++lag) {
        Floats chains[16 / width] = {};
        for (int i = 0; i < whole; i += 16) {
            for (int c = 0; c < 16 / width; ++c) {
                Floats at, lagged;
                std::memcpy(&at, windowed + i + c * width, sizeof at);
                std::memcpy(&lagged, windowed + i + c * width - lag, sizeof lagged);
                chains[c] += at * lagged;
            }
        }
        float lanes[16];
        std::memcpy(lanes, chains, sizeof lanes);
        double sum = 0;
        for (int k = 0; k < 8; ++k) {
            sum += double(lanes[k]) + double(lanes[k + 8]);
        }
        for (int i = whole; i < count; ++i) {
            sum += double(windowed[i]) * double(windowed[i - lag]);
        }
        sums[lag] = sum;
    }
}

} // namespace

// Multiversioned functions have linkage, for Clang to keep every version.
DECANT_DEFAULT_BUILD void correlateWindowed(const int32_t* samples, const float* window,
                                            float* windowed, int count, double* sums) {
    correlateIn<float __attribute__((vector_size(16)))>(samples, window, windowed, count, sums);
}

#ifndef __SANITIZE_THREAD__
[[gnu::target("avx2")]] void correlateWindowed(const int32_t* samples, const float* window,
                                               float* windowed, int count, double* sums) {
    correlateIn<float __attribute__((vector_size(32)))>(samples, window, windowed, count, sums);
}
#endif

Analyser::Analyser(int frameLength)
    : window_(tukeyWindow(frameLength))
    , windowed_(size_t(frameLength + lags)) {}

Autocorrelation Analyser::analyse(const int32_t* samples, int count) {
    if (size_t(count) != window_.size()) {
        window_ = tukeyWindow(count);
        windowed_.resize(size_t(count + lags));
    }
    // Zeros before the frame let every lag run over the whole frame.
    std::fill(windowed_.begin(), windowed_.begin() + lags, 0.0f);
    Autocorrelation result;
    correlateWindowed(samples, window_.data(), windowed_.data() + lags, count, result.lag);
    return result;
}

PredictorFamily levinsonDurbin(const Autocorrelation& autocorrelation) {
    PredictorFamily family;
    const double* r = autocorrelation.lag;
    double error = r[0];
    family.error[0] = error;
    if (!(error > 0)) {
        return family;
    }
    double a[highOrder] = {};
    for (int order = 1; order <= highOrder; ++order) {
        double accumulated = r[order];
        for (int j = 0; j < order - 1; ++j) {
            accumulated -= a[j] * r[order - 1 - j];
        }
        const double reflection = accumulated / error;
        double previous[highOrder];
        std::copy(a, a + order, previous);
        a[order - 1] = reflection;
        for (int j = 0; j < order - 1; ++j) {
            a[j] = previous[j] - reflection * previous[order - 2 - j];
        }
        error *= 1 - reflection * reflection;
        if (!(error > 0)) {
            break;
        }
        std::copy(a, a + order, family.coefficients[order]);
        family.error[order] = error;
        family.orders = order;
    }
    return family;
}

double estimatedBits(const PredictorFamily& family, int order, int count) {
    const int usable = std::min(order, family.orders);
    return 0.5 * count * std::log2(std::max(family.error[usable], 1e-9));
}

int chooseOrder(const PredictorFamily& family) {
    int order = std::min(lowestOrder, family.orders);
    for (const int higher : {middleOrder, highOrder}) {
        if (family.orders >= higher &&
            family.error[higher] < higherOrderGain * family.error[order]) {
            order = higher;
        }
    }
    return order;
}

PredictorSetup quantise(const PredictorFamily& family, int order) {
    PredictorSetup setup;
    setup.order = order;
    const double* a = family.coefficients[order];
    double largest = 0;
    for (int k = 0; k < order; ++k) {
        largest = std::max(largest, std::abs(a[k]));
    }
    int shift = coefficientPrecision;
    while (shift > 0 && largest * std::ldexp(1.0, shift) > 32767) {
        --shift;
    }
    setup.shift = shift;
    const double scale = std::ldexp(1.0, shift);
    for (int k = 0; k < order; ++k) {
        setup.coefficients[k] = int16_t(std::clamp(std::lround(a[k] * scale), -32768L, 32767L));
    }
    return setup;
}

} // namespace decant::library::alac
