#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace decant::library::alac {

// Writes most significant bit first into a buffer the caller has made large
// enough, plus 8 bytes: the encoder sizes it once per stream, so that
// writing never checks or grows. The pending bits sit at the top of a
// 64-bit word, stored whole after every write; the pointer then moves on
// by the whole bytes only, which keeps writes free of branches.
class BitWriter {
public:
    explicit BitWriter(uint8_t* out)
        : start_(out)
        , out_(out) {}

    // The low `bits` (0 to 32) bits of `value`, whose higher bits are zero.
    void put(uint32_t value, int bits) {
        pending_ |= uint64_t(value) << (63 - count_ - bits) << 1;
        count_ += bits;
        flush();
    }

    // Pads the last byte with zeros; the writer is spent afterwards.
    size_t finish() {
        flush();
        return size_t(out_ - start_) + (count_ > 0 ? 1 : 0);
    }

    size_t bitsWritten() const { return size_t(out_ - start_) * 8 + size_t(count_); }

private:
    void flush() {
        uint64_t word = pending_;
        if constexpr (std::endian::native == std::endian::little) {
            word = __builtin_bswap64(word);
        }
        std::memcpy(out_, &word, 8);
        const int bytes = count_ >> 3; // at most 4
        out_ += bytes;
        pending_ <<= 8 * bytes;
        count_ &= 7;
    }

    uint8_t* start_;
    uint8_t* out_;
    uint64_t pending_ = 0; // at the top of the word
    int count_ = 0;        // at most 7 between writes
};

} // namespace decant::library::alac
