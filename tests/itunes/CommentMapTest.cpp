#include "itunes/CommentMap.h"

#include "RecordingiTunes.h"
#include "queue/FilesController.h"

#include <gtest/gtest.h>

namespace decant {
namespace {

class CommentMapTest : public testing::Test {
protected:
    // The properties the track received, by scripting name.
    QVariantMap apply(const CommentsDictionary& comments) {
        test::RecordedTrack track(QStringLiteral("hash"));
        controller.applyCommentsToTrack(comments, track);
        QVariantMap sent;
        for (const auto& [key, value] : track.propertySets()) {
            EXPECT_FALSE(sent.contains(key)) << key.toStdString() << " was set twice";
            sent.insert(key, value);
        }
        return sent;
    }

    FilesController controller{std::make_shared<test::RecordingiTunes>()};
};

TEST_F(CommentMapTest, theShippedMapIsLoadedWithTypedRows) {
    ASSERT_TRUE(controller.commentMap().has_value());
    const QVariantMap row = controller.commentMap()->value("TRACKNUMBER").toMap();
    EXPECT_EQ(row.value("key"), "trackNumber");
    EXPECT_EQ(row.value("type"), "integer");
    EXPECT_EQ(loadCommentMap(), controller.commentMap());
}

TEST_F(CommentMapTest, sendsMappedFieldsWithTheTypeTheirRowAsksFor) {
    const QVariantMap sent = apply({{"TITLE", "Song"},
                                    {"ARTIST", "Band"},
                                    {"ALBUM ARTIST", "Various"},
                                    {"TRACKNUMBER", "3/12"},
                                    {"DATE", "1999-05-01"},
                                    {"COMPILATION", "1"},
                                    {"REPLAYGAIN_TRACK_GAIN", "-6.2 dB"},
                                    {"title", "lower-case names have no row"}});
    EXPECT_EQ(sent, (QVariantMap{{"name", "Song"},
                                 {"artist", "Band"},
                                 {"albumArtist", "Various"},
                                 {"trackNumber", qint64(3)},
                                 {"year", qint64(1999)},
                                 {"compilation", true}}));
    EXPECT_EQ(sent.value("trackNumber").typeId(), QMetaType::LongLong);
    EXPECT_EQ(sent.value("compilation").typeId(), QMetaType::Bool);
}

TEST_F(CommentMapTest, turnsTextsIntoBooleansByTheirFirstMeaningfulCharacter) {
    for (const char* yes : {"1", "yes", "True", " +007"}) {
        EXPECT_EQ(apply({{"COMPILATION", yes}}).value("compilation"), true) << yes;
    }
    for (const char* no : {"0", "no", "", "false"}) {
        EXPECT_EQ(apply({{"COMPILATION", no}}).value("compilation"), false) << no;
    }
}

TEST_F(CommentMapTest, passesStoreValuesThroughWithTheirTypes) {
    const QVariantMap sent = apply({{"DISCNUMBER", qint64(2)},
                                    {"TRACKNUMBER", 7.0},
                                    {"TITLE", "Song"},
                                    {"COMPOSER", QVariant::fromValue(nullptr)}});
    EXPECT_EQ(sent, (QVariantMap{
                        {"discNumber", qint64(2)}, {"trackNumber", qint64(7)}, {"name", "Song"}}));
}

TEST_F(CommentMapTest, skipsRowsThatNameNoProperty) {
    controller.setCommentMap(
        QVariantMap{{"TITLE", "name"},
                    {"ARTIST", QVariantMap{{"type", "integer"}}},
                    {"ALBUM", QVariantMap{{"key", qint64(4)}}},
                    {"GENRE", QVariantMap{{"key", "genre"}, {"type", "Integer"}}}});
    EXPECT_EQ(apply({{"TITLE", "t"}, {"ARTIST", "a"}, {"ALBUM", "b"}, {"GENRE", "12 Jazz"}}),
              (QVariantMap{{"genre", "12 Jazz"}}));
}

TEST_F(CommentMapTest, sendsNothingWithoutAMap) {
    controller.setCommentMap(std::nullopt);
    EXPECT_TRUE(apply({{"TITLE", "Song"}}).isEmpty());
}

} // namespace
} // namespace decant
