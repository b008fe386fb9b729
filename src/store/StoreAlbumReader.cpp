#include "store/StoreAlbumReader.h"

#include "store/JsonDocument.h"
#include "store/StoreAlbumURL.h"
#include "store/StoreLookup.h"
#include "store/iTunesMetadataFetcher.h"

#include <QCoreApplication>

namespace decant {
namespace {

using Kind = StoreFailure::Kind;

bool isErrorStatus(int status) {
    return status >= 400;
}

// Asking again would only wait as long again, or fail the same way: the
// load ran out of time or was stopped, or the lookup's own host did not
// answer.
bool endsTheRead(const StoreFailure& failure) {
    switch (failure.kind) {
    case Kind::DeadlinePassed:
    case Kind::Stopped:
        return true;
    case Kind::NameNotResolved:
    case Kind::ConnectionFailed:
    case Kind::SecureConnectionFailed:
        return failure.host == storeWebHost;
    default:
        return false;
    }
}

// Why a page that arrived, or did not, gave no songs.
StoreFailure failureOfPage(const PageLoadResult& page, const QUrl& url,
                           const std::optional<QByteArray>& serverData) {
    if (!page.body) {
        return failureOfLoad(page, url);
    }
    const QString host = page.url.isEmpty() ? url.host() : page.url.host();
    if (isErrorStatus(page.httpStatus)) {
        return {Kind::HttpStatus, host, {}, page.httpStatus};
    }
    if (serverData && !parseStrictJson(*serverData)) {
        return {Kind::InvalidJson, host,
                QCoreApplication::translate("decant::StoreAlbumReader",
                                            "The page's server data does not parse as JSON.")};
    }
    return {
        Kind::NoAlbumData, host,
        QCoreApplication::translate("decant::StoreAlbumReader", "The page carries no album data.")};
}

StoreAlbumReading lookUpAlbum(const StoreAlbumIdentity& album, const PageLoadLimits& limits,
                              const PageLoadCancellation* cancellation) {
    const QUrl url = storeLookupURL(album);
    const PageLoadResult answer = PageLoader::get(QNetworkRequest(url), limits, cancellation);
    if (!answer.body) {
        return failureOfLoad(answer, url);
    }
    const QString host = answer.url.isEmpty() ? url.host() : answer.url.host();
    // An error status's body is the service's complaint, never an album.
    if (isErrorStatus(answer.httpStatus)) {
        return StoreFailure{Kind::HttpStatus, host, {}, answer.httpStatus};
    }
    std::optional<QList<CommentsDictionary>> songs = songsFromLookupAnswer(*answer.body);
    if (!songs) {
        return StoreFailure{
            Kind::InvalidJson, host,
            QCoreApplication::translate("decant::StoreAlbumReader",
                                        "The lookup's answer does not parse as JSON.")};
    }
    if (songs->isEmpty()) {
        return StoreFailure{
            Kind::NoAlbumData, host,
            QCoreApplication::translate("decant::StoreAlbumReader",
                                        "The page carries no album data, and the lookup "
                                        "found no songs for album %1 in the \"%2\" store.")
                .arg(album.albumId, album.storefront)};
    }
    return std::move(*songs);
}

} // namespace

StoreAlbumReading readStoreAlbum(const QUrl& url, const PageLoadLimits& limits,
                                 const PageLoadCancellation* cancellation) {
    const PageLoadResult page =
        PageLoader::get(iTunesMetadataFetcher::albumPageRequest(url), limits, cancellation);
    const std::optional<QByteArray> serverData =
        iTunesMetadataFetcher::extractServerDataFromBody(page.body);
    if (serverData) {
        QList<CommentsDictionary> songs = iTunesMetadataFetcher::songsFromServerData(*serverData);
        if (!songs.isEmpty()) {
            return songs;
        }
    }
    const StoreFailure pageFailure = failureOfPage(page, url, serverData);
    if (endsTheRead(pageFailure)) {
        return pageFailure;
    }
    const StoreAlbumIdentity album = albumIdentityOf(url);
    if (album.albumId.isEmpty()) {
        if (pageFailure.kind == Kind::NoAlbumData) {
            return StoreFailure{Kind::NoAlbumInAddress, pageFailure.host, pageFailure.detail};
        }
        return pageFailure;
    }
    return lookUpAlbum(album, limits, cancellation);
}

} // namespace decant
