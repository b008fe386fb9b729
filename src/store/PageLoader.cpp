#include "store/PageLoader.h"

#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QTimer>

namespace decant {
namespace {

constexpr qint64 readAheadSize = 1024 * 1024;

// QtNetwork reports HTTP error statuses (404, 500, ...) as errors in these
// two ranges; such replies still carry their whole body, which is wanted.
// Every other error means that no complete response arrived.
bool isHttpStatusError(QNetworkReply::NetworkError error) {
    const int code = int(error);
    return (code >= 201 && code <= 299) || (code >= 401 && code <= 499);
}

// One load in flight: collects the body and gives up on the limits.
class Transfer {
public:
    Transfer(QNetworkReply& reply, const PageLoadLimits& limits)
        : reply_(reply)
        , limits_(limits) {
        idle_.setSingleShot(true);
        idle_.setInterval(limits.transferTimeout);
        QObject::connect(&idle_, &QTimer::timeout, &reply,
                         [this] { stop(PageLoadFailure::TimedOut); });
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
    }

    PageLoadResult run() {
        idle_.start();
        if (!reply_.isFinished()) {
            // Painting and timers go on; clicks and keys wait for the end.
            loop_.exec(QEventLoop::ExcludeUserInputEvents);
        }
        idle_.stop();
        if (failure_ == PageLoadFailure::None) {
            takeAvailableBytes();
        }
        if (failure_ != PageLoadFailure::None) {
            return {std::nullopt, failure_, reply_.errorString()};
        }
        const auto error = reply_.error();
        if (error != QNetworkReply::NoError && !isHttpStatusError(error)) {
            return {std::nullopt, PageLoadFailure::NoResponse, reply_.errorString()};
        }
        return {std::move(body_), PageLoadFailure::None, {}};
    }

private:
    void stop(PageLoadFailure failure) {
        if (failure_ == PageLoadFailure::None) {
            failure_ = failure;
            body_.clear();
            reply_.abort();
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
    // Made before the timer so that a thread without a Qt event loop of its
    // own gets an event dispatcher first.
    QEventLoop loop_;
    QTimer idle_;
    QByteArray body_;
    PageLoadFailure failure_ = PageLoadFailure::None;
};

} // namespace

QString describePageLoadFailure(PageLoadFailure failure) {
    switch (failure) {
    case PageLoadFailure::None:
        return QStringLiteral("The page was read.");
    case PageLoadFailure::NoResponse:
        return QStringLiteral("The server did not answer.");
    case PageLoadFailure::TimedOut:
        return QStringLiteral("The server stopped answering.");
    case PageLoadFailure::BodyTooLarge:
        return QStringLiteral("The page is too large.");
    }
    return {};
}

PageLoadResult PageLoader::get(const QNetworkRequest& request, const PageLoadLimits& limits) {
    QNetworkRequest secured(request);
    secured.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::NoLessSafeRedirectPolicy);
    QNetworkAccessManager manager;
    // The manager owns the reply and deletes it when the load is over.
    QNetworkReply* reply = manager.get(secured);
    // Without a bound the client reads ahead of us without limit, and an
    // oversized body would be buffered well past the limit before we see it.
    reply->setReadBufferSize(readAheadSize);
    Transfer transfer(*reply, limits);
    return transfer.run();
}

} // namespace decant
