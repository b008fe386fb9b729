#pragma once

#include "platform/TemporaryDirectory.h"
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

// What a run leaves free on the temporary folder's file system, for the
// library's own files and for every other program: 5% of its size, at most
// 128 MB. A fixed 128 MB would leave nothing to a small tmpfs.
inline constexpr uint64_t largestTemporarySpaceMargin = 128 * 1000 * 1000;
uint64_t temporarySpaceMargin(uint64_t fileSystemSize);

// What of the space a run may fill with decoded audio.
uint64_t usableTemporarySpace(const FileSystemSpace& space);

// Why a file that needs `needed` bytes does not fit, with the real free
// space and the part of it kept for others: "needs 5.3 MB of temporary
// space; 5.1 MB are free, of which 2.1 MB are kept for other programs".
QString describeSpaceShortfall(uint64_t needed, const FileSystemSpace& space);

// "800 MB", "1.2 GB", "17 bytes": decimal units, as file managers show them.
QString formatByteCount(uint64_t bytes);

} // namespace decant
