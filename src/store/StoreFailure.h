#pragma once

#include "store/PageLoader.h"

#include <QString>

namespace decant {

// Why the store gave no songs: kept as a value from where it happened to
// the user, who is told which host failed and how.
struct StoreFailure {
    enum class Kind {
        None,
        NameNotResolved,        // the host's name could not be looked up
        ConnectionFailed,       // refused, reset or closed before a whole answer
        SecureConnectionFailed, // TLS handshake or certificate
        DeadlinePassed,         // no progress, or not over, in time
        HttpStatus,             // an error status, and no album in the body
        UnusableAnswer,         // too large, damaged, or an unsafe redirect
        InvalidJson,            // the answer is not one strict JSON text
        NoAlbumData,            // a page without album data, a lookup without songs
        NoAlbumInAddress,       // a page without album data, and no album id to look up
        Stopped,                // cancelled, or the application quits
    };
    Kind kind = Kind::None;
    QString host;
    // The HTTP client's words, or what was looked for: for a tooltip or a
    // terminal, never needed to understand the sentence.
    QString detail;
    int httpStatus = 0;

    bool failed() const { return kind != Kind::None; }
};

// One whole sentence that names the store and the host ("Could not reach
// the store: music.apple.com did not answer.").
QString describeStoreFailure(const StoreFailure& failure);

// Why a load that gave no body failed; None for a load that gave one.
StoreFailure failureOfLoad(const PageLoadResult& load, const QUrl& asked);

} // namespace decant
