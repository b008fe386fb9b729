#pragma once

#include <QByteArray>
#include <QNetworkRequest>
#include <QString>

#include <chrono>
#include <optional>

namespace decant {

// Bounds on one page load. Left at the HTTP client's defaults, a request
// could wait forever on a silent server or fill memory with an endless body.
struct PageLoadLimits {
    // Longest stretch without any progress (connecting, headers or body
    // bytes) before the load is given up, as the macOS client does.
    std::chrono::milliseconds transferTimeout{std::chrono::seconds(60)};
    // Largest body taken; a longer one is abandoned as soon as it passes this.
    qint64 maximumBodySize = 32 * 1024 * 1024;
};

// Why no body came back.
enum class PageLoadFailure {
    None,
    NoResponse,   // refused, reset, unresolved host, TLS or redirect refused
    TimedOut,     // no progress within the transfer timeout
    BodyTooLarge, // the body passed the size limit
};

QString describePageLoadFailure(PageLoadFailure failure);

struct PageLoadResult {
    // The body of any response that arrived whole, whatever its HTTP status.
    std::optional<QByteArray> body;
    PageLoadFailure failure = PageLoadFailure::None;
    // The HTTP client's own words on a failure, for a log or a terminal.
    QString detail;
};

// Blocking GET on the calling thread, through a local event loop: the window
// keeps painting but user input waits until the load ends. Works whether or
// not an event loop already runs on the thread (the command line calls it
// before the application's loop starts). Redirects are followed only when
// they are no less secure (never from https to http), and certificates are
// verified against the system's store.
class PageLoader {
public:
    static PageLoadResult get(const QNetworkRequest& request, const PageLoadLimits& limits = {});
};

} // namespace decant
