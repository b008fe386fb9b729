#include "library/codec/alac/LinearPrediction.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numbers>

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

} // namespace

Analyser::Analyser(int frameLength)
    : window_(tukeyWindow(frameLength))
    , windowed_(size_t(frameLength + lags)) {}

Autocorrelation Analyser::analyse(const int32_t* samples, int count) {
    if (size_t(count) != window_.size()) {
        window_ = tukeyWindow(count);
        windowed_.resize(size_t(count + lags));
    }
    // Zeros before the frame let every lag run over the whole frame.
    float* windowed = windowed_.data() + lags;
    std::fill(windowed_.begin(), windowed_.begin() + lags, 0.0f);
    for (int i = 0; i < count; ++i) {
        windowed[i] = float(samples[i]) * window_[size_t(i)];
    }
    // Eight sums a lag in floats, each over every eighth product: chains
    // of additions that run side by side in two four-float vectors (of
    // GCC and Clang; SSE on any x86-64). Their rounding is far below what
    // the choice of predictor needs.
    using Floats = float __attribute__((vector_size(16)));
    const auto load = [](const float* at) {
        Floats value;
        std::memcpy(&value, at, sizeof value);
        return value;
    };
    double sums[lags] = {};
    const int whole = count - count % 8;
    for (int lag = 0; lag < lags; ++lag) {
        Floats even = {}, odd = {};
        for (int i = 0; i < whole; i += 8) {
            even += load(windowed + i) * load(windowed + i - lag);
            odd += load(windowed + i + 4) * load(windowed + i + 4 - lag);
        }
        double sum = 0;
        for (int k = 0; k < 4; ++k) {
            sum += double(even[k]) + double(odd[k]);
        }
        for (int i = whole; i < count; ++i) {
            sum += double(windowed[i]) * double(windowed[i - lag]);
        }
        sums[lag] = sum;
    }
    Autocorrelation result;
    std::copy(sums, sums + lags, result.lag);
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
