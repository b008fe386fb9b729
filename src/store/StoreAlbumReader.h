#pragma once

#include "queue/Comments.h"
#include "store/PageLoader.h"
#include "store/StoreFailure.h"

#include <QList>
#include <QUrl>

namespace decant {

// What reading an album gave: its songs, or why there are none.
struct StoreAlbumReading {
    // Songs without a reason: what a scripted reader gives.
    StoreAlbumReading(QList<CommentsDictionary> songs = {}) // NOLINT: implicit on purpose
        : songs(std::move(songs)) {}
    StoreAlbumReading(StoreFailure failure)
        : failure(std::move(failure)) {}

    QList<CommentsDictionary> songs;
    StoreFailure failure; // set only when there are no songs
};

// Reads an album of the store, in the album's order. First the page at the
// address, exactly as the page reader reads it (iTunesMetadataFetcher); a
// page that gives no songs (today's pages carry no server data) is followed
// by one call to the store's lookup service for the album the address
// names. No lookup is made after a load that ran out of time or was
// stopped (the user has waited long enough), nor when the lookup's host has
// just failed to answer. Blocks the calling thread.
StoreAlbumReading readStoreAlbum(const QUrl& url, const PageLoadLimits& limits = {},
                                 const PageLoadCancellation* cancellation = nullptr);

} // namespace decant
