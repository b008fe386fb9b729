#pragma once

#include "library/media/AudioFormat.h"
#include "library/media/FFmpegHandles.h"
#include "library/model/Loudness.h"

#include <memory>
#include <optional>
#include <span>

namespace decant::library {

// Measures the loudness (EBU R 128, integrated) and the sample peak of audio
// as it passes, with libebur128. Used by one thread at a time.
class LoudnessMeter {
public:
    // Null when libebur128 cannot measure audio of this form (more than 64
    // channels, say) or runs out of memory.
    static std::unique_ptr<LoudnessMeter> create(const AudioFormat& format);

    ~LoudnessMeter();
    LoudnessMeter(const LoudnessMeter&) = delete;
    LoudnessMeter& operator=(const LoudnessMeter&) = delete;

    // Frames of the form the meter was made for, in any sample format.
    void add(const AVFrame& frame);

    // Once all audio is in: its loudness, or nothing when it is shorter than
    // one gating block or could not be measured. Afterwards the meter keeps
    // only what `combined` needs, a few kilobytes.
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
