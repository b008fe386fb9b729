#pragma once

#include "platform/FileLock.h"
#include "queue/QueueEntry.h"

#include <QHash>
#include <QString>

#include <mutex>
#include <optional>

namespace decant {

// The sources this process is importing. Each is claimed in the private
// temporary folder (claimSource, a lock named after the path hash) from the
// start of its run until the library has finished with it, so that
// another Decant process (the window and a decant-cli run, two runs of
// decant-cli) passes it over with a reason rather than import it at the same
// time. Passing over, not waiting: a batch waits for all its decodes, so two
// processes each waiting for a file the other holds would wait for ever.
// Any thread.
class SourceClaims {
public:
    // Nothing when this process holds the source's claim, from before or
    // from now; else why the source cannot be imported now. A claim that
    // cannot be made at all (the temporary folder is unusable) does not stop
    // the import: the decode then says what is wrong.
    std::optional<QString> claim(const QueueEntry& entry);
    // Lets another process import the source.
    void release(const QueueEntry& entry);
    void releaseAll();

private:
    std::mutex lock_;
    QHash<QString, std::shared_ptr<FileLock>> held_;
};

} // namespace decant
