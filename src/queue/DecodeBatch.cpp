#include "queue/DecodeBatch.h"

#include <QCoreApplication>

#include <algorithm>
#include <array>

namespace decant {

DecodeBatch nextDecodeBatch(const QList<QueueEntryPointer>& waiting,
                            std::optional<uint64_t> usableSpace) {
    DecodeBatch batch;
    if (!usableSpace) {
        batch.entries = waiting;
        return batch;
    }
    uint64_t taken = 0;
    for (const auto& entry : waiting) {
        const uint64_t size = entry->expectedDecodedSize();
        // Once one entry waits for a later batch, all after it do: the
        // library adds the tracks in the order they come.
        if (!batch.later.isEmpty()) {
            batch.later.append(entry);
        } else if (size > *usableSpace) {
            batch.tooLarge.append(entry);
        } else if (taken + size > *usableSpace) {
            batch.later.append(entry);
        } else {
            taken += size;
            batch.entries.append(entry);
        }
    }
    return batch;
}

uint64_t temporarySpaceMargin(uint64_t fileSystemSize) {
    return std::min(largestTemporarySpaceMargin, fileSystemSize / 20);
}

uint64_t usableTemporarySpace(const FileSystemSpace& space) {
    const uint64_t margin = temporarySpaceMargin(space.size);
    return space.available > margin ? space.available - margin : 0;
}

QString describeSpaceShortfall(uint64_t needed, const FileSystemSpace& space) {
    const uint64_t margin = temporarySpaceMargin(space.size);
    if (margin == 0 || space.available == 0) {
        return QCoreApplication::translate("decant::DecodeBatch",
                                           "needs %1 of temporary space, %2 free")
            .arg(formatByteCount(needed), formatByteCount(space.available));
    }
    if (space.available <= margin) {
        return QCoreApplication::translate(
                   "decant::DecodeBatch",
                   "needs %1 of temporary space; %2 are free, all kept for other "
                   "programs")
            .arg(formatByteCount(needed), formatByteCount(space.available));
    }
    return QCoreApplication::translate(
               "decant::DecodeBatch",
               "needs %1 of temporary space; %2 are free, of which %3 are kept for "
               "other programs")
        .arg(formatByteCount(needed), formatByteCount(space.available), formatByteCount(margin));
}

QString formatByteCount(uint64_t bytes) {
    if (bytes < 1000) {
        return QCoreApplication::translate("decant::DecodeBatch", "%1 bytes").arg(bytes);
    }
    static constexpr std::array units{"kB", "MB", "GB", "TB", "PB", "EB"};
    double value = double(bytes) / 1000;
    std::size_t unit = 0;
    while (value >= 999.5 && unit + 1 < units.size()) {
        value /= 1000;
        ++unit;
    }
    // One decimal while it says something: "1.2 GB", but "800 MB".
    return QStringLiteral("%1 %2")
        .arg(value, 0, 'f', value < 9.95 ? 1 : 0)
        .arg(QLatin1String(units[unit]));
}

} // namespace decant
