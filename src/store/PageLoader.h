#pragma once

#include <QByteArray>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QObject>
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
    // Longest the whole load may take, however steadily a server trickles.
    std::chrono::milliseconds overallTimeout{std::chrono::seconds(120)};
};

// Why no body came back.
enum class PageLoadFailure {
    None,
    NoResponse,   // refused, reset, unresolved host, TLS or redirect refused
    TimedOut,     // no progress within the transfer timeout
    TookTooLong,  // not over within the overall timeout
    BodyTooLarge, // the body passed the size limit
    CorruptBody,  // a compressed body that does not decompress
    Interrupted,  // the thread's event loops were told to end (the application quits)
    Cancelled,    // the caller cancelled it
};

QString describePageLoadFailure(PageLoadFailure failure);

struct PageLoadResult {
    // The body of any response that arrived whole, whatever its HTTP status.
    std::optional<QByteArray> body;
    PageLoadFailure failure = PageLoadFailure::None;
    // The HTTP client's own words on a failure, for a log or a terminal.
    QString detail;
    // The last address asked for (the end of any redirects), the response's
    // HTTP status (0 when none came) and the client's own error, for saying
    // why a load gave nothing.
    QUrl url;
    int httpStatus = 0;
    QNetworkReply::NetworkError networkError = QNetworkReply::NoError;
};

// Lets the user end a load in progress, from the thread that runs it (a
// Cancel button handled in the load's own event loop). Cancelled once, it
// stays cancelled.
class PageLoadCancellation : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;

    void cancel();
    bool isCancelled() const { return cancelled_; }

signals:
    void cancelled();

private:
    bool cancelled_ = false;
};

// Blocking GET on the calling thread, through a local event loop that goes on
// handling events (a modal busy indicator keeps the rest of the window from
// input). Whatever ends that loop early ends the load with no body. Works
// whether or
// not an event loop already runs on the thread (the command line calls it
// before the application's loop starts). Redirects are followed only when
// they are no less secure (never from https to http), and certificates are
// verified against the system's store.
class PageLoader {
public:
    static PageLoadResult get(const QNetworkRequest& request, const PageLoadLimits& limits = {},
                              const PageLoadCancellation* cancellation = nullptr);
};

} // namespace decant
