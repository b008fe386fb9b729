#pragma once

#include "library/model/Loudness.h"

#include <QString>

#include <optional>

namespace decant::library {

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

// The loudness that REPLAYGAIN_*_GAIN and _PEAK texts were written from;
// nothing when either is not such a text.
std::optional<Loudness> loudnessFromReplayGain(const QString& gain, const QString& peak);

// Sound Check's iTunNORM text: ten fields of eight hexadecimal digits, each
// after a space; the gain as 1000 and 2500 times its power ratio, twice
// (left and right), and the peak as a 16-bit sample value, twice.
QString iTunNORM(const Loudness& loudness);

} // namespace decant::library
