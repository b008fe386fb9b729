#include "store/iTunesMetadataFetcher.h"

#include <gtest/gtest.h>

namespace decant {
namespace {

struct Extraction {
    const char* name;
    std::optional<QByteArray> body;
    std::optional<QByteArray> serverData;
};

void PrintTo(const Extraction& extraction, std::ostream* out) {
    *out << extraction.name;
}

class ServerDataExtraction : public testing::TestWithParam<Extraction> {};

TEST_P(ServerDataExtraction, cutsBetweenTheMarkers) {
    const auto serverData = iTunesMetadataFetcher::extractServerDataFromBody(GetParam().body);
    ASSERT_EQ(serverData.has_value(), GetParam().serverData.has_value());
    if (serverData) {
        EXPECT_EQ(*serverData, *GetParam().serverData);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Pages, ServerDataExtraction,
    testing::Values(
        Extraction{"noBody", std::nullopt, std::nullopt},
        Extraction{"emptyBody", QByteArray(""), std::nullopt},
        Extraction{"plain", QByteArray("<script>its.serverData={\"a\":1}</script>"),
                   QByteArray("{\"a\":1}")},
        Extraction{"firstOfTwoMarkers", QByteArray("its.serverData=A its.serverData=B</script>"),
                   QByteArray("A its.serverData=B")},
        Extraction{"firstEndAfterTheMarker",
                   QByteArray("its.serverData= {} ;</script><script>x</script>"),
                   QByteArray(" {} ;")},
        Extraction{"endOnlyBeforeTheMarker", QByteArray("</script>its.serverData={}"),
                   std::nullopt},
        Extraction{"touchingMarkersGiveEmptyData", QByteArray("its.serverData=</script>"),
                   QByteArray("")},
        Extraction{"markerIsCaseSensitive", QByteArray("ITS.serverData={}</script>"), std::nullopt},
        Extraction{"endIsCaseSensitive", QByteArray("its.serverData={}</SCRIPT>"), std::nullopt},
        Extraction{"multiByteTextKept",
                   QByteArray("its.serverData={\"name\":\"Caf\xC3\xA9 \xE2\x99\xAB\"}</script>"),
                   QByteArray("{\"name\":\"Caf\xC3\xA9 \xE2\x99\xAB\"}")},
        Extraction{"invalidUTF8OutsideTheData", QByteArray("\xFF its.serverData={}</script>"),
                   std::nullopt},
        Extraction{"overlongEncoding", QByteArray("its.serverData={\xC0\xAF}</script>"),
                   std::nullopt},
        Extraction{"encodedSurrogate", QByteArray("its.serverData={}</script>\xED\xA0\x80"),
                   std::nullopt},
        Extraction{"truncatedSequenceAtTheEnd", QByteArray("its.serverData={}</script>\xE2\x99"),
                   std::nullopt}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace decant
