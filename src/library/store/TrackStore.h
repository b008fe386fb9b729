#pragma once

// The tracks themselves: adding them with the move of their file, replacing
// their encoding, removing them, and reading them back.
#include "library/model/Artwork.h"
#include "library/model/Result.h"
#include "library/model/TrackRecord.h"
#include "library/store/FreeName.h"
#include "library/store/NewTrack.h"

#include <QList>
#include <QString>

#include <optional>

namespace decant::library {

class Database;

// What recording an encoded file gave.
struct Recording {
    qint64 trackId = 0;
    QString file;
    QString replaced; // the file the new one replaces; empty for a new track
    // Another process recorded the same source and audio first: the track
    // is that one, and the encoded file is not needed.
    bool alreadyHeld = false;
};

class TrackStore {
public:
    explicit TrackStore(Database& database);

    // The track converted from this source with this audio, else one from
    // the same source whose audio was never recorded; nothing when neither.
    Result<std::optional<TrackRecord>> trackFromSource(const QString& source,
                                                       const QString& digest) const;

    // Records a new track under the first free name like `track.file`,
    // together with the move of `pending` into that name, in one synced
    // transaction: from then on a crash loses nothing the next open cannot
    // finish.
    Result<Recording> recordNewTrack(const NewTrack& track, const QString& pending,
                                     const NameIsFree& isFree);
    // Records a new encoding of an existing track in the same way: its new
    // file replaces the old one, keeping the name when the extension is the
    // same. The track's properties stay, and its tags are marked dirty.
    Result<Recording> recordReplacement(qint64 id, const NewTrack& track, const QString& pending,
                                        const NameIsFree& isFree);
    // Records a track as a media file's own tags describe it (see
    // readMediaFile), with its artwork, in one synced transaction: under
    // the record's id when it has one, replacing the row of that id, else
    // under a new one. The id; the reason when another track holds the
    // same source and audio.
    Result<qint64> restoreTrack(const TrackRecord& record, const std::optional<Artwork>& artwork);
    // Removes the track, any move of its file, and its artwork when no
    // other track shares it; one synced transaction.
    Status removeTrack(qint64 id);
    // Clears the settings the track's file was encoded with: nothing reuses
    // the file as it is any more.
    Status forgetEncoding(qint64 id);

    Result<std::optional<TrackRecord>> track(qint64 id) const;
    Result<QList<TrackRecord>> tracks() const;
    Result<qint64> trackCount() const;

private:
    Database& database_;
};

} // namespace decant::library
