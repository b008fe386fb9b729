#pragma once

#include <QtGlobal>

#include <chrono>
#include <functional>
#include <memory>
#include <vector>

namespace decant::library {

// Saves tracks' tags on a thread of its own, once each track has been quiet
// for a while: a burst of property sets costs one rewrite of the file.
// Everything still pending is saved before the writer is destroyed.
//
// This is where the threads that set properties meet the one that writes
// files: `schedule` and `flush` run on any thread, `save` only on the
// writer's own.
class TagWriter {
public:
    // Writes the tracks' tags; how many files were saved. Called on the
    // writer's thread only, with every track that is due at once, so that
    // what a save costs per batch (a sync, a commit) is paid once.
    using Save = std::function<quint64(const std::vector<qint64>& trackIds)>;

    TagWriter(Save save, std::chrono::milliseconds quietPeriod);
    ~TagWriter();
    TagWriter(const TagWriter&) = delete;
    TagWriter& operator=(const TagWriter&) = delete;

    // The track's tags are to be saved once it has been quiet for the quiet
    // period (at once when `now`); each call restarts its wait.
    void schedule(qint64 trackId, bool now = false);

    // Saves everything pending now and waits for it: true when nothing was
    // left pending within the timeout.
    bool flush(std::chrono::milliseconds timeout);

    // Files saved so far.
    quint64 saveCount() const;

private:
    struct Private;
    std::unique_ptr<Private> d;
};

} // namespace decant::library
