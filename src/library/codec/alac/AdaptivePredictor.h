#pragma once

#include <cstdint>

namespace decant::library::alac {

// The format's predictor: a linear prediction of each sample from the
// `order` before it, taken relative to the sample before those, whose
// coefficients (in units of 2^-shift) move by one after every sample in the
// direction that would have shrunk its residual, oldest first, for as long
// as the residual is not used up. Order 0 sends the samples themselves, and
// order 31 first differences.
constexpr int firstDifferenceOrder = 31;
constexpr int maximumOrder = 30;

struct PredictorSetup {
    int order = 0;                 // 0 to 31
    int shift = 0;                 // 0 to 15
    int16_t coefficients[32] = {}; // newest sample's first
};

// The residuals of `count` samples of width `bits`, each of which fits in
// `bits` bits. `samples` and `residuals` do not overlap.
void predictResiduals(const int32_t* samples, int32_t* residuals, int count,
                      const PredictorSetup& setup, int bits);

// The same for the two channels of a pair, each with its own setup: where
// their orders agree, the two predictors' serial chains run interleaved, so
// that each fills the other's wait on the multiplier.
void predictPairResiduals(const int32_t* const samples[2], int32_t* const residuals[2], int count,
                          const PredictorSetup setups[2], int bits);

// Turns `count` residuals into samples of width `bits`, in place.
void restoreSamples(int32_t* data, int count, const PredictorSetup& setup, int bits);

} // namespace decant::library::alac
