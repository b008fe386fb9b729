#pragma once

#include <QString>

namespace decant::library {

// A track's or an album's loudness as EBU R 128 measures it, and its
// highest sample.
struct Loudness {
    double integrated = 0; // LUFS
    double peak = 0;       // linear: 1 is full scale

    friend bool operator==(const Loudness&, const Loudness&) = default;
};

// BS.1770 leaves nothing of audio quieter than its absolute gate, silence
// above all: such audio counts as the gate itself, which gives it the
// highest gain the measure can give rather than an infinite one.
constexpr double quietestLoudness = -70;

// Audio shorter than one gating block has no loudness.
constexpr double shortestMeasurableSeconds = 0.4;

// The ReplayGain 2.0 gain in dB: what brings the audio to -18 LUFS. Sound
// Check's iTunNORM is written from the same gain.
double replayGain(const Loudness& loudness);

// The Opus gain of RFC 7845 (R128_TRACK_GAIN, R128_ALBUM_GAIN): what brings
// the audio to -23 LUFS, in 1/256 dB, clamped to a 16-bit integer.
int r128Gain(const Loudness& loudness);

// "-7.23 dB", "+1.50 dB": as REPLAYGAIN_*_GAIN holds it.
QString replayGainText(const Loudness& loudness);
// "0.988553": as REPLAYGAIN_*_PEAK holds it.
QString replayPeakText(const Loudness& loudness);

// Sound Check's iTunNORM text: ten fields of eight hexadecimal digits, each
// after a space; the gain as 1000 and 2500 times its power ratio, twice
// (left and right), and the peak as a 16-bit sample value, twice.
QString iTunNORM(const Loudness& loudness);

} // namespace decant::library
