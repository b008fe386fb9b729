#pragma once

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace decant::library::alac {

// Reads a packet most significant bit first. Past the end it reads zeros, as
// FFmpeg's reader does from its zeroed padding, and keeps count, so that the
// decoder decides where running out is damage; it never touches a byte
// outside the packet.
//
// The next bits wait at the top of a 64-bit word, refilled to at least 56
// whenever fewer than 32 are left: a read costs shifts of a register, not a
// load from memory.
class BitReader {
public:
    BitReader(const uint8_t* data, size_t size)
        : start_(data)
        , next_(data)
        , end_(data + size) {
        refill();
    }

    // The next 32 bits, without moving.
    uint32_t peek32() const { return uint32_t(cache_ >> 32); }

    // `bits` (0 to 32) bits as an unsigned number.
    uint32_t read(int bits) {
        const uint32_t value = uint32_t((cache_ >> 32) >> (32 - bits));
        skip(unsigned(bits));
        return value;
    }

    // `bits` (1 to 32) bits as a two's complement number.
    int32_t readSigned(int bits) { return int32_t(read(bits) << (32 - bits)) >> (32 - bits); }

    // Moves on by `bits`, at most 32.
    void skip(unsigned bits) {
        cache_ <<= bits;
        available_ -= int(bits);
        refill();
    }

    void alignToByte() { skip(unsigned(available_ & 7)); }

    size_t position() const { return size_t(next_ - start_) * 8 + overrun_ - size_t(available_); }
    size_t sizeInBits() const { return size_t(end_ - start_) * 8; }
    // Bits left before the end; negative once the reader has gone past it.
    ptrdiff_t bitsLeft() const { return ptrdiff_t(sizeInBits()) - ptrdiff_t(position()); }
    // Whether every bit has been read: never while a whole word is left
    // unread, which a loop's test can take as the cheap first half.
    bool atEnd() const { return end_ - next_ < 8 && bitsLeft() <= 0; }

private:
    // With a whole word left in the packet, the bytes taken (at most 7) are
    // all inside it, and topping up to 56 or more valid bits is an or.
    void refill() {
        if (end_ - next_ >= 8) [[likely]] {
            uint64_t word;
            std::memcpy(&word, next_, 8);
            if constexpr (std::endian::native == std::endian::little) {
                word = __builtin_bswap64(word);
            }
            cache_ |= word >> available_;
            next_ += (63 - available_) >> 3;
            available_ |= 56;
            return;
        }
        cache_ |= tail() >> available_;
        const int bytes = (63 - available_) >> 3;
        advance(bytes);
        available_ += 8 * bytes;
    }

    // The bytes from `next_` on near the end, zeros past it.
    uint64_t tail() const {
        uint64_t word = 0;
        for (int i = 0; i < 8; ++i) {
            word <<= 8;
            if (next_ + i < end_) {
                word |= next_[i];
            }
        }
        return word;
    }

    // Past the end the pointer stays and the zeros read are counted apart.
    void advance(int bytes) {
        const ptrdiff_t inside = std::min<ptrdiff_t>(bytes, end_ - next_);
        next_ += inside;
        overrun_ += size_t(bytes - inside) * 8;
    }

    const uint8_t* start_;
    const uint8_t* next_;
    const uint8_t* end_;
    uint64_t cache_ = 0; // the next bits, at the top
    int available_ = 0;  // valid bits in the cache: 32 to 63 between reads
    size_t overrun_ = 0; // bits read as zeros past the end
};

} // namespace decant::library::alac
