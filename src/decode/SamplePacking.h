#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace decant {

// Interleaves one frame of decoded samples (one array per channel, as libFLAC
// delivers them) into WAV's layout: channel 0 first, each sample little-endian
// in containerBytes(bitsPerSample) bytes. Depths that are not whole bytes are
// shifted left to fill their container, and 8-bit containers hold unsigned
// samples (sample + 128), which is the only 8-bit form WAV knows.
// `output` must hold samplesPerChannel × channels.size() × container bytes.
void packSamples(std::span<const int32_t* const> channels, std::size_t samplesPerChannel,
                 unsigned bitsPerSample, unsigned char* output);

} // namespace decant
