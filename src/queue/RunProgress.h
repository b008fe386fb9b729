#pragma once

#include <chrono>
#include <optional>

namespace decant {

// How far the run under way has come, for a progress bar or a status line.
// A copy: it does not change once taken.
struct RunProgress {
    // Files in the run, every batch of it.
    int total = 0;
    // Decodes finished, the failed ones included (a file too large for the
    // temporary space counts as a failed decode).
    int decoded = 0;
    // Files the library has finished with in this run, taken or not.
    int converted = 0;
    // From start until the run's last hand-off has finished.
    bool running = false;
    // From the throughput so far; nothing until it can be told (no file has
    // been decoded, or converted, yet) or once the run has ended.
    std::optional<std::chrono::seconds> timeLeft;
    // Of `decoded`, the files that failed and will never reach the library.
    int failed = 0;
    // A batch is with the library: the run is converting, not decoding.
    bool converting = false;

    // Files that went as far as they will: failed, or finished with by the
    // library. Reaches `total` when the run ends, unless it was stopped.
    int finished() const { return failed + converted; }
};

} // namespace decant
