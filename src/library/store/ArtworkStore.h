#pragma once

// Cover art, stored once for every track that shares it.
#include "library/model/Artwork.h"
#include "library/model/Result.h"
#include "library/store/Connection.h"
#include "library/store/PropertyStore.h"

#include <QString>

#include <optional>

namespace decant::library {

class Database;

class ArtworkStore {
public:
    explicit ArtworkStore(Database& database);

    // Gives the track the artwork and marks its tags dirty, unless it had
    // that artwork already; clears the note of an image skipped before.
    // Unchanged when the track is gone.
    Result<PropertyChange> setArtwork(qint64 id, const Artwork& artwork);
    // Records why an image given to the track was skipped.
    Status noteSkippedArtwork(qint64 id, const QString& reason);
    // The image stored under the digest; nothing when there is none, or it
    // is no longer an image the library takes.
    Result<std::optional<Artwork>> artwork(const QString& digest) const;
    Result<bool> hasArtwork(const QString& digest) const;

private:
    Database& database_;
};

// Removes the image stored under the digest once no track uses it. Run
// inside the write transaction that let it go.
Status forgetUnusedArtwork(sqlite::Connection& connection, const QString& digest);

} // namespace decant::library
