#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <vector>

namespace decant::test {

// What a fixture WAV file holds: the plain 44-byte header Decant's decoder
// writes (integer PCM, format 1, also for 24 bits and many channels), then
// a deterministic signal.
struct WavFixture {
    unsigned sampleRate = 44100;
    unsigned channels = 2;
    unsigned bitsPerSample = 16; // 8, 16, 24 or 32
    uint64_t frames = 22050;     // samples per channel
    // The header announces no data, as for a stream of unknown length.
    bool zeroDataSize = false;
    enum class Signal {
        Triangles, // spanning most of the range, a period of their own a channel
        Tones,     // one sine a channel, at toneFrequency(channel), half the full scale
        Noise,     // white, a quarter of the full scale, as hard to encode as music
        Silence,
    };
    Signal signal = Signal::Triangles;
    // Samples of this many bits, scaled to fill the depth (low bits zero);
    // 0 for the depth's own.
    unsigned significantBits = 0;
    // For tones: the peak, of full scale, and one frequency for every
    // channel instead of toneFrequency's (0).
    double toneLevel = 0.5;
    double toneHertz = 0;
};

// Low enough for an LFE channel, apart enough to tell the channels apart.
double toneFrequency(unsigned channel);

// The fixture's samples, interleaved, each a value of `bitsPerSample` bits.
std::vector<int32_t> wavFixtureSamples(const WavFixture& fixture);

QByteArray encodeWavFixture(const WavFixture& fixture);

// False when the file could not be written.
bool writeWavFixture(const QString& path, const WavFixture& fixture);

} // namespace decant::test
