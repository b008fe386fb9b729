#pragma once

#include "library/codec/alac/AdaptivePredictor.h"

#include <cstdint>
#include <vector>

namespace decant::library::alac {

// The orders the encoder chooses from. Higher orders predict better on
// paper, but with every coefficient adapting by one step a sample they
// carry more adaptation noise, and they cost time in proportion in both
// encoder and decoder: on music-like audio order 2 codes as small as 4 or
// 6, 4 and 8 win on tonal passages, and 12 and up lose to all of them.
constexpr int lowestOrder = 2;
constexpr int middleOrder = 4;
constexpr int highOrder = 8;
// The coefficients' precision: 2^-9, the format's customary value, beat 7,
// 8, 10, 11 and 12 on every kind of audio tried.
constexpr int coefficientPrecision = 9;

// The autocorrelation of a signal under a tapered window, lags 0 to 8:
// enough to design predictors up to the highest order.
struct Autocorrelation {
    double lag[highOrder + 1] = {};
};

// Windows and autocorrelates the frames of one stream, keeping its buffers
// from one frame to the next.
class Analyser {
public:
    explicit Analyser(int frameLength);
    Autocorrelation analyse(const int32_t* samples, int count);

private:
    std::vector<float> window_; // a Tukey window, flat in the middle half
    std::vector<float> windowed_;
};

// The predictors of every order up to `highOrder` that Levinson-Durbin
// finds: coefficients for the newest sample first, and the mean square
// residual each would leave.
struct PredictorFamily {
    double coefficients[highOrder + 1][highOrder] = {};
    double error[highOrder + 1] = {};
    int orders = 0; // the highest found: the recursion stops where a signal is exhausted
};

PredictorFamily levinsonDurbin(const Autocorrelation& autocorrelation);

// Roughly how many bits a frame of `count` samples costs with a family's
// predictor of `order`: a logarithm of its residual, enough to compare
// choices made on the same frame.
double estimatedBits(const PredictorFamily& family, int order, int count);

// The order to use: the high one where its residual is clearly smaller.
int chooseOrder(const PredictorFamily& family);

// The coefficients of one order in the format's 16 bits, in units of
// 2^-shift; the shift falls below the usual precision when a coefficient
// would not fit.
PredictorSetup quantise(const PredictorFamily& family, int order);

} // namespace decant::library::alac
