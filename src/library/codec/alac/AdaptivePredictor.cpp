#include "library/codec/alac/AdaptivePredictor.h"

#include <algorithm>
#include <array>

namespace decant::library::alac {
namespace {

// The low `bits` bits of a value, sign-extended: the predictor's sums wrap
// at the sample width, as the format's own arithmetic does.
struct Width {
    uint32_t half;
    uint32_t mask;
    explicit Width(int bits)
        : half(1u << (bits - 1))
        , mask(bits >= 32 ? ~0u : (1u << bits) - 1) {}
    int32_t wrap(uint32_t value) const { return int32_t(((value + half) & mask) - half); }
};

// The predictor's state at one order. The window holds the `Order` + 1
// samples before the next one, oldest first: the oldest is the reference
// the others are taken relative to. Coefficients are kept oldest first too,
// the reverse of the stream's order, so that index i of every array belongs
// to the same sample.
//
// The adaptation walks from the oldest coefficient to the newest while the
// residual is not used up, which on music it seldom is: the loop's exit is
// predictable, the residual's sign is not, so the sign goes into the
// arithmetic instead of a branch. All sums are unsigned, where a damaged
// packet's overflow wraps as in the format's 32-bit arithmetic, and the
// coefficients wrap at 16 bits, as FFmpeg's do.
template <int Order> struct Predictor {
    int32_t coefficients[Order];
    int shift;
    int64_t rounding;

    explicit Predictor(const PredictorSetup& setup)
        : shift(setup.shift)
        , rounding(setup.shift > 0 ? int64_t(1) << (setup.shift - 1) : 0) {
        for (int i = 0; i < Order; ++i) {
            coefficients[i] = setup.coefficients[Order - 1 - i];
        }
    }

    // The prediction of the sample after `window`.
    int32_t predict(const int32_t* window) const {
        const uint32_t top = uint32_t(window[0]);
        uint32_t sum = 0;
        for (int i = 0; i < Order; ++i) {
            sum += uint32_t(coefficients[i]) * (uint32_t(window[i + 1]) - top);
        }
        const int32_t scaled = int32_t((int64_t(int32_t(sum)) + rounding) >> shift);
        return int32_t(top + uint32_t(scaled));
    }

    // The residual is used up once it no longer has its sign. Taken as the
    // residual times its sign in 32 bits, as FFmpeg does, in which the most
    // negative number has none.
    void adapt(const int32_t* window, int32_t residual) {
        const uint32_t top = uint32_t(window[0]);
        const uint32_t flip = uint32_t(residual >> 31); // all ones for a negative residual
        uint32_t left = uint32_t(residual);
        for (int i = 0; i < Order; ++i) {
            if (int32_t((left ^ flip) - flip) <= 0) {
                return;
            }
            // From the reference to the sample, as FFmpeg takes it, so that
            // even the one difference without a sign (-2^31) moves alike.
            const int32_t difference = int32_t(top - uint32_t(window[i + 1]));
            const uint32_t step = uint32_t((difference > 0) - (difference < 0));
            coefficients[i] = int16_t(uint32_t(coefficients[i]) - ((step ^ flip) - flip));
            // |difference| without a branch on its sign, which is random.
            const uint32_t negative = uint32_t(difference >> 31);
            const uint32_t magnitude = (uint32_t(difference) ^ negative) - negative;
            const int32_t used = int32_t((magnitude ^ flip) - flip) >> shift;
            left -= uint32_t(used) * uint32_t(i + 1);
        }
    }
};

template <int Order>
void predictAt(const int32_t* samples, int32_t* residuals, int count, const PredictorSetup& setup,
               Width width) {
    Predictor<Order> predictor(setup);
    for (int j = Order + 1; j < count; ++j) {
        const int32_t* window = samples + j - Order - 1;
        const int32_t residual =
            width.wrap(uint32_t(samples[j]) - uint32_t(predictor.predict(window)));
        residuals[j] = residual;
        predictor.adapt(window, residual);
    }
}

template <int Order>
void predictPairAt(const int32_t* const samples[2], int32_t* const residuals[2], int count,
                   const PredictorSetup setups[2], Width width) {
    Predictor<Order> first(setups[0]);
    Predictor<Order> second(setups[1]);
    const int32_t* a = samples[0];
    const int32_t* b = samples[1];
    for (int j = Order + 1; j < count; ++j) {
        const int32_t* windowA = a + j - Order - 1;
        const int32_t* windowB = b + j - Order - 1;
        const int32_t residualA = width.wrap(uint32_t(a[j]) - uint32_t(first.predict(windowA)));
        const int32_t residualB = width.wrap(uint32_t(b[j]) - uint32_t(second.predict(windowB)));
        residuals[0][j] = residualA;
        residuals[1][j] = residualB;
        first.adapt(windowA, residualA);
        second.adapt(windowB, residualB);
    }
}

// The window stays in registers: reading back the sample just stored would
// wait for the store.
template <int Order>
void restoreAt(int32_t* data, int count, const PredictorSetup& setup, Width width) {
    Predictor<Order> predictor(setup);
    int32_t window[Order + 1];
    std::copy(data, data + Order + 1, window);
    for (int j = Order + 1; j < count; ++j) {
        const int32_t residual = data[j];
        const int32_t sample = width.wrap(uint32_t(predictor.predict(window)) + uint32_t(residual));
        data[j] = sample;
        predictor.adapt(window, residual);
        for (int i = 0; i < Order; ++i) {
            window[i] = window[i + 1];
        }
        window[Order] = sample;
    }
}

using PredictFunction = void (*)(const int32_t*, int32_t*, int, const PredictorSetup&, Width);
using PredictPairFunction = void (*)(const int32_t* const[2], int32_t* const[2], int,
                                     const PredictorSetup[2], Width);
using RestoreFunction = void (*)(int32_t*, int, const PredictorSetup&, Width);

template <int... Orders>
constexpr std::array<PredictFunction, sizeof...(Orders)>
predictTable(std::integer_sequence<int, Orders...>) {
    return {&predictAt<Orders + 1>...};
}

template <int... Orders>
constexpr std::array<PredictPairFunction, sizeof...(Orders)>
predictPairTable(std::integer_sequence<int, Orders...>) {
    return {&predictPairAt<Orders + 1>...};
}

template <int... Orders>
constexpr std::array<RestoreFunction, sizeof...(Orders)>
restoreTable(std::integer_sequence<int, Orders...>) {
    return {&restoreAt<Orders + 1>...};
}

// Every order from 1 to 30, each with its loops unrolled.
using AllOrders = std::make_integer_sequence<int, maximumOrder>;
constexpr auto predictors = predictTable(AllOrders());
constexpr auto pairPredictors = predictPairTable(AllOrders());
constexpr auto restorers = restoreTable(AllOrders());

// The samples up to where the predictor takes over, each from the one
// before; says whether the predictor has any left to do.
bool predictStart(const int32_t* samples, int32_t* residuals, int count, int order, Width width) {
    residuals[0] = samples[0];
    if (order == 0) {
        std::copy(samples + 1, samples + count, residuals + 1);
        return false;
    }
    const int end = order == firstDifferenceOrder ? count - 1 : std::min(order, count - 1);
    for (int j = 1; j <= end; ++j) {
        residuals[j] = width.wrap(uint32_t(samples[j]) - uint32_t(samples[j - 1]));
    }
    return order != firstDifferenceOrder && count > order + 1;
}

bool restoreStart(int32_t* data, int count, int order, Width width) {
    if (order == 0) {
        return false;
    }
    const int end = order == firstDifferenceOrder ? count - 1 : std::min(order, count - 1);
    for (int j = 1; j <= end; ++j) {
        data[j] = width.wrap(uint32_t(data[j - 1]) + uint32_t(data[j]));
    }
    return order != firstDifferenceOrder && count > order + 1;
}

} // namespace

void predictResiduals(const int32_t* samples, int32_t* residuals, int count,
                      const PredictorSetup& setup, int bits) {
    const Width width(bits);
    if (count > 0 && predictStart(samples, residuals, count, setup.order, width)) {
        predictors[size_t(setup.order - 1)](samples, residuals, count, setup, width);
    }
}

void predictPairResiduals(const int32_t* const samples[2], int32_t* const residuals[2], int count,
                          const PredictorSetup setups[2], int bits) {
    const int order = setups[0].order;
    if (order != setups[1].order || order < 1 || order > maximumOrder) {
        predictResiduals(samples[0], residuals[0], count, setups[0], bits);
        predictResiduals(samples[1], residuals[1], count, setups[1], bits);
        return;
    }
    const Width width(bits);
    // Equal orders start alike, so one answer serves both.
    const bool more = count > 0 && predictStart(samples[0], residuals[0], count, order, width);
    if (count > 0) {
        predictStart(samples[1], residuals[1], count, order, width);
    }
    if (more) {
        pairPredictors[size_t(order - 1)](samples, residuals, count, setups, width);
    }
}

void restoreSamples(int32_t* data, int count, const PredictorSetup& setup, int bits) {
    const Width width(bits);
    if (count > 1 && restoreStart(data, count, setup.order, width)) {
        restorers[size_t(setup.order - 1)](data, count, setup, width);
    }
}

} // namespace decant::library::alac
