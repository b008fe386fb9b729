#pragma once

#include "library/codec/alac/LinearPrediction.h"
#include "library/codec/alac/StereoMix.h"

namespace decant::library::alac {

// How a pair goes out, and the predictors of its two coded channels.
struct PairChoice {
    StereoMix mix;
    PredictorFamily u;
    PredictorFamily v;
};

// Picks the decorrelation whose two channels the predictors would code in
// the fewest bits: left and right as they are, or the side with left, mid
// or a quarter or three quarters of the way from right to left. The
// autocorrelation of any mix follows from those of left, right and side, so
// no mix is computed to be judged.
PairChoice choosePairMix(const Autocorrelation& left, const Autocorrelation& right,
                         const Autocorrelation& side, int count);

} // namespace decant::library::alac
