#pragma once

#include "queue/QueueEntry.h"

#include <QList>
#include <QString>

#include <cstdint>
#include <optional>

namespace decant {

// Every WAV file of a batch exists at once until the library has taken the
// batch, so a run whose WAV files do not fit the temporary space is decoded
// and handed over in successive batches: each as many entries, in queue
// order, as the space holds together.
struct DecodeBatch {
    QList<QueueEntryPointer> entries;  // decoded and handed over together
    QList<QueueEntryPointer> tooLarge; // no room even alone
    QList<QueueEntryPointer> later;    // left for the batches after this one
};

// The next batch of `waiting` (in queue order) for `usableSpace` bytes;
// everything at once when the space is not known.
DecodeBatch nextDecodeBatch(const QList<QueueEntryPointer>& waiting,
                            std::optional<uint64_t> usableSpace);

// "needs 1.2 GB of temporary space, 800 MB free"
QString describeSpaceShortfall(uint64_t needed, uint64_t free);

// "800 MB", "1.2 GB", "17 bytes": decimal units, as file managers show them.
QString formatByteCount(uint64_t bytes);

} // namespace decant
