#include "store/PageLoader.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QTimer>

namespace decant {
namespace {

constexpr qint64 readAheadSize = 1024 * 1024;

// QtNetwork reports HTTP error statuses (404, 500, ...) as errors in these
// two ranges; such replies still carry their whole body, which is wanted.
bool isHttpStatusError(QNetworkReply::NetworkError error) {
    const int code = int(error);
    return (code >= 201 && code <= 299) || (code >= 401 && code <= 499);
}

// A compressed body that fails to decompress is reported in the same range,
// as UnknownContentError (299), the error of the first problem only: on a 404
// page it replaces the status's own error. Qt also gives 299 to the 4xx
// statuses it has no error of its own for; on a compressed reply those
// cannot be told from a broken body, so they count as broken.
bool isBrokenBody(const QNetworkReply& reply) {
    return reply.error() == QNetworkReply::UnknownContentError &&
           !reply.rawHeader("Content-Encoding").isEmpty();
}

// A response that arrived whole: no error, or an HTTP error status with its
// page. The status is what says so, not the error's range.
bool arrivedWhole(const QNetworkReply& reply) {
    const QNetworkReply::NetworkError error = reply.error();
    if (error == QNetworkReply::NoError) {
        return true;
    }
    const int status = reply.attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    return status >= 400 && isHttpStatusError(error) && !isBrokenBody(reply);
}

// One load in flight: collects the body and gives up on the limits.
class Transfer {
public:
    Transfer(QNetworkReply& reply, const PageLoadLimits& limits,
             const PageLoadCancellation* cancellation)
        : reply_(reply)
        , limits_(limits) {
        startTimer(idle_, limits.transferTimeout, PageLoadFailure::TimedOut);
        startTimer(overall_, limits.overallTimeout, PageLoadFailure::TookTooLong);
        QObject::connect(&reply, &QNetworkReply::metaDataChanged, &reply, [this] {
            idle_.start();
            checkDeclaredLength();
        });
        QObject::connect(&reply, &QNetworkReply::redirected, &reply, [this] { idle_.start(); });
        QObject::connect(&reply, &QNetworkReply::readyRead, &reply, [this] {
            idle_.start();
            takeAvailableBytes();
        });
        QObject::connect(&reply, &QNetworkReply::finished, &loop_, &QEventLoop::quit);
        if (cancellation != nullptr) {
            QObject::connect(cancellation, &PageLoadCancellation::cancelled, &reply,
                             [this] { stop(PageLoadFailure::Cancelled); });
        }
    }

    PageLoadResult run() {
        if (!reply_.isFinished()) {
            loop_.exec();
        }
        idle_.stop();
        overall_.stop();
        // The loop also ends when the application quits (QCoreApplication::exit
        // ends every loop of the thread): what arrived so far is no page.
        if (!reply_.isFinished()) {
            stop(PageLoadFailure::Interrupted);
        }
        if (failure_ == PageLoadFailure::None) {
            takeAvailableBytes();
        }
        if (failure_ == PageLoadFailure::None && !arrivedWhole(reply_)) {
            failure_ =
                isBrokenBody(reply_) ? PageLoadFailure::CorruptBody : PageLoadFailure::NoResponse;
        }
        const int status = reply_.attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        if (failure_ != PageLoadFailure::None) {
            return {std::nullopt, failure_, reply_.errorString(),
                    reply_.url(), status,   reply_.error()};
        }
        return {std::move(body_), PageLoadFailure::None, {}, reply_.url(), status, reply_.error()};
    }

private:
    void startTimer(QTimer& timer, std::chrono::milliseconds interval, PageLoadFailure failure) {
        timer.setSingleShot(true);
        timer.setInterval(interval);
        QObject::connect(&timer, &QTimer::timeout, &reply_, [this, failure] { stop(failure); });
        timer.start();
    }

    void stop(PageLoadFailure failure) {
        if (failure_ == PageLoadFailure::None) {
            failure_ = failure;
            body_.clear();
            reply_.abort();
            loop_.quit();
        }
    }

    // An uncompressed body announced as too long is refused before any of it
    // is read. A compressed one is judged by what it expands to.
    void checkDeclaredLength() {
        const QVariant length = reply_.header(QNetworkRequest::ContentLengthHeader);
        if (length.isValid() && reply_.rawHeader("Content-Encoding").isEmpty() &&
            length.toLongLong() > limits_.maximumBodySize) {
            stop(PageLoadFailure::BodyTooLarge);
        }
    }

    void takeAvailableBytes() {
        if (failure_ != PageLoadFailure::None) {
            return;
        }
        if (body_.size() + reply_.bytesAvailable() > limits_.maximumBodySize) {
            stop(PageLoadFailure::BodyTooLarge);
            return;
        }
        body_.append(reply_.readAll());
    }

    QNetworkReply& reply_;
    const PageLoadLimits& limits_;
    // Made before the timers so that a thread without a Qt event loop of its
    // own gets an event dispatcher first.
    QEventLoop loop_;
    QTimer idle_;
    QTimer overall_;
    QByteArray body_;
    PageLoadFailure failure_ = PageLoadFailure::None;
};

} // namespace

void PageLoadCancellation::cancel() {
    if (!cancelled_) {
        cancelled_ = true;
        emit cancelled();
    }
}

QString describePageLoadFailure(PageLoadFailure failure) {
    switch (failure) {
    case PageLoadFailure::None:
        return QCoreApplication::translate("decant::PageLoader", "The page was read.");
    case PageLoadFailure::NoResponse:
        return QCoreApplication::translate("decant::PageLoader", "The server did not answer.");
    case PageLoadFailure::TimedOut:
        return QCoreApplication::translate("decant::PageLoader", "The server stopped answering.");
    case PageLoadFailure::TookTooLong:
        return QCoreApplication::translate("decant::PageLoader",
                                           "The server took too long to send the page.");
    case PageLoadFailure::BodyTooLarge:
        return QCoreApplication::translate("decant::PageLoader", "The page is too large.");
    case PageLoadFailure::CorruptBody:
        return QCoreApplication::translate("decant::PageLoader",
                                           "The page arrived damaged (it does not decompress).");
    case PageLoadFailure::Interrupted:
        return QCoreApplication::translate("decant::PageLoader", "The read was interrupted.");
    case PageLoadFailure::Cancelled:
        return QCoreApplication::translate("decant::PageLoader", "The read was cancelled.");
    }
    return {};
}

PageLoadResult PageLoader::get(const QNetworkRequest& request, const PageLoadLimits& limits,
                               const PageLoadCancellation* cancellation) {
    if (cancellation != nullptr && cancellation->isCancelled()) {
        return {std::nullopt, PageLoadFailure::Cancelled, {}, request.url()};
    }
    QNetworkRequest secured(request);
    secured.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::NoLessSafeRedirectPolicy);
    QNetworkAccessManager manager;
    // The manager owns the reply and deletes it when the load is over.
    QNetworkReply* reply = manager.get(secured);
    // Without a bound the client reads ahead of us without limit, and an
    // oversized body would be buffered well past the limit before we see it.
    reply->setReadBufferSize(readAheadSize);
    Transfer transfer(*reply, limits, cancellation);
    return transfer.run();
}

} // namespace decant
