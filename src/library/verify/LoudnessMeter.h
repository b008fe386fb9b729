#pragma once

#include "library/media/AudioFormat.h"
#include "library/media/FFmpegHandles.h"
#include "library/model/Loudness.h"

#include <memory>
#include <optional>
#include <span>

namespace decant::library {

// Measures the loudness (EBU R 128, integrated) and the sample peak of audio
// as it passes. Used by one thread at a time.
class LoudnessMeter {
public:
    // Null for audio of more than 64 channels, or of a rate below 16 Hz or
    // above 2.8224 MHz.
    static std::unique_ptr<LoudnessMeter> create(const AudioFormat& format);

    ~LoudnessMeter();
    LoudnessMeter(const LoudnessMeter&) = delete;
    LoudnessMeter& operator=(const LoudnessMeter&) = delete;

    // Frames of the form the meter was made for, in any sample format.
    void add(const AVFrame& frame);

    // Once all audio is in: its loudness, or nothing when it is shorter than
    // one gating block or could not be measured. Afterwards the meter keeps
    // only what `combined` needs: 4 bytes per 100 ms of audio.
    std::optional<Loudness> finish();

    // The loudness of finished meters' audio as one programme, an album's;
    // nothing when none of them could be measured.
    static std::optional<Loudness> combined(std::span<const LoudnessMeter* const> meters);

private:
    struct Private;
    explicit LoudnessMeter(std::unique_ptr<Private> d);

    std::unique_ptr<Private> d;
};

} // namespace decant::library
