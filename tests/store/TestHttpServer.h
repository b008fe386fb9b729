#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QNetworkProxy>
#include <QObject>
#include <QPair>
#include <QSslCertificate>
#include <QSslConfiguration>
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
    static CannedResponse withKind(Kind kind, QByteArray body = {});
    // What a proxy answers when asked to connect to a host: the HTTP client
    // reports the first as a name that did not resolve, the second as a
    // refused connection. A hangup closes the connection instead.
    static CannedResponse unknownHost() { return page({}, 404); }
    static CannedResponse refusedHost() { return page({}, 503); }
};

// One request as the server read it.
struct RecordedRequest {
    QByteArray host; // the host a proxy was asked to connect to; empty otherwise
    QByteArray method;
    QByteArray target; // path and query, as sent
    QList<QPair<QByteArray, QByteArray>> headers;

    // The value of the header (name compared without case); null when absent.
    QByteArray header(const QByteArray& name) const;
};

// A small HTTP/1.1 server on 127.0.0.1 that serves canned responses, one per
// connection, on the thread that created it: it answers whenever that
// thread's events are processed, also inside a blocking call's local loop.
//
// As a proxy it poses as every host a client asks it to connect to: it
// accepts the CONNECT, then speaks TLS itself with the test certificate,
// which names 127.0.0.1 and the store's two hosts. Its responses are served
// by host and path ("music.apple.com/us/album/x/1"); one served by host
// alone ("music.apple.com") answers the CONNECT, and nothing is tunnelled.
class TestHttpServer : public QObject {
public:
    enum class Transport { Plain, Tls, Proxy };

    explicit TestHttpServer(Transport transport = Transport::Plain);
    ~TestHttpServer() override;

    // The path's query is not compared.
    void serve(const QByteArray& path, CannedResponse response);
    // http://127.0.0.1:PORT/path (https:// for TLS); `path` may hold a query.
    QUrl url(const QByteArray& path) const;
    // http://127.0.0.1:PORT, as https_proxy names a proxy.
    QByteArray proxyAddress() const;
    QNetworkProxy proxy() const;
    // The requests for one host and path, as a proxy got them.
    QList<RecordedRequest> requestsFor(const QByteArray& host, const QByteArray& path) const;

    const QList<RecordedRequest>& requests() const { return requests_; }
    // Body bytes handed to the network by stream responses so far.
    qint64 bytesStreamed() const { return bytesStreamed_; }

    // The certificate a TLS server presents, for a client to trust.
    static QSslCertificate certificate();

private:
    struct Connection;

    void accept(QTcpSocket* socket);
    void openTunnel(QTcpSocket* socket, Connection& connection);
    CannedResponse responseFor(const RecordedRequest& request) const;
    void answer(QTcpSocket* socket, const CannedResponse& response);
    void stream(QTcpSocket* socket, qint64 size);

    Transport transport_;
    std::unique_ptr<QTcpServer> server_;
    QHash<QByteArray, CannedResponse> responses_;
    QList<RecordedRequest> requests_;
    qint64 bytesStreamed_ = 0;
};

// For its life, every request of this process goes through a proxy that
// poses as the store's hosts (and any other), and the test certificate is
// trusted: the store's own addresses can be read, and nothing reaches the
// internet. The process's former settings come back afterwards.
class ProxiedStore {
public:
    ProxiedStore();
    ProxiedStore(const ProxiedStore&) = delete;
    ProxiedStore& operator=(const ProxiedStore&) = delete;
    ~ProxiedStore();

    // Trusted from the start; distrusted, the TLS handshake fails.
    void trustCertificate(bool trusted);

    TestHttpServer server{TestHttpServer::Transport::Proxy};

private:
    const QSslConfiguration formerTls_ = QSslConfiguration::defaultConfiguration();
    const QNetworkProxy formerProxy_ = QNetworkProxy::applicationProxy();
    const bool usedSystemProxies_;
};

} // namespace decant::test
