#pragma once

#include "queue/Comments.h"
#include "store/PageLoader.h"

#include <QByteArray>
#include <QList>
#include <QNetworkRequest>
#include <QUrl>

#include <optional>

namespace decant {

// Reads an album page of the iTunes Store into one comments dictionary per
// song, in the page's order. Holds no state; every operation may run on any
// thread, and none reports why it gave nothing.
class iTunesMetadataFetcher {
public:
    // The store serves its page data only to the iTunes application.
    static constexpr char userAgent[] =
        "iTunes/11.0.2 (Macintosh; OS X 10.8.3) AppleWebKit/536.28.10";

    // A GET of the URL, unchanged, with the iTunes application's user agent
    // and nothing else set.
    static QNetworkRequest albumPageRequest(const QUrl& url);

    // Loads the page (blocking) and reads its songs. Checks nothing about the
    // URL. Empty when no whole response arrived or the page has no songs.
    static QList<CommentsDictionary> fetchMetadataFromAlbumURL(const QUrl& url);
    // The same within the limits; a cancelled load gives the empty list.
    static QList<CommentsDictionary>
    fetchMetadataFromAlbumURL(const QUrl& url, const PageLoadLimits& limits,
                              const PageLoadCancellation* cancellation = nullptr);

    // The JSON text the page carries between "its.serverData=" and the next
    // "</script>", as UTF-8 bytes. Nothing when there is no body, the body is
    // not valid UTF-8, or either marker is missing.
    static std::optional<QByteArray>
    extractServerDataFromBody(const std::optional<QByteArray>& body);

    // The songs of the server data's products: for each product record, in
    // the order the text writes them, the child records its "childrenIds"
    // name whose "kind" is "song". Members of an unexpected JSON type are
    // skipped. Empty when the data is not one strict JSON text.
    static QList<CommentsDictionary> songsFromServerData(const QByteArray& serverData);
};

} // namespace decant
