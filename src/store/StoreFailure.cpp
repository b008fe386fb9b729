#include "store/StoreFailure.h"

#include <QCoreApplication>
namespace decant {
namespace {

using Kind = StoreFailure::Kind;

// What the HTTP client's error says about why no answer came.
Kind kindOfNetworkError(QNetworkReply::NetworkError error) {
    switch (error) {
    case QNetworkReply::HostNotFoundError:
        return Kind::NameNotResolved;
    case QNetworkReply::SslHandshakeFailedError:
        return Kind::SecureConnectionFailed;
    case QNetworkReply::TimeoutError:
        return Kind::DeadlinePassed;
    case QNetworkReply::InsecureRedirectError:
    case QNetworkReply::TooManyRedirectsError:
        return Kind::UnusableAnswer;
    default:
        return Kind::ConnectionFailed;
    }
}

Kind kindOfLoadFailure(const PageLoadResult& load) {
    switch (load.failure) {
    case PageLoadFailure::None:
        return Kind::None;
    case PageLoadFailure::NoResponse:
        return kindOfNetworkError(load.networkError);
    case PageLoadFailure::TimedOut:
    case PageLoadFailure::TookTooLong:
        return Kind::DeadlinePassed;
    case PageLoadFailure::BodyTooLarge:
    case PageLoadFailure::CorruptBody:
        return Kind::UnusableAnswer;
    case PageLoadFailure::Interrupted:
    case PageLoadFailure::Cancelled:
        return Kind::Stopped;
    }
    return Kind::ConnectionFailed;
}

} // namespace

QString describeStoreFailure(const StoreFailure& failure) {
    switch (failure.kind) {
    case Kind::None:
        return QCoreApplication::translate("decant::StoreFailure", "The store gave the album.");
    case Kind::NameNotResolved:
        return QCoreApplication::translate(
                   "decant::StoreFailure",
                   "Could not reach the store: the name %1 could not be looked up.")
            .arg(failure.host);
    case Kind::ConnectionFailed:
        return QCoreApplication::translate("decant::StoreFailure",
                                           "Could not reach the store: %1 did not answer.")
            .arg(failure.host);
    case Kind::SecureConnectionFailed:
        return QCoreApplication::translate(
                   "decant::StoreFailure",
                   "Could not reach the store: the secure connection to %1 failed.")
            .arg(failure.host);
    case Kind::DeadlinePassed:
        return QCoreApplication::translate("decant::StoreFailure",
                                           "Could not reach the store: %1 did not answer in time.")
            .arg(failure.host);
    case Kind::HttpStatus:
        return QCoreApplication::translate(
                   "decant::StoreFailure",
                   "The store did not give the album: %1 answered with HTTP status %2.")
            .arg(failure.host)
            .arg(failure.httpStatus);
    case Kind::UnusableAnswer:
        return QCoreApplication::translate("decant::StoreFailure",
                                           "The store's answer from %1 could not be used.")
            .arg(failure.host);
    case Kind::InvalidJson:
        return QCoreApplication::translate("decant::StoreFailure",
                                           "The store's answer from %1 is not valid JSON.")
            .arg(failure.host);
    case Kind::NoAlbumData:
        return QCoreApplication::translate("decant::StoreFailure",
                                           "The store has no songs for this album.");
    case Kind::NoAlbumInAddress:
        return QCoreApplication::translate(
            "decant::StoreFailure", "The store's page has no songs, and its address names no album "
                                    "to look up.");
    case Kind::Stopped:
        return QCoreApplication::translate("decant::StoreFailure",
                                           "The read from the store was stopped.");
    }
    return {};
}

StoreFailure failureOfLoad(const PageLoadResult& load, const QUrl& asked) {
    const Kind kind = kindOfLoadFailure(load);
    if (kind == Kind::None) {
        return {};
    }
    // After an abort the client's words say only that; ours say why.
    const QString detail = load.failure == PageLoadFailure::NoResponse
                               ? load.detail
                               : describePageLoadFailure(load.failure);
    return {kind, (load.url.isEmpty() ? asked : load.url).host(), detail, load.httpStatus};
}

} // namespace decant
