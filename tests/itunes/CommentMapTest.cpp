#include "itunes/CommentMap.h"

#include "RecordingiTunes.h"
#include "itunes/iTunesHandOff.h"

#include <gtest/gtest.h>

namespace decant {
namespace {

class CommentMapTest : public testing::Test {
protected:
    // The properties the track received, by scripting name.
    QVariantMap apply(const CommentsDictionary& comments) {
        test::RecordedTrack track(QStringLiteral("hash"));
        handOff.applyCommentsToTrack(comments, track);
        QVariantMap sent;
        for (const auto& [key, value] : track.propertySets()) {
            EXPECT_FALSE(sent.contains(key)) << key.toStdString() << " was set twice";
            sent.insert(key, value);
        }
        return sent;
    }

    iTunesHandOff handOff{std::make_shared<test::RecordingiTunes>()};
};

TEST_F(CommentMapTest, theShippedMapIsLoadedWithTypedRows) {
    ASSERT_TRUE(handOff.commentMap().has_value());
    const QVariantMap row = handOff.commentMap()->value("TRACKNUMBER").toMap();
    EXPECT_EQ(row.value("key"), "trackNumber");
    EXPECT_EQ(row.value("type"), "integer");
    EXPECT_EQ(loadCommentMap(), handOff.commentMap());
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
                                 {"trackCount", qint64(12)},
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

// Six pairs of fields name one property each. The first-named wins whatever
// the order of the fields (the dictionary sorts some aliases before their
// field, some after); the alias counts only when the field is missing.
struct AliasPair {
    const char* field;
    const char* alias;
    const char* property;
    QVariant sentForField;
    QVariant sentForAlias;
};

class CommentMapAliasTest : public CommentMapTest, public testing::WithParamInterface<AliasPair> {};

TEST_P(CommentMapAliasTest, theFieldWinsAndItsAliasStandsInWhenItIsMissing) {
    const AliasPair& pair = GetParam();
    const QString field = QString::fromLatin1(pair.field);
    const QString alias = QString::fromLatin1(pair.alias);
    const CommentsDictionary both{{field, "2001 from " + field}, {alias, "1999 from " + alias}};
    EXPECT_EQ(apply(both), (QVariantMap{{pair.property, pair.sentForField}}));
    EXPECT_EQ(apply({{alias, both.value(alias)}}),
              (QVariantMap{{pair.property, pair.sentForAlias}}));
}

INSTANTIATE_TEST_SUITE_P(
    ShippedMap, CommentMapAliasTest,
    testing::Values(AliasPair{"COMMENT", "DESCRIPTION", "comment", "2001 from COMMENT",
                              "1999 from DESCRIPTION"},
                    AliasPair{"DATE", "YEAR", "year", qint64(2001), qint64(1999)},
                    AliasPair{"LYRICS", "UNSYNCEDLYRICS", "lyrics", "2001 from LYRICS",
                              "1999 from UNSYNCEDLYRICS"},
                    AliasPair{"DISCTOTAL", "TOTALDISCS", "discCount", qint64(2001), qint64(1999)},
                    AliasPair{"TRACKTOTAL", "TOTALTRACKS", "trackCount", qint64(2001),
                              qint64(1999)},
                    AliasPair{"ALBUMARTIST", "ALBUM ARTIST", "albumArtist", "2001 from ALBUMARTIST",
                              "1999 from ALBUM ARTIST"}),
    [](const auto& info) { return std::string(info.param.field); });

// "4/12" is track 4 of 12 when the tags give no total of their own.
struct CountCase {
    const char* name;
    CommentsDictionary comments;
    QVariantMap sent;
};

class CommentMapCountTest : public CommentMapTest, public testing::WithParamInterface<CountCase> {};

TEST_P(CommentMapCountTest, takesTheCountAfterTheSlashOnlyWithoutATotal) {
    EXPECT_EQ(apply(GetParam().comments), GetParam().sent);
}

INSTANTIATE_TEST_SUITE_P(
    ShippedMap, CommentMapCountTest,
    testing::Values(CountCase{"slashes",
                              {{"TRACKNUMBER", "4/12"}, {"DISCNUMBER", "1/2"}},
                              {{"trackNumber", qint64(4)},
                               {"trackCount", qint64(12)},
                               {"discNumber", qint64(1)},
                               {"discCount", qint64(2)}}},
                    CountCase{"totalsWin",
                              {{"TRACKNUMBER", "4/12"},
                               {"TOTALTRACKS", "10"},
                               {"DISCNUMBER", "1/2"},
                               {"DISCTOTAL", "3"}},
                              {{"trackNumber", qint64(4)},
                               {"trackCount", qint64(10)},
                               {"discNumber", qint64(1)},
                               {"discCount", qint64(3)}}},
                    CountCase{"noCount",
                              {{"TRACKNUMBER", "4/"}, {"DISCNUMBER", qint64(2)}},
                              {{"trackNumber", qint64(4)}, {"discNumber", qint64(2)}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(CommentMapTest, skipsRowsThatNameNoProperty) {
    handOff.setCommentMap(
        QVariantMap{{"TITLE", "name"},
                    {"ARTIST", QVariantMap{{"type", "integer"}}},
                    {"ALBUM", QVariantMap{{"key", qint64(4)}}},
                    {"GENRE", QVariantMap{{"key", "genre"}, {"type", "Integer"}}}});
    EXPECT_EQ(apply({{"TITLE", "t"}, {"ARTIST", "a"}, {"ALBUM", "b"}, {"GENRE", "12 Jazz"}}),
              (QVariantMap{{"genre", "12 Jazz"}}));
}

TEST_F(CommentMapTest, sendsNothingWithoutAMap) {
    handOff.setCommentMap(std::nullopt);
    EXPECT_TRUE(apply({{"TITLE", "Song"}}).isEmpty());
}

} // namespace
} // namespace decant
