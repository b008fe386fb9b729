#pragma once

#include "library/store/Database.h"
#include "library/verify/LoudnessMeter.h"

#include <QList>

#include <map>
#include <memory>
#include <mutex>

namespace decant::library {

// The album loudness of the tracks one batch encoded. Which of them share an
// album (the same album and album artist) is known only once their
// properties are set, after the batch, so their meters are kept until the
// next batch, and each album's figure is worked out again whenever the tags
// are about to be written after an album changed.
//
// Shared by the hand-off thread, which starts batches and sets properties,
// and the tag writer's thread, which settles: each call takes the object's
// own lock.
class AlbumLoudness {
public:
    using Meters = std::map<qint64, std::shared_ptr<const LoudnessMeter>>;

    // The tracks a batch encoded, by id; the previous batch's are dropped.
    void startBatch(Meters meters);
    // The track's album or album artist changed.
    void albumChanged(qint64 trackId);

    // Stores the album loudness of every track of the batch, when an album
    // changed since the last settling: the tracks whose figure changed, and
    // whose tags now lag behind.
    // An album loudness that cannot be stored is left as it was: its tracks
    // keep the figure of their last batch.
    QList<qint64> settle(Database& database);

private:
    std::mutex mutex_;
    std::mutex settling_; // one settling at a time; taken before mutex_
    Meters meters_;
    bool changed_ = false;
};

} // namespace decant::library
