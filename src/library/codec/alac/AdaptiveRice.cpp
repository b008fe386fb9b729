#include "library/codec/alac/AdaptiveRice.h"

#include <algorithm>
#include <array>
#include <bit>

// ThreadSanitizer's builds take the baseline build only: the resolver
// that picks a build runs before the sanitizer's runtime has started.
#ifdef __SANITIZE_THREAD__
#define DECANT_DEFAULT_BUILD
#else
#define DECANT_DEFAULT_BUILD [[gnu::target("default")]]
#endif

namespace decant::library::alac {
namespace {

// A value whose quotient reaches this many goes out raw after as many ones.
constexpr uint32_t escapePrefix = 9;
constexpr uint32_t escapeCode = (1u << escapePrefix) - 1;
// Run lengths go out raw in 16 bits; the longest run says nothing about the
// value after it.
constexpr int runEscapeBits = 16;
constexpr uint32_t longestRun = 0xffff;
// A value above this sets the history to it instead of moving it.
constexpr uint32_t historyClamp = 0xffff;
// Below this history the coder expects zeros and codes a run length next.
constexpr uint32_t runThreshold = 128;
constexpr int historyScale = 9; // the history is the mean times 2^9

// log2 of the mean plus a little; 31 ^ clz is log2 in one instruction.
int valueParameter(uint32_t history, uint32_t limit) {
    const uint32_t k = uint32_t(31 ^ std::countl_zero((history >> historyScale) + 3));
    return int(std::min(k, limit));
}

// 7 - log2(history), and more as the history nears the threshold. A history
// of 0 (only with a history multiplier of 0) counts as 1, as in FFmpeg.
int runParameter(uint32_t history, uint32_t limit) {
    const uint32_t k = uint32_t(std::countl_zero(history | 1) - 24) + ((history + 16) >> 6);
    return int(std::min(k, limit));
}

uint32_t nextHistory(uint32_t history, uint32_t value, uint32_t multiplier) {
    if (value > historyClamp) {
        return historyClamp;
    }
    return history + value * multiplier - ((history * multiplier) >> historyScale);
}

// Two's complement to the coder's interleaving of signs: 0, -1, 1, -2, 2 ...
uint32_t interleaveSign(int32_t residual) {
    return (uint32_t(residual) << 1) ^ uint32_t(residual >> 31);
}

int32_t restoreSign(uint32_t value) {
    return int32_t((value >> 1) ^ (0u - (value & 1)));
}

int zerosFrom(const int32_t* residuals, int from, int count) {
    const int end = int(std::min<int64_t>(count, int64_t(from) + longestRun));
    int at = from;
    while (at < end && residuals[at] == 0) {
        ++at;
    }
    return at - from;
}

// Quotients by the divisors 1, 3 and 7 of the values that are not escaped,
// which the shortcut below gets wrong.
constexpr auto smallQuotients = [] {
    std::array<std::array<uint8_t, 64>, 4> quotients{};
    for (uint32_t k = 1; k < 4; ++k) {
        for (uint32_t value = 0; value < 64; ++value) {
            quotients[k][value] = uint8_t(value / ((1u << k) - 1));
        }
    }
    return quotients;
}();

// Writes a value with parameter k (1 to 22), the divisor 2^k - 1: the
// quotient in unary, ended by a zero, then the remainder r as r + 1 in k
// bits, or as k - 1 zeros when r is 0; a quotient of 9 or more escapes to
// the value itself in `escapeBits` bits.
void writeValue(BitWriter& out, uint32_t value, int k, int escapeBits) {
    const uint32_t divisor = (1u << k) - 1;
    if (value >= escapePrefix * divisor) {
        out.put(escapeCode, escapePrefix);
        out.put(value, escapeBits);
        return;
    }
    // No division: for k >= 4 and quotients below 9, value >> k is the
    // quotient or one short, and adding it back before the shift corrects it.
    const uint32_t quotient =
        k >= 4 ? (value + (value >> k) + 1) >> k : smallQuotients[size_t(k)][value];
    const uint32_t remainder = value - quotient * divisor;
    const uint32_t zero = remainder == 0; // drops the last of k zero bits
    const uint32_t code = ((((1u << quotient) - 1) << (k + 1)) | (remainder + 1)) >> zero;
    out.put(code, int(quotient + 1 + uint32_t(k) - zero));
}

// Reads one value coded with parameter k (1 to 22), or escaped in
// `escapeBits` bits.
uint32_t readValue(BitReader& in, int k, int escapeBits) {
    const uint32_t word = in.peek32();
    const int ones = std::countl_one(word);
    if (ones >= int(escapePrefix)) {
        in.skip(escapePrefix);
        return in.read(escapeBits);
    }
    const uint32_t divisor = (1u << k) - 1;
    const uint32_t tail = (word << (ones + 1)) >> (32 - k);
    // A tail of 0 or 1 is a remainder of 0 in k - 1 bits.
    const uint32_t zero = tail < 2;
    in.skip(unsigned(ones + 1 + k) - zero);
    return uint32_t(ones) * divisor + (zero ? 0 : tail - 1);
}

RiceError readAll(BitReader& in, int32_t* residuals, int count, const RiceTuning& tuning) {
    uint32_t history = tuning.initialHistory;
    uint32_t afterRun = 0;
    for (int i = 0; i < count;) {
        if (in.atEnd()) {
            return RiceError::PastPacketEnd;
        }
        const uint32_t value =
            readValue(in, valueParameter(history, tuning.limit), tuning.escapeBits) + afterRun;
        residuals[i++] = restoreSign(value);
        history = nextHistory(history, value, tuning.historyMultiplier);
        afterRun = 0;
        if (history < runThreshold && i < count) {
            // A run past the end of the frame ends with it, as in FFmpeg.
            const uint32_t run =
                std::min(readValue(in, runParameter(history, tuning.limit), runEscapeBits),
                         uint32_t(count - i));
            std::fill_n(residuals + i, run, 0);
            i += int(run);
            afterRun = run < longestRun ? 1 : 0;
            history = 0;
        }
    }
    return RiceError::None;
}

// The writer and reader are copied into locals for the loops: through a
// reference, every byte stored might change them, and the compiler would
// keep them in memory.
[[gnu::always_inline]] inline void writeAll(BitWriter& out, const int32_t* residuals, int count,
                                            const RiceTuning& tuning) {
    BitWriter local = out;
    uint32_t history = tuning.initialHistory;
    uint32_t afterRun = 0; // 1 once a run ended before a value that cannot be zero
    for (int i = 0; i < count;) {
        const uint32_t value = interleaveSign(residuals[i++]);
        writeValue(local, value - afterRun, valueParameter(history, tuning.limit),
                   tuning.escapeBits);
        history = nextHistory(history, value, tuning.historyMultiplier);
        afterRun = 0;
        if (history < runThreshold && i < count) {
            const int run = zerosFrom(residuals, i, count);
            writeValue(local, uint32_t(run), runParameter(history, tuning.limit), runEscapeBits);
            i += run;
            afterRun = uint32_t(run) < longestRun ? 1 : 0;
            history = 0;
        }
    }
    out = local;
}

} // namespace

// Built for each processor kind (multiversioned functions must have linkage
// for Clang to keep every version).
//
// The writer shifts by counts held in registers at every value; BMI2's
// shifts take any register and leave the flags alone, which spares the
// moves into CL: the encoder takes 2-3% less time.
DECANT_DEFAULT_BUILD void writeResidualsWith(BitWriter& out, const int32_t* residuals, int count,
                                             const RiceTuning& tuning) {
    writeAll(out, residuals, count, tuning);
}

#ifndef __SANITIZE_THREAD__
[[gnu::target("bmi2")]] void writeResidualsWith(BitWriter& out, const int32_t* residuals, int count,
                                                const RiceTuning& tuning) {
    writeAll(out, residuals, count, tuning);
}
#endif

void writeResiduals(BitWriter& out, const int32_t* residuals, int count, const RiceTuning& tuning) {
    writeResidualsWith(out, residuals, count, tuning);
}

RiceError readResiduals(BitReader& reader, int32_t* residuals, int count,
                        const RiceTuning& tuning) {
    BitReader in = reader;
    const RiceError error = readAll(in, residuals, count, tuning);
    reader = in;
    return error;
}

} // namespace decant::library::alac
