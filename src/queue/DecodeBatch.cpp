#include "queue/DecodeBatch.h"

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

QString describeSpaceShortfall(uint64_t needed, uint64_t free) {
    return QStringLiteral("needs %1 of temporary space, %2 free")
        .arg(formatByteCount(needed), formatByteCount(free));
}

QString formatByteCount(uint64_t bytes) {
    if (bytes < 1000) {
        return QStringLiteral("%1 bytes").arg(bytes);
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
