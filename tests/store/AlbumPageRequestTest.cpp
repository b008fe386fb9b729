#include "StorePages.h"
#include "TestEnvironment.h"
#include "TestHttpServer.h"
#include "store/PageLoader.h"
#include "store/iTunesMetadataFetcher.h"

#include <QSslConfiguration>
#include <QTcpServer>
#include <QTimer>
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace decant {
namespace {

using test::CannedResponse;
using test::TestHttpServer;
using namespace std::chrono_literals;

const QByteArray twoSongPage = test::albumPage(test::serverDataWithResults(
    R"({"1440833098":)" +
    test::productWithSongs({test::song("Caf\xC3\xA9", 1), test::song("Two", 2)}) + "}"));

QStringList titlesOf(const QList<CommentsDictionary>& songs) {
    QStringList titles;
    for (const auto& comments : songs) {
        titles.append(comments.value(QStringLiteral("TITLE")).toString());
    }
    return titles;
}

const QStringList twoSongTitles{QStringLiteral("Café"), QStringLiteral("Two")};

// Short enough that a silent server does not hold the run up.
constexpr qint64 bodyLimit = PageLoadLimits{}.maximumBodySize;
constexpr PageLoadLimits quickLimits{500ms, bodyLimit};
constexpr PageLoadLimits quickOverallLimits{60s, bodyLimit, 500ms};

// The page compressed as HTTP's "deflate" (a zlib stream).
QByteArray deflated(const QByteArray& body) {
    return qCompress(body).mid(4); // without Qt's length prefix
}

// One byte in the middle changed: the stream no longer inflates.
QByteArray damaged(QByteArray compressed) {
    compressed[compressed.size() / 2] = char(compressed[compressed.size() / 2] ^ 0x55);
    return compressed;
}

TEST(AlbumPageRequest, sendsOneGetWithTheiTunesUserAgentAndTheURLUnchanged) {
    TestHttpServer server;
    server.serve("/us/album/x/id1440833098", CannedResponse::page(twoSongPage));

    const auto songs = iTunesMetadataFetcher::fetchMetadataFromAlbumURL(
        server.url("/us/album/x/id1440833098?i=1440833099&uo=4"));

    EXPECT_EQ(titlesOf(songs), twoSongTitles);
    ASSERT_EQ(server.requests().size(), 1);
    const auto& request = server.requests()[0];
    EXPECT_EQ(request.method, "GET");
    EXPECT_EQ(request.target, "/us/album/x/id1440833098?i=1440833099&uo=4");
    EXPECT_EQ(request.header("User-Agent"),
              "iTunes/11.0.2 (Macintosh; OS X 10.8.3) AppleWebKit/536.28.10");
    for (const char* absent : {"Authorization", "Cookie", "Content-Length"}) {
        EXPECT_TRUE(request.header(absent).isNull()) << absent;
    }
}

class ReadablePage : public testing::TestWithParam<CannedResponse> {};

TEST_P(ReadablePage, isReadWhateverItsStatusOrDeclaredCharset) {
    TestHttpServer server;
    server.serve("/album", GetParam());
    EXPECT_EQ(titlesOf(iTunesMetadataFetcher::fetchMetadataFromAlbumURL(server.url("/album"))),
              twoSongTitles);
}

INSTANTIATE_TEST_SUITE_P(
    Responses, ReadablePage,
    testing::Values(
        CannedResponse::page(twoSongPage, 404), CannedResponse::page(twoSongPage, 500),
        CannedResponse::page(twoSongPage, 200, "Content-Type: text/html; charset=iso-8859-1\r\n"),
        CannedResponse::page(deflated(twoSongPage), 404, "Content-Encoding: deflate\r\n")));

TEST(AlbumPageRequest, followsARedirectThatIsNoLessSecure) {
    TestHttpServer server;
    server.serve("/old", CannedResponse::redirect(server.url("/new")));
    server.serve("/new", CannedResponse::page(twoSongPage));
    EXPECT_EQ(titlesOf(iTunesMetadataFetcher::fetchMetadataFromAlbumURL(server.url("/old"))),
              twoSongTitles);
}

struct Failure {
    const char* name;
    CannedResponse response;
    PageLoadFailure failure;
};

void PrintTo(const Failure& failure, std::ostream* out) {
    *out << failure.name;
}

CannedResponse withKind(CannedResponse::Kind kind, QByteArray body = {}) {
    CannedResponse response = CannedResponse::page(std::move(body));
    response.kind = kind;
    return response;
}

CannedResponse streamOf(qint64 size) {
    CannedResponse response = withKind(CannedResponse::Kind::Stream);
    response.streamSize = size;
    return response;
}

// A readable page, announced as longer than the limit, and then silence:
// refused on the announcement, before the transfer timeout.
CannedResponse announcedAsTooLong() {
    CannedResponse response = withKind(CannedResponse::Kind::Stall, twoSongPage);
    response.declaredLength = bodyLimit + 1;
    return response;
}

class UnfinishedResponse : public testing::TestWithParam<Failure> {};

TEST_P(UnfinishedResponse, givesNoBodyAndSoNoSongs) {
    TestHttpServer server;
    server.serve("/album", GetParam().response);

    const PageLoadLimits limits = GetParam().failure == PageLoadFailure::TimedOut ? quickLimits
                                  : GetParam().failure == PageLoadFailure::TookTooLong
                                      ? quickOverallLimits
                                      : PageLoadLimits{};
    const PageLoadResult page = PageLoader::get(QNetworkRequest(server.url("/album")), limits);
    EXPECT_FALSE(page.body.has_value());
    EXPECT_EQ(page.failure, GetParam().failure) << page.detail.toStdString();
    EXPECT_TRUE(
        iTunesMetadataFetcher::fetchMetadataFromAlbumURL(server.url("/album"), limits).isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Servers, UnfinishedResponse,
    testing::Values(
        Failure{"neverAnswers", withKind(CannedResponse::Kind::Silence), PageLoadFailure::TimedOut},
        // A readable page in the part that arrived is still no response.
        Failure{"stallsInTheBody", withKind(CannedResponse::Kind::Stall, twoSongPage),
                PageLoadFailure::TimedOut},
        Failure{"hangsUp", withKind(CannedResponse::Kind::Hangup), PageLoadFailure::NoResponse},
        Failure{"streamsPastTheLimit", streamOf(2 * bodyLimit), PageLoadFailure::BodyTooLarge},
        Failure{"announcesTooLongABody", announcedAsTooLong(), PageLoadFailure::BodyTooLarge},
        Failure{"tricklesForEver", withKind(CannedResponse::Kind::Trickle),
                PageLoadFailure::TookTooLong},
        // Qt calls these error 299, as it does some HTTP error statuses.
        Failure{"sendsCorruptGzip",
                CannedResponse::page("not gzip at all", 200, "Content-Encoding: gzip\r\n"),
                PageLoadFailure::CorruptBody},
        Failure{"sendsCorruptGzipWithAnErrorStatus",
                CannedResponse::page("not gzip at all", 404, "Content-Encoding: gzip\r\n"),
                PageLoadFailure::CorruptBody},
        Failure{"sendsADamagedDeflateStream",
                CannedResponse::page(damaged(deflated(twoSongPage)), 200,
                                     "Content-Encoding: deflate\r\n"),
                PageLoadFailure::CorruptBody}),
    [](const auto& info) { return std::string(info.param.name); });

struct EarlyEnd {
    const char* name;
    PageLoadFailure failure;
    void (*end)(PageLoadCancellation& cancellation);
};

void PrintTo(const EarlyEnd& earlyEnd, std::ostream* out) {
    *out << earlyEnd.name;
}

class LoadEndedEarly : public testing::TestWithParam<EarlyEnd> {};

// The load runs inside the application's own loop, as the window's does.
TEST_P(LoadEndedEarly, givesNoBodyNotEvenThePageSoFar) {
    TestHttpServer server;
    server.serve("/album", withKind(CannedResponse::Kind::Stall, twoSongPage));
    PageLoadCancellation cancellation;
    std::optional<PageLoadResult> page;
    QTimer::singleShot(0, &server, [&] {
        QTimer::singleShot(300ms, &server, [&] { GetParam().end(cancellation); });
        page = PageLoader::get(QNetworkRequest(server.url("/album")), {}, &cancellation);
        QCoreApplication::exit(0);
    });
    QTimer::singleShot(20s, &server, [] { QCoreApplication::exit(1); });
    ASSERT_EQ(QCoreApplication::exec(), 0);
    ASSERT_TRUE(page.has_value());
    EXPECT_FALSE(page->body.has_value());
    EXPECT_EQ(page->failure, GetParam().failure);
    EXPECT_EQ(server.requests().size(), 1);
}

INSTANTIATE_TEST_SUITE_P(
    Ends, LoadEndedEarly,
    testing::Values(EarlyEnd{"applicationQuits", PageLoadFailure::Interrupted,
                             [](PageLoadCancellation&) { QCoreApplication::exit(0); }},
                    EarlyEnd{"userCancels", PageLoadFailure::Cancelled,
                             [](PageLoadCancellation& cancellation) { cancellation.cancel(); }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(AlbumPageRequest, givesUpOnATooLongBodyLongBeforeItIsAllSent) {
    TestHttpServer server;
    const qint64 endless = 8 * bodyLimit;
    server.serve("/album", streamOf(endless));
    EXPECT_EQ(PageLoader::get(QNetworkRequest(server.url("/album"))).failure,
              PageLoadFailure::BodyTooLarge);
    // Beyond the limit itself, the kernel's socket buffers (tens of megabytes
    // on loopback) let more leave the server than the client ever takes.
    EXPECT_LT(server.bytesStreamed(), endless / 2);
}

TEST(AlbumPageRequest, refusedConnectionGivesNoResponse) {
    QTcpServer closed;
    ASSERT_TRUE(closed.listen(QHostAddress::LocalHost, 0));
    const QUrl url(QStringLiteral("http://127.0.0.1:%1/album").arg(closed.serverPort()));
    closed.close();
    EXPECT_EQ(PageLoader::get(QNetworkRequest(url)).failure, PageLoadFailure::NoResponse);
    EXPECT_TRUE(iTunesMetadataFetcher::fetchMetadataFromAlbumURL(url).isEmpty());
}

class BodySize : public testing::TestWithParam<qint64> {};

TEST_P(BodySize, isReadUpToTheLimitAndNotBeyond) {
    const qint64 size = bodyLimit + GetParam();
    QByteArray body = twoSongPage;
    body.append(size - body.size(), ' ');
    TestHttpServer server;
    server.serve("/album", CannedResponse::page(body));
    EXPECT_EQ(iTunesMetadataFetcher::fetchMetadataFromAlbumURL(server.url("/album")).size(),
              GetParam() <= 0 ? 2 : 0);
}

INSTANTIATE_TEST_SUITE_P(AroundTheLimit, BodySize, testing::Values(0, 1));

TEST(AlbumPageRequest, worksFromAThreadWithoutAnEventLoop) {
    TestHttpServer server;
    server.serve("/album", CannedResponse::page(twoSongPage));
    const QUrl url = server.url("/album");
    std::atomic<bool> done = false;
    QList<CommentsDictionary> songs;
    std::thread reader([&] {
        songs = iTunesMetadataFetcher::fetchMetadataFromAlbumURL(url);
        done = true;
    });
    // The server answers on this thread.
    const bool finished = test::processEventsUntil([&] { return done.load(); });
    reader.join();
    ASSERT_TRUE(finished);
    EXPECT_EQ(titlesOf(songs), twoSongTitles);
}

// TLS: the client must verify the server's certificate. These tests trust
// the test certificate for their own duration only.
class SecureAlbumPage : public testing::Test {
protected:
    void trustTestCertificate() {
        QSslConfiguration trusting = original;
        trusting.addCaCertificate(TestHttpServer::certificate());
        QSslConfiguration::setDefaultConfiguration(trusting);
    }
    ~SecureAlbumPage() override { QSslConfiguration::setDefaultConfiguration(original); }

    const QSslConfiguration original = QSslConfiguration::defaultConfiguration();
    TestHttpServer secure{TestHttpServer::Transport::Tls};
};

TEST_F(SecureAlbumPage, isReadFromATrustedServerOnly) {
    secure.serve("/album", CannedResponse::page(twoSongPage));
    EXPECT_TRUE(iTunesMetadataFetcher::fetchMetadataFromAlbumURL(secure.url("/album")).isEmpty());
    trustTestCertificate();
    EXPECT_EQ(titlesOf(iTunesMetadataFetcher::fetchMetadataFromAlbumURL(secure.url("/album"))),
              twoSongTitles);
}

TEST_F(SecureAlbumPage, isNotFollowedIntoAPlainRedirect) {
    trustTestCertificate();
    TestHttpServer plain;
    plain.serve("/album", CannedResponse::page(twoSongPage));
    secure.serve("/album", CannedResponse::redirect(plain.url("/album")));

    const PageLoadResult page = PageLoader::get(QNetworkRequest(secure.url("/album")));
    EXPECT_EQ(page.failure, PageLoadFailure::NoResponse) << page.detail.toStdString();
    EXPECT_EQ(secure.requests().size(), 1);
    EXPECT_TRUE(plain.requests().isEmpty());
}

} // namespace
} // namespace decant
