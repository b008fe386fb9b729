// Whole album reads against one local HTTPS server posing, through a proxy,
// as both of the store's hosts.
#include "StorePages.h"
#include "TestHttpServer.h"
#include "store/StoreAlbumReader.h"
#include "store/iTunesMetadataFetcher.h"

#include <gtest/gtest.h>

namespace decant {
namespace {

using test::CannedResponse;
using namespace std::chrono_literals;
using Kind = StoreFailure::Kind;
using Served = QList<QPair<QByteArray, CannedResponse>>;

const QByteArray todaysPage = "music.apple.com/us/album/blue/1440833098";
const QByteArray oldPage = "itunes.apple.com/us/album/blue/id1440833098";
const QByteArray lookup = "itunes.apple.com/lookup";

QUrl linkTo(const QByteArray& page) {
    return QUrl("https://" + page);
}

QStringList titlesOf(const QList<CommentsDictionary>& songs) {
    QStringList titles;
    for (const auto& comments : songs) {
        titles.append(comments.value(QStringLiteral("TITLE")).toString());
    }
    return titles;
}

const QByteArray oldStylePage = test::albumPage(test::serverDataWithResults(
    R"({"1440833098":)" +
    test::productWithSongs({test::song("Caf\xC3\xA9", 1), test::song("Two", 2)}) + "}"));

struct AlbumLink {
    const char* name;
    QByteArray link;
    Served served;
    QStringList titles;
    // The lookup asked for, if any.
    QByteArray lookupTarget;
};

void PrintTo(const AlbumLink& link, std::ostream* out) {
    *out << link.name;
}

class StoreAlbumRead : public testing::TestWithParam<AlbumLink> {
protected:
    StoreAlbumReading read(const QByteArray& link, const PageLoadLimits& limits = {}) {
        for (const auto& [key, response] : GetParam().served) {
            store.server.serve(key, response);
        }
        return readStoreAlbum(linkTo(link), limits);
    }

    test::ProxiedStore store;
};

TEST_P(StoreAlbumRead, givesTheAlbumsSongsInOrderWithOneLookupAtMost) {
    const StoreAlbumReading reading = read(GetParam().link);

    EXPECT_FALSE(reading.failure.failed()) << describeStoreFailure(reading.failure).toStdString();
    EXPECT_EQ(titlesOf(reading.songs), GetParam().titles);
    ASSERT_FALSE(store.server.requests().isEmpty());
    EXPECT_EQ(store.server.requests().front().header("User-Agent"),
              iTunesMetadataFetcher::userAgent);
    const auto lookups = store.server.requestsFor("itunes.apple.com", "/lookup");
    ASSERT_EQ(lookups.size(), GetParam().lookupTarget.isEmpty() ? 0 : 1);
    if (!lookups.isEmpty()) {
        EXPECT_EQ(lookups.front().target, GetParam().lookupTarget);
        EXPECT_EQ(reading.songs.front().value("ALBUMARTIST"), "Ann and Band");
    } else {
        // The page reader's own list, unchanged.
        EXPECT_EQ(reading.songs,
                  iTunesMetadataFetcher::fetchMetadataFromAlbumURL(linkTo(GetParam().link)));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Links, StoreAlbumRead,
    testing::Values(AlbumLink{"todaysLink",
                              "music.apple.com/gb/album/blue/1440833098",
                              {{"music.apple.com/gb/album/blue/1440833098",
                                CannedResponse::page(test::pageWithoutServerData)},
                               {lookup, CannedResponse::page(test::shuffledLookupAnswer)}},
                              {"One", "Two", "Three"},
                              "/lookup?id=1440833098&entity=song&country=gb&limit=200"},
                    AlbumLink{"oldLinkRedirectedToToday",
                              oldPage,
                              {{oldPage, CannedResponse::redirect(linkTo(todaysPage))},
                               {todaysPage, CannedResponse::page(test::pageWithoutServerData)},
                               {lookup, CannedResponse::page(test::shuffledLookupAnswer)}},
                              {"One", "Two", "Three"},
                              "/lookup?id=1440833098&entity=song&country=us&limit=200"},
                    AlbumLink{"oldStylePage",
                              oldPage,
                              {{oldPage, CannedResponse::page(oldStylePage)},
                               {lookup, CannedResponse::page(test::shuffledLookupAnswer)}},
                              {"Café", "Two"},
                              {}}),
    [](const auto& info) { return std::string(info.param.name); });

struct FailureCase {
    const char* name;
    QByteArray link;
    Served served;
    Kind kind;
    QByteArray host;
    int lookups = 0;
    bool trusted = true;
};

void PrintTo(const FailureCase& failure, std::ostream* out) {
    *out << failure.name;
}

class StoreAlbumFailure : public testing::TestWithParam<FailureCase> {
protected:
    test::ProxiedStore store;
};

// Short enough that a silent server does not hold the run up.
constexpr PageLoadLimits quickLimits{500ms};

TEST_P(StoreAlbumFailure, givesNoSongsAndSaysWhyNamingTheHost) {
    for (const auto& [key, response] : GetParam().served) {
        store.server.serve(key, response);
    }
    store.trustCertificate(GetParam().trusted);

    const StoreAlbumReading reading = readStoreAlbum(linkTo(GetParam().link), quickLimits);

    EXPECT_TRUE(reading.songs.isEmpty());
    EXPECT_EQ(reading.failure.kind, GetParam().kind) << reading.failure.detail.toStdString();
    EXPECT_EQ(reading.failure.host, GetParam().host);
    const QString sentence = describeStoreFailure(reading.failure);
    EXPECT_TRUE(sentence.endsWith(u'.')) << sentence.toStdString();
    if (GetParam().kind != Kind::NoAlbumData && GetParam().kind != Kind::NoAlbumInAddress) {
        EXPECT_TRUE(sentence.contains(GetParam().host)) << sentence.toStdString();
    }
    EXPECT_EQ(store.server.requestsFor("itunes.apple.com", "/lookup").size(), GetParam().lookups);
}

const CannedResponse noResults = CannedResponse::page(R"({"resultCount":0,"results":[]})");
const CannedResponse todaysPageWithoutData = CannedResponse::page(test::pageWithoutServerData);

INSTANTIATE_TEST_SUITE_P(
    Failures, StoreAlbumFailure,
    testing::Values(
        // A host that failed to answer is not asked again for the lookup.
        FailureCase{"nameDoesNotResolve",
                    oldPage,
                    {{"itunes.apple.com", CannedResponse::unknownHost()}},
                    Kind::NameNotResolved,
                    "itunes.apple.com"},
        FailureCase{"connectionRefused",
                    todaysPage,
                    {{"music.apple.com", CannedResponse::refusedHost()},
                     {"itunes.apple.com", CannedResponse::refusedHost()}},
                    Kind::ConnectionFailed,
                    "itunes.apple.com"},
        // The HTTP client itself sends a GET once more when the connection
        // closes before any answer: one lookup, asked twice.
        FailureCase{"connectionClosed",
                    todaysPage,
                    {{todaysPage, CannedResponse::withKind(CannedResponse::Kind::Hangup)},
                     {lookup, CannedResponse::withKind(CannedResponse::Kind::Hangup)}},
                    Kind::ConnectionFailed,
                    "itunes.apple.com",
                    2},
        FailureCase{"certificateNotTrusted",
                    oldPage,
                    {{oldPage, CannedResponse::page(oldStylePage)}},
                    Kind::SecureConnectionFailed,
                    "itunes.apple.com",
                    0,
                    false},
        // Waited for long enough: no lookup after it.
        FailureCase{"deadlinePasses",
                    todaysPage,
                    {{todaysPage, CannedResponse::withKind(CannedResponse::Kind::Silence)}},
                    Kind::DeadlinePassed,
                    "music.apple.com"},
        FailureCase{"errorStatusesWithoutAnAlbum",
                    todaysPage,
                    {{todaysPage, CannedResponse::page("<html>Not Found</html>", 404)},
                     {lookup, CannedResponse::page(R"({"errorMessage":"busy"})", 503)}},
                    Kind::HttpStatus,
                    "itunes.apple.com",
                    1},
        FailureCase{"pageWithoutDataAndNoResults",
                    todaysPage,
                    {{todaysPage, todaysPageWithoutData}, {lookup, noResults}},
                    Kind::NoAlbumData,
                    "itunes.apple.com",
                    1},
        FailureCase{"lookupAnswerNotJson",
                    todaysPage,
                    {{todaysPage, todaysPageWithoutData},
                     {lookup, CannedResponse::page("<html>Service unavailable</html>")}},
                    Kind::InvalidJson,
                    "itunes.apple.com",
                    1},
        FailureCase{"addressNamesNoAlbum",
                    "music.apple.com/us/album/blue",
                    {{"music.apple.com/us/album/blue", todaysPageWithoutData}},
                    Kind::NoAlbumInAddress,
                    "music.apple.com"}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace decant
