#include "StorePages.h"
#include "store/iTunesMetadataFetcher.h"

#include <gtest/gtest.h>

namespace decant {
namespace {

using test::productWithSongs;
using test::serverDataWithResults;
using test::song;

QList<CommentsDictionary> songsOf(const QByteArray& results) {
    return iTunesMetadataFetcher::songsFromServerData(serverDataWithResults(results));
}

// Results holding one product record made of these child records.
QList<CommentsDictionary> songsOfProductWith(const QList<QByteArray>& children) {
    return songsOf("{\"p\":" + productWithSongs(children) + "}");
}

QStringList titlesOf(const QList<CommentsDictionary>& songs) {
    QStringList titles;
    for (const auto& comments : songs) {
        titles.append(comments.value(QStringLiteral("TITLE")).toString());
    }
    return titles;
}

TEST(SongsFromServerData, keepsSongsInChildrenIdsOrderRepeatsIncludedAndSkipsOtherChildren) {
    const QByteArray product = R"({"p":{"childrenIds":["3","2","9","4","5","6","1",3],"children":{
        "1":{"kind":"song","name":"One"},
        "2":{"kind":"music-video","name":"Video"},
        "3":{"kind":"song","name":"Three"},
        "4":{"name":"No kind"},
        "5":{"kind":"Song","name":"Wrong case"},
        "6":{"kind":7,"name":"Numeric kind"}}}})";
    EXPECT_EQ(titlesOf(songsOf(product)), (QStringList{"Three", "One", "Three"}));
}

struct IdCase {
    const char* name;
    QByteArray id;       // as the JSON text writes it
    QByteArray childKey; // the member name of the only child record
    bool found;
};

void PrintTo(const IdCase& idCase, std::ostream* out) {
    *out << idCase.name;
}

class SongIds : public testing::TestWithParam<IdCase> {};

TEST_P(SongIds, nameTheirChildRecordAsText) {
    const QByteArray product = R"({"p":{"childrenIds":[)" + GetParam().id + R"(],"children":{")" +
                               GetParam().childKey + R"(":{"kind":"song","name":"Found"}}}})";
    EXPECT_EQ(songsOf(product).size(), GetParam().found ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(
    Ids, SongIds,
    testing::Values(
        IdCase{"text", R"("abc")", "abc", true},
        IdCase{"textIsNotTrimmed", R"(" 12")", "12", false},
        IdCase{"number", "1440833098", "1440833098", true},
        IdCase{"numberBeyond53Bits", "9007199254740993", "9007199254740993", true},
        IdCase{"negativeNumber", "-5", "-5", true}, IdCase{"integralReal", "12.0", "12", true},
        IdCase{"integralRealIsNotNamedAsWritten", "12.0", "12.0", false},
        IdCase{"exponent", "1.5e2", "150", true}, IdCase{"fraction", "12.5", "12.5", true},
        IdCase{"beyond64Bits", "1e20", "100000000000000000000", true},
        IdCase{"trueIsNoId", "true", "true", false}, IdCase{"nullIsNoId", "null", "null", false},
        IdCase{"arrayIsNoId", R"(["1"])", "1", false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SongsFromServerData, copiesTheSevenFieldsKeepingTheirJSONTypes) {
    const QByteArray product = R"({"p":{"collectionName":"Product level","childrenIds":[1],
        "children":{"1":{"kind":"song","collectionName":"Album","artistName":null,
        "composer":{"name":"Composer","id":3},"releaseDate":"2013-04-16T07:00:00Z",
        "discNumber":1.5,"name":"Title","trackNumber":12,"trackCount":14,"genre":"Pop"}}}})";
    const QList<CommentsDictionary> songs = songsOf(product);
    ASSERT_EQ(songs.size(), 1);
    const CommentsDictionary& comments = songs[0];
    EXPECT_EQ(comments.keys(), (QStringList{"ALBUM", "ARTIST", "COMPOSER", "DATE", "DISCNUMBER",
                                            "TITLE", "TRACKNUMBER"}));
    EXPECT_EQ(comments["ALBUM"], QVariant(QStringLiteral("Album")));
    EXPECT_TRUE(comments["ARTIST"].isNull());
    EXPECT_EQ(comments["COMPOSER"], QVariant(QStringLiteral("Composer")));
    EXPECT_EQ(comments["DATE"], QVariant(QStringLiteral("2013-04-16T07:00:00Z")));
    EXPECT_EQ(comments["DISCNUMBER"].userType(), QMetaType::Double);
    EXPECT_EQ(comments["DISCNUMBER"].toDouble(), 1.5);
    EXPECT_EQ(comments["TRACKNUMBER"].userType(), QMetaType::LongLong);
    EXPECT_EQ(comments["TRACKNUMBER"].toLongLong(), 12);
}

struct NumberCase {
    const char* name;
    QByteArray json;
    QVariant expected; // of the type the text's number must keep
};

void PrintTo(const NumberCase& numberCase, std::ostream* out) {
    *out << numberCase.name;
}

class NumberKinds : public testing::TestWithParam<NumberCase> {};

TEST_P(NumberKinds, stayIntegerOrRealAsTheTextWritesThem) {
    const CommentsDictionary comments =
        songsOfProductWith({R"({"kind":"song","trackNumber":)" + GetParam().json + "}"}).value(0);
    const QVariant& value = comments["TRACKNUMBER"];
    EXPECT_EQ(value.typeId(), GetParam().expected.typeId()) << value.typeName();
    EXPECT_EQ(value, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Numbers, NumberKinds,
                         testing::Values(NumberCase{"integer", "12", QVariant(qint64(12))},
                                         NumberCase{"negativeInteger", "-3", QVariant(qint64(-3))},
                                         NumberCase{"integralReal", "12.0", QVariant(12.0)},
                                         NumberCase{"exponent", "1E2", QVariant(100.0)},
                                         NumberCase{"beyondSigned64Bits", "18446744073709551615",
                                                    QVariant(qulonglong(18446744073709551615ULL))},
                                         NumberCase{"beyond64Bits", "100000000000000000000",
                                                    QVariant(1e20)},
                                         // Exponents that overflow a reader's own arithmetic.
                                         NumberCase{"hugeNegativeExponent",
                                                    "1." + QByteArray(400, '0') + "1e-2147483648",
                                                    QVariant(0.0)},
                                         NumberCase{"manyFractionDigits",
                                                    "0." + QByteArray(5000, '0') + "1e5000",
                                                    QVariant(0.1)}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(SongsFromServerData, keepsTextsBooleansAndNestedValuesAsTheyAre) {
    const QByteArray product = R"({"p":{"childrenIds":[1],"children":{"1":{"kind":"song",
        "trackNumber":"07","discNumber":true,"name":["a",null,2],"releaseDate":{"y":2013}}}}})";
    const CommentsDictionary comments = songsOf(product).value(0);
    EXPECT_EQ(comments["TRACKNUMBER"], QVariant(QStringLiteral("07")));
    EXPECT_EQ(comments["DISCNUMBER"], QVariant(true));
    EXPECT_EQ(comments["TITLE"],
              QVariant(QVariantList{QStringLiteral("a"), QVariant(), qint64(2)}));
    EXPECT_EQ(comments["DATE"], QVariant(QVariantMap{{QStringLiteral("y"), qint64(2013)}}));
}

struct ComposerCase {
    const char* name;
    QByteArray members; // the song record's members besides "kind"
    std::optional<QVariant> composer;
};

void PrintTo(const ComposerCase& composerCase, std::ostream* out) {
    *out << composerCase.name;
}

class ComposerKeyPath : public testing::TestWithParam<ComposerCase> {};

TEST_P(ComposerKeyPath, storesTheValueOnlyWhenThePathLeadsToOne) {
    const QList<CommentsDictionary> songs =
        songsOfProductWith({R"({"kind":"song")" + GetParam().members + "}"});
    ASSERT_EQ(songs.size(), 1);
    ASSERT_EQ(songs[0].contains("COMPOSER"), GetParam().composer.has_value());
    if (GetParam().composer) {
        EXPECT_EQ(songs[0]["COMPOSER"], *GetParam().composer);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Composers, ComposerKeyPath,
    testing::Values(
        ComposerCase{"noComposer", "", std::nullopt},
        ComposerCase{"composerWithoutName", R"(,"composer":{"id":1})", std::nullopt},
        ComposerCase{"composerIsNull", R"(,"composer":null)", std::nullopt},
        ComposerCase{"composerIsText", R"(,"composer":"Bach")", std::nullopt},
        ComposerCase{"composerIsArray", R"(,"composer":[{"name":"Bach"}])", std::nullopt},
        ComposerCase{"nameIsNull", R"(,"composer":{"name":null})", QVariant()},
        ComposerCase{"nameIsNumber", R"(,"composer":{"name":5})", QVariant(qint64(5))},
        ComposerCase{"dottedMemberIsNotAPath", R"(,"composer.name":"Flat")", std::nullopt}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SongsFromServerData, anEmptySongRecordStillTakesItsPlace) {
    const QList<CommentsDictionary> songs =
        songsOfProductWith({song("A", 1), R"({"kind":"song"})", song("C", 3)});
    ASSERT_EQ(songs.size(), 3);
    EXPECT_TRUE(songs[1].isEmpty());
    EXPECT_EQ(titlesOf(songs), (QStringList{"A", "", "C"}));
}

TEST(SongsFromServerData, runsOfSeveralProductsFollowTheTextOrder) {
    // Member names out of alphabetical order, one written with an escape,
    // one repeated (the parser keeps the last), and decoys: a "results" key
    // inside a string and inside an earlier member's value.
    const QByteArray serverData = R"({"pageData":{
        "note":"\"results\":{\"a\":1}",
        "storePlatformData":{"other":{"results":{"x":1}},"product-dv":{"results":{
            "zeta":)" + productWithSongs({song("old", 0)}) +
                                  R"(,
            "mid":)" + productWithSongs({song("M1", 1), song("M2", 2)}) +
                                  R"(,
            "\u0061lpha":)" + productWithSongs({song("A1", 1)}) +
                                  R"(,
            "zeta":)" + productWithSongs({song("Z1", 1)}) +
                                  R"(,
            "beta":[1,2]}}}}})";
    EXPECT_EQ(titlesOf(iTunesMetadataFetcher::songsFromServerData(serverData)),
              (QStringList{"M1", "M2", "A1", "Z1"}));
}

class UnreadableServerData : public testing::TestWithParam<QByteArray> {};

TEST_P(UnreadableServerData, givesTheEmptyList) {
    EXPECT_TRUE(iTunesMetadataFetcher::songsFromServerData(GetParam()).isEmpty());
}

const QByteArray oneSong = "{\"p\":" + productWithSongs({song("Song", 1)}) + "}";

INSTANTIATE_TEST_SUITE_P(
    NotStrictJSON, UnreadableServerData,
    testing::Values(QByteArray(""), QByteArray("  "), serverDataWithResults(oneSong) + ";",
                    serverDataWithResults(oneSong) + "{}", QByteArray("12"), QByteArray("\"text\""),
                    serverDataWithResults(oneSong).chopped(1), QByteArray("{'pageData':{}}"),
                    serverDataWithResults(oneSong) + QByteArray("\0;", 2),
                    // Latin-1 in a string is not UTF-8.
                    serverDataWithResults("{\"p\":{\"name\":\"caf\xE9\"}}"),
                    // Nested deeper than the parser takes.
                    serverDataWithResults(R"({"p":)" + QByteArray(1100, '[') +
                                          QByteArray(1100, ']') + "}")));

INSTANTIATE_TEST_SUITE_P(
    WrongShape, UnreadableServerData,
    testing::Values(QByteArray("[" + serverDataWithResults(oneSong) + "]"),
                    QByteArray(R"({"pageData":[]})"),
                    QByteArray(R"({"pageData":{"storePlatformData":{"product-dv":"x"}}})"),
                    QByteArray(R"({"pageData":{"storePlatformData":{}}})"),
                    serverDataWithResults("[" + oneSong + "]"), serverDataWithResults("null"),
                    serverDataWithResults(R"({"p":7,"q":[],"r":null})"),
                    serverDataWithResults(R"({"p":{"childrenIds":{"0":"1"},"children":{"1":)" +
                                          song("S", 1) + "}}}"),
                    serverDataWithResults(R"({"p":{"childrenIds":["1"],"children":[)" +
                                          song("S", 1) + "]}}"),
                    serverDataWithResults(R"({"p":{"childrenIds":["1"]}})"),
                    serverDataWithResults(R"({"p":{"childrenIds":["1"],"children":{"1":"song"}}})"),
                    serverDataWithResults(R"({"p":{"children":{"1":)" + song("S", 1) + "}}}")));

TEST(SongsFromServerData, toleratesWhiteSpaceAroundTheDocument) {
    const QByteArray serverData = " \r\n\t" + serverDataWithResults(oneSong) + "\n ";
    EXPECT_EQ(titlesOf(iTunesMetadataFetcher::songsFromServerData(serverData)),
              QStringList{"Song"});
}

} // namespace
} // namespace decant
