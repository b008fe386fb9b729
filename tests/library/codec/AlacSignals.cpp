#include "AlacSignals.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <random>

namespace decant::test {
namespace {

// A decaying note with two overtones, from a rotating phasor: a sine a
// sample would dominate the time of a minute of eight channels.
struct Note {
    double re = 1, im = 0; // the phasor
    double stepRe = 1, stepIm = 0;
    double level = 0;
    double decay = 1;

    Note(double hertz, double amplitude, double seconds, int rate)
        : stepRe(std::cos(2 * std::numbers::pi * hertz / rate))
        , stepIm(std::sin(2 * std::numbers::pi * hertz / rate))
        , level(amplitude)
        , decay(std::exp(-1.0 / (seconds * rate))) {}

    double next() {
        // sin(x) + sin(2x) / 2 + sin(3x) / 4 from the phasor's powers.
        const double im2 = 2 * re * im;
        const double re2 = re * re - im * im;
        const double im3 = im2 * re + re2 * im;
        const double value = level * (im + 0.5 * im2 + 0.25 * im3);
        const double nextRe = re * stepRe - im * stepIm;
        im = re * stepIm + im * stepRe;
        re = nextRe;
        level *= decay;
        return value;
    }
};

// The part every channel shares: band-limited noise whose colour changes,
// a new note every quarter second over the last six, and a drum hit every
// half second.
std::vector<double> sharedMusic(int rate, int64_t samples, std::mt19937& random) {
    std::normal_distribution<double> gaussian;
    std::uniform_real_distribution<double> uniform;
    std::vector<double> out(static_cast<size_t>(samples));
    std::vector<Note> notes;
    double cutoff = 0.05, low = 0, lower = 0, drum = 0;
    for (int64_t i = 0; i < samples; ++i) {
        if (i % 4096 == 0) {
            cutoff = 0.02 + 0.2 * uniform(random);
        }
        low += cutoff * (gaussian(random) - low);
        lower += cutoff * (low - lower);
        if (i % (rate / 4) == 0) {
            notes.emplace_back(100 + 900 * uniform(random), 0.2 + 0.2 * uniform(random),
                               0.2 + uniform(random), rate);
            if (notes.size() > 6) {
                notes.erase(notes.begin());
            }
        }
        double tones = 0;
        for (Note& note : notes) {
            tones += note.next();
        }
        drum = i % (rate / 2) == 0 ? 1.0 : drum * 0.9995;
        out[size_t(i)] = tones + 0.5 * lower + 0.3 * drum * gaussian(random);
    }
    return out;
}

} // namespace

Planes alacSignal(AlacSignal signal, int channels, int bits, int sampleRate, int64_t samples,
                  uint32_t seed) {
    Planes planes(static_cast<size_t>(channels),
                  std::vector<int32_t>(static_cast<size_t>(samples)));
    std::mt19937 random(seed);
    const double top = std::ldexp(1.0, bits - 1);
    if (signal == AlacSignal::Noise) {
        for (auto& plane : planes) {
            for (int32_t& sample : plane) {
                sample = int32_t(random()) >> (32 - bits);
            }
        }
    } else if (signal == AlacSignal::MusicLike) {
        const std::vector<double> shared = sharedMusic(sampleRate, samples, random);
        std::normal_distribution<double> gaussian;
        for (int c = 0; c < channels; ++c) {
            // Each channel its own mix of the shared part and some noise of its own.
            const double pan = 0.6 + 0.4 * std::sin(1.3 * c);
            double own = 0;
            for (int64_t i = 0; i < samples; ++i) {
                own += 0.1 * (gaussian(random) - own);
                const double value = 0.35 * (pan * shared[size_t(i)] + 0.1 * own);
                planes[size_t(c)][size_t(i)] =
                    int32_t(std::clamp(std::lround(value * top), -int64_t(top), int64_t(top) - 1));
            }
        }
    }
    return planes;
}

std::vector<const int32_t*> planePointers(const Planes& planes, int64_t offset) {
    std::vector<const int32_t*> pointers;
    for (const auto& plane : planes) {
        pointers.push_back(plane.data() + offset);
    }
    return pointers;
}

} // namespace decant::test
