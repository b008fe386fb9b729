#include "library/codec/alac/StereoChoice.h"

namespace decant::library::alac {
namespace {

double estimatedBits(const PredictorFamily& family, int count) {
    return estimatedBits(family, chooseOrder(family), count);
}

} // namespace

PairChoice choosePairMix(const Autocorrelation& left, const Autocorrelation& right,
                         const Autocorrelation& side, int count) {
    // right + w side, for the mixes' weights w: with left = right + side,
    // the cross term is what the left's autocorrelation has beyond the
    // other two.
    struct Option {
        StereoMix mix;
        double weight;
    };
    static constexpr Option options[] = {
        {{0, 1}, 1.0}, {{1, 1}, 0.5}, {{2, 1}, 0.25}, {{2, 3}, 0.75}};
    PairChoice best;
    best.u = levinsonDurbin(left);
    best.v = levinsonDurbin(right);
    double bestBits = estimatedBits(best.u, count) + estimatedBits(best.v, count);
    const PredictorFamily sideFamily = levinsonDurbin(side);
    const double sideBits = estimatedBits(sideFamily, count);
    for (const Option& option : options) {
        Autocorrelation mixed;
        const double w = option.weight;
        for (int lag = 0; lag <= highOrder; ++lag) {
            const double cross = left.lag[lag] - right.lag[lag] - side.lag[lag];
            mixed.lag[lag] = right.lag[lag] + w * cross + w * w * side.lag[lag];
        }
        const PredictorFamily family = levinsonDurbin(mixed);
        const double bits = estimatedBits(family, count) + sideBits;
        if (bits < bestBits) {
            bestBits = bits;
            best.mix = option.mix;
            best.u = family;
            best.v = sideFamily;
        }
    }
    return best;
}

} // namespace decant::library::alac
