#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QObject>
#include <QPair>
#include <QSslCertificate>
#include <QUrl>

#include <memory>
#include <optional>

class QTcpServer;
class QTcpSocket;

namespace decant::test {

// What the server does when a path is asked for.
struct CannedResponse {
    enum class Kind {
        Page,    // the status line, headers and the whole body
        Silence, // reads the request and never answers
        Hangup,  // reads the request and closes the connection
        Stall,   // headers promising more than the body, the body, then silence
        Stream,  // `streamSize` bytes of filler, written as the client reads
        Trickle, // headers, then a byte of filler every few milliseconds, for ever
    };
    Kind kind = Kind::Page;
    int status = 200;
    QByteArray headers; // extra header lines, each ending in "\r\n"
    QByteArray body;
    qint64 streamSize = 0;
    // The Content-Length sent for a stall or a stream; a stall's default
    // promises a little more than its body, a stream's sends none.
    std::optional<qint64> declaredLength;

    static CannedResponse page(QByteArray body, int status = 200, QByteArray headers = {});
    static CannedResponse redirect(const QUrl& location);
};

// One request as the server read it.
struct RecordedRequest {
    QByteArray method;
    QByteArray target; // path and query, as sent
    QList<QPair<QByteArray, QByteArray>> headers;

    // The value of the header (name compared without case); null when absent.
    QByteArray header(const QByteArray& name) const;
};

// A small HTTP/1.1 server on 127.0.0.1 that serves canned responses, one per
// connection, on the thread that created it: it answers whenever that
// thread's events are processed, also inside a blocking call's local loop.
class TestHttpServer : public QObject {
public:
    enum class Transport { Plain, Tls };

    explicit TestHttpServer(Transport transport = Transport::Plain);
    ~TestHttpServer() override;

    void serve(const QByteArray& path, CannedResponse response);
    // http://127.0.0.1:PORT/path (https:// for TLS); `path` may hold a query.
    QUrl url(const QByteArray& path) const;

    const QList<RecordedRequest>& requests() const { return requests_; }
    // Body bytes handed to the network by stream responses so far.
    qint64 bytesStreamed() const { return bytesStreamed_; }

    // The certificate a TLS server presents, for a client to trust.
    static QSslCertificate certificate();

private:
    void accept(QTcpSocket* socket);
    void answer(QTcpSocket* socket, const RecordedRequest& request);
    void stream(QTcpSocket* socket, qint64 size);

    Transport transport_;
    std::unique_ptr<QTcpServer> server_;
    QHash<QByteArray, CannedResponse> responses_;
    QList<RecordedRequest> requests_;
    qint64 bytesStreamed_ = 0;
};

} // namespace decant::test
