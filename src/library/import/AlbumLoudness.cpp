#include "library/import/AlbumLoudness.h"

#include "library/store/PropertyStore.h"
#include "library/store/TrackStore.h"

#include <QHash>

#include <vector>

namespace decant::library {

void AlbumLoudness::startBatch(Meters meters) {
    std::lock_guard lock(mutex_);
    meters_ = std::move(meters);
    changed_ = !meters_.empty();
}

void AlbumLoudness::albumChanged(qint64 trackId) {
    std::lock_guard lock(mutex_);
    changed_ = changed_ || meters_.contains(trackId);
}

QList<qint64> AlbumLoudness::settle(Database& database) {
    std::lock_guard settling(settling_);
    Meters meters;
    {
        std::lock_guard lock(mutex_);
        if (!changed_) {
            return {};
        }
        // A change from now on is settled next time.
        changed_ = false;
        meters = meters_;
    }
    QHash<QString, std::vector<qint64>> albums;
    QList<qint64> changed;
    const auto store = [&](qint64 id, const std::optional<Loudness>& loudness) {
        const auto change = database.properties().setAlbumLoudness(id, loudness);
        if (change && *change == PropertyChange::Changed) {
            changed.append(id);
        }
    };
    for (const auto& [id, meter] : meters) {
        const auto record = database.tracks().track(id).valueOr(std::nullopt);
        const QString album = record ? record->text(QStringLiteral("album")) : QString();
        if (album.isEmpty()) {
            store(id, std::nullopt);
        } else {
            // A NUL is in neither name.
            albums[album + QChar(0) + record->text(QStringLiteral("albumArtist"))].push_back(id);
        }
    }
    for (const std::vector<qint64>& tracks : std::as_const(albums)) {
        std::vector<const LoudnessMeter*> album;
        for (const qint64 id : tracks) {
            album.push_back(meters.at(id).get());
        }
        const auto loudness = LoudnessMeter::combined(album);
        for (const qint64 id : tracks) {
            store(id, loudness);
        }
    }
    return changed;
}

} // namespace decant::library
