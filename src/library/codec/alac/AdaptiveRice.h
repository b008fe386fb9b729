#pragma once

#include "library/codec/alac/BitReader.h"
#include "library/codec/alac/BitWriter.h"

#include <cstdint>

namespace decant::library::alac {

// The adaptive Golomb-Rice coder of one channel's residuals. It keeps a
// running mean of the coded values (the history) from which it picks each
// value's Rice parameter, and codes a stretch of zeros as one run length
// when the mean falls low. Values too large for a short code go out raw
// after an escape prefix, in `escapeBits` bits (the channel's sample width).
struct RiceTuning {
    uint32_t historyMultiplier = 40; // the stream's pb, scaled by the channel's factor / 4
    uint32_t initialHistory = 10;
    uint32_t limit = 14; // the largest parameter
    int escapeBits = 16;
};

// Writes `count` residuals, each of which fits in `tuning.escapeBits` bits.
void writeResiduals(BitWriter& out, const int32_t* residuals, int count, const RiceTuning& tuning);

enum class RiceError { None, PastPacketEnd };

// Reads `count` residuals; fails at a value that would start past the end
// of the packet. A run of zeros longer than what is left of the frame ends
// with the frame, as in FFmpeg.
RiceError readResiduals(BitReader& in, int32_t* residuals, int count, const RiceTuning& tuning);

} // namespace decant::library::alac
