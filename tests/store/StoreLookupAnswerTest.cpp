#include "StorePages.h"
#include "store/StoreAlbumURL.h"
#include "store/StoreLookup.h"

#include <gtest/gtest.h>

namespace decant {
namespace {

QStringList titlesOf(const QList<CommentsDictionary>& songs) {
    QStringList titles;
    for (const auto& comments : songs) {
        titles.append(comments.value(QStringLiteral("TITLE")).toString());
    }
    return titles;
}

TEST(StoreLookup, asksForTheAlbumsSongsInItsStorefront) {
    EXPECT_EQ(
        storeLookupURL({QStringLiteral("1440833098"), QStringLiteral("gb")}),
        QUrl("https://itunes.apple.com/lookup?id=1440833098&entity=song&country=gb&limit=200"));
}

TEST(StoreLookup, givesEachSongItsTenFieldsInDiscAndTrackOrder) {
    const auto songs = songsFromLookupAnswer(test::shuffledLookupAnswer);
    ASSERT_TRUE(songs.has_value());
    EXPECT_EQ(titlesOf(*songs), (QStringList{"One", "Two", "Three"}));
    const CommentsDictionary expected{{"TITLE", "Three"},
                                      {"ARTIST", "Ann"},
                                      {"ALBUM", "Blue"},
                                      {"ALBUMARTIST", "Ann and Band"},
                                      {"TRACKNUMBER", 1},
                                      {"TRACKTOTAL", 2},
                                      {"DISCNUMBER", 2},
                                      {"DISCTOTAL", 2},
                                      {"DATE", "2019-03-15T07:00:00Z"},
                                      {"GENRE", "Jazz"}};
    EXPECT_EQ(songs->at(2), expected);
    // Numbers stay numbers, as the page's do.
    for (const char* field : {"TRACKNUMBER", "TRACKTOTAL", "DISCNUMBER", "DISCTOTAL"}) {
        EXPECT_EQ(songs->at(2).value(field).typeId(), QMetaType::LongLong) << field;
    }
}

struct AnswerShape {
    const char* name;
    QByteArray answer;
    std::optional<QStringList> titles;
};

void PrintTo(const AnswerShape& shape, std::ostream* out) {
    *out << shape.name;
}

class LookupAnswerShape : public testing::TestWithParam<AnswerShape> {};

TEST_P(LookupAnswerShape, givesItsSongsOrNothingWhenItIsNoJson) {
    const auto songs = songsFromLookupAnswer(GetParam().answer);
    ASSERT_EQ(songs.has_value(), GetParam().titles.has_value());
    if (songs) {
        EXPECT_EQ(titlesOf(*songs), *GetParam().titles);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Answers, LookupAnswerShape,
    testing::Values(
        AnswerShape{"notJson", "<html>Service unavailable</html>", std::nullopt},
        AnswerShape{"trailingSemicolon", test::shuffledLookupAnswer + ";", std::nullopt},
        AnswerShape{"noResults", R"({"resultCount":0,"results":[]})", QStringList{}},
        AnswerShape{"resultsNotAnArray", R"({"resultCount":1,"results":{}})", QStringList{}},
        AnswerShape{
            "onlyTheAlbumAndAVideo",
            test::lookupAnswer({test::lookupAlbum, test::lookupTrack("V", 1, 1, "music-video")}),
            QStringList{}},
        // Without numbers: disc 1, last on it; equals keep the answer's order.
        AnswerShape{"songsWithoutNumbers",
                    test::lookupAnswer({R"({"wrapperType":"track","kind":"song","trackName":"X"})",
                                        test::lookupTrack("B", 2, 1),
                                        R"({"wrapperType":"track","kind":"song","trackName":"Y"})",
                                        test::lookupTrack("A", 1, 1)}),
                    QStringList{"A", "X", "Y", "B"}}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace decant
