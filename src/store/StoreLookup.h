#pragma once

#include "queue/Comments.h"
#include "store/StoreAlbumURL.h"

#include <QByteArray>
#include <QList>
#include <QUrl>

#include <optional>

namespace decant {

// The store's public lookup service, which reads an album by its id when
// the album's page carries no data of its own (today's pages do not). It
// allows about twenty calls a minute, so a fetch makes one call at most.

// https://itunes.apple.com/lookup?id=<album>&entity=song&country=<storefront>&limit=200
QUrl storeLookupURL(const StoreAlbumIdentity& album);

// The songs of a lookup answer, {"resultCount": n, "results": [...]}: each
// record whose "wrapperType" is "track" and "kind" is "song" gives TITLE,
// ARTIST, ALBUM, TRACKNUMBER, TRACKTOTAL, DISCNUMBER, DISCTOTAL, DATE and
// GENRE, with their JSON types, and ALBUMARTIST from the first "collection"
// record (the album). The service promises no order: the songs come in
// disc and track order (a song without a disc number counts as disc 1, one
// without a track number comes last on its disc, equals keep the answer's
// order). Empty when the answer has no songs; nothing when it is not one
// strict JSON text.
std::optional<QList<CommentsDictionary>> songsFromLookupAnswer(const QByteArray& answer);

} // namespace decant
