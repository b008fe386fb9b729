#pragma once

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

} // namespace decant::library
