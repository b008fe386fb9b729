#pragma once

#include <cstdint>
#include <span>

namespace decant::library::alac {

// What a packet holds: elements of one channel (SCE) or a pair (CPE), one
// after another, and an end marker. The format places the channels of each
// count in its own order (3: C L R, 5.1: C L R Ls Rs LFE, ...); FFmpeg hands
// samples over in its native order of the matching layout (5.1: L R C LFE
// Ls Rs), so each channel has a place in both. Encoders write the LFE as a
// single channel element; decoders (FFmpeg's too) take an LFE element as
// one as well.
enum class ElementKind : uint8_t { Single = 0, Pair = 1, LowFrequency = 3, End = 7 };

constexpr int maximumChannels = 8;

// The elements of a frame of `channels` (1 to 8) channels, in stream order.
std::span<const ElementKind> elementsFor(int channels);

// For each channel in stream order, its place in FFmpeg's order.
std::span<const uint8_t> ffmpegPlaces(int channels);

} // namespace decant::library::alac
