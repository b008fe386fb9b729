#include "queue/CueSheet.h"

#include "FlacFixture.h"
#include "queue/CueSheetFinder.h"
#include "queue/CueSlices.h"

#include <QFile>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace decant {
namespace {

const QByteArray albumSheet = "REM GENRE Rock\n"
                              "REM DATE 1999\n"
                              "PERFORMER \"The Band\"\n"
                              "TITLE \"The Album\"\n"
                              "FILE \"album.wav\" WAVE\n"
                              "  TRACK 01 AUDIO\n"
                              "    TITLE \"One\"\n"
                              "    INDEX 01 00:00:00\n"
                              "  TRACK 02 AUDIO\n"
                              "    TITLE \"Two\"\n"
                              "    INDEX 00 03:00:00\n"
                              "    INDEX 01 03:02:00\n"
                              "  TRACK 03 AUDIO\n"
                              "    TITLE \"Three\"\n"
                              "    INDEX 01 05:00:00\n";

QByteArray replaced(QByteArray sheet, const QByteArray& from, const QByteArray& to) {
    return sheet.replace(from, to);
}

QByteArray manyTracks(int count) {
    QByteArray sheet = "FILE \"album.wav\" WAVE\n";
    for (int track = 1; track <= count; ++track) {
        sheet += "TRACK " + QByteArray::number(track) + " AUDIO\nINDEX 01 " +
                 QByteArray::number(track) + ":00:00\n";
    }
    return sheet;
}

// "日本語のタイトル" in Shift-JIS.
const QByteArray shiftJISTitle = "\x93\xfa\x96\x7b\x8c\xea\x82\xcc\x83\x5e\x83\x43\x83\x67\x83\x8b";

struct SheetCase {
    const char* name;
    QByteArray bytes;
    QString firstTitle = {}; // of the first slice when the sheet is used
    QString refusal = {};    // part of the reason when it is refused
    int slices = 3;
};

// Ten minutes at 44.1 kHz, named as the sheets name it (album.wav).
const CueStream tenMinutes{QStringLiteral("album.flac"), 44100, 44100ull * 600};

class CueSheetUseTest : public testing::TestWithParam<SheetCase> {};

TEST_P(CueSheetUseTest, usesOrRefusesTheSheet) {
    const SheetCase& sheetCase = GetParam();
    CueResult<CueSheet> sheet = parseCueSheet(sheetCase.bytes);
    CueResult<QList<CueSlice>> slices =
        sheet.value ? cutCueSheet(*sheet.value, tenMinutes) : CueResult<QList<CueSlice>>{};
    const QString reason = sheet.value ? slices.reason : sheet.reason;
    if (!sheetCase.refusal.isEmpty()) {
        EXPECT_FALSE(slices.value.has_value());
        EXPECT_TRUE(reason.contains(sheetCase.refusal)) << reason.toStdString();
        return;
    }
    ASSERT_TRUE(slices.value.has_value()) << reason.toStdString();
    ASSERT_EQ(slices.value->size(), sheetCase.slices);
    EXPECT_EQ(slices.value->first().track.title, sheetCase.firstTitle);
}

QByteArray utf16WithMark(const QByteArray& utf8) {
    QStringEncoder encoder(QStringConverter::Utf16LE, QStringConverter::Flag::WriteBom);
    return encoder.encode(QString::fromUtf8(utf8));
}

INSTANTIATE_TEST_SUITE_P(
    Sheets, CueSheetUseTest,
    testing::Values(
        SheetCase{"plain", albumSheet, "One"},
        SheetCase{"utf8MarkAndCRLF", "\xEF\xBB\xBF" + replaced(albumSheet, "\n", "\r\n"), "One"},
        SheetCase{"utf16Mark", utf16WithMark(replaced(albumSheet, "One", "Ünö")), "Ünö"},
        SheetCase{"carriageReturns", replaced(albumSheet, "\n", "\r"), "One"},
        SheetCase{"tabs", replaced(albumSheet, "    ", "\t\t"), "One"},
        SheetCase{"unquotedTitle", replaced(albumSheet, "\"One\"", "One \"Two\" Three"),
                  "One \"Two\" Three"},
        SheetCase{"lowerCaseKeywords",
                  replaced(replaced(replaced(albumSheet, "TRACK", "track"), "INDEX", "Index"),
                           "TITLE", "title"),
                  "One"},
        SheetCase{"backslashesAndQuotes", replaced(albumSheet, "\"One\"", "\"A\\\"B\\\"\\\""),
                  "A\"B\"\\"},
        SheetCase{"strayFileAndIndexLines", "FILE \"x.wav\" WAVE\nINDEX 01 00:00:00\n" + albumSheet,
                  "One"},
        SheetCase{"missingTitle", replaced(albumSheet, "TITLE \"One\"", ""), ""},
        SheetCase{"latin1Title", replaced(albumSheet, "One", "Caf\xe9 No\xebl"), "Café Noël"},
        SheetCase{"shiftJISTitle", replaced(albumSheet, "One", shiftJISTitle), "日本語のタイトル"},
        SheetCase{"ninetyNineTracks", manyTracks(9), "", {}, 9},
        SheetCase{"fileNamedExactly", replaced(albumSheet, "album.wav", "album.flac"), "One"},
        SheetCase{"onlyTheTracksOfThisFile",
                  replaced(albumSheet, "  TRACK 03", "FILE \"other.wav\" WAVE\n  TRACK 03"),
                  "One",
                  {},
                  2},
        SheetCase{"otherFileRefused",
                  replaced(albumSheet, "album.wav", "other.wav"),
                  {},
                  "do not name album.flac"},
        SheetCase{"indexOutOfOrder",
                  replaced(albumSheet, "05:00:00", "02:00:00"),
                  {},
                  "do not increase at track 3"},
        SheetCase{"pregapBeforeTrackStart",
                  replaced(albumSheet, "03:00:00", "03:04:00"),
                  {},
                  "do not increase at track 2"},
        SheetCase{
            "trackPastTheEnd", replaced(albumSheet, "05:00:00", "10:00:00"), {}, "past the end"},
        SheetCase{"noIndex", replaced(albumSheet, "INDEX 01 05:00:00", ""), {}, "no INDEX 01"},
        SheetCase{"noTracks", "TITLE \"Album\"\nFILE \"album.wav\" WAVE\n", {}, "no tracks"},
        SheetCase{"hundredTracks", manyTracks(100), {}, "more than 99"},
        SheetCase{"tenMegabytes", albumSheet + QByteArray(10 << 20, ' '), {}, "larger than 1 MB"},
        SheetCase{"binary", QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16), {}, "not text"},
        SheetCase{"notASheet", "TRACK one AUDIO\nINDEX x\n", {}, "not a CUE sheet"}),
    [](const auto& info) { return std::string(info.param.name); });

struct CutCase {
    const char* name;
    unsigned rate;
    QByteArray indexes; // INDEX lines of three tracks, separated by "|"
    std::vector<std::pair<uint64_t, uint64_t>> slices;
};

class CueCutTest : public testing::TestWithParam<CutCase> {};

TEST_P(CueCutTest, cutsAtIndexOne) {
    const CutCase& cut = GetParam();
    QByteArray sheet = "FILE \"album.wav\" WAVE\n";
    int number = 0;
    for (const QByteArray& indexes : cut.indexes.split('|')) {
        sheet += "TRACK " + QByteArray::number(++number) + " AUDIO\n" + indexes + "\n";
    }
    const CueResult<CueSheet> parsed = parseCueSheet(sheet);
    ASSERT_TRUE(parsed.value.has_value()) << parsed.reason.toStdString();
    const CueResult<QList<CueSlice>> slices =
        cutCueSheet(*parsed.value, {QStringLiteral("album.flac"), cut.rate, cut.rate * 600ull});
    ASSERT_TRUE(slices.value.has_value()) << slices.reason.toStdString();
    std::vector<std::pair<uint64_t, uint64_t>> bounds;
    for (const CueSlice& slice : *slices.value) {
        bounds.emplace_back(slice.firstSample, slice.endSample);
    }
    EXPECT_EQ(bounds, cut.slices);
}

INSTANTIATE_TEST_SUITE_P(
    Rates, CueCutTest,
    testing::Values(
        // The pregap of track 2 (13,500 to 13,650 frames) ends track 1.
        CutCase{"pregapStaysWithTheTrackBefore",
                44100,
                "INDEX 01 00:00:00|INDEX 00 03:00:00\nINDEX 01 03:02:00|INDEX 01 05:00:00",
                {{0, 13650 * 588}, {13650 * 588, 22500 * 588}, {22500 * 588, 44100 * 600}}},
        CutCase{"at48kHz",
                48000,
                "INDEX 01 00:00:00|INDEX 01 00:00:01|INDEX 01 09:59:74",
                {{0, 640}, {640, 44999 * 640}, {44999 * 640, 48000 * 600}}},
        CutCase{"hiddenTrackLeftOut",
                44100,
                "INDEX 01 00:10:00|INDEX 01 00:20:00|INDEX 01 01:00:00",
                {{750 * 588, 1500 * 588}, {1500 * 588, 4500 * 588}, {4500 * 588, 44100 * 600}}},
        // 32 kHz is 426 2/3 samples a frame: rounded down.
        CutCase{"roundsDownAtRatesNotMultiplesOf75",
                32000,
                "INDEX 01 00:00:00|INDEX 01 00:00:01|INDEX 01 00:00:02",
                {{0, 426}, {426, 853}, {853, 32000 * 600}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CueSliceCommentsTest, prefersTheSheetAndDropsWhatDescribesTheWholeImage) {
    CueResult<CueSheet> sheet = parseCueSheet("CATALOG 0123456789012\n" +
                                              replaced(albumSheet, "TITLE \"Two\"",
                                                       "TITLE \"Two\"\nPERFORMER \"Guest\"\n"
                                                       "SONGWRITER \"Writer\"\nISRC USABC9900002\n"
                                                       "REM DATE 2001"));
    ASSERT_TRUE(sheet.value.has_value()) << sheet.reason.toStdString();
    const auto slices = cutCueSheet(*sheet.value, tenMinutes);
    ASSERT_TRUE(slices.value.has_value());
    const CommentsDictionary file{{"TITLE", "Whole Image"}, {"TRACKNUMBER", "1"},
                                  {"ISRC", "XX0000000000"}, {"MUSICBRAINZ_TRACKID", "id"},
                                  {"CUESHEET", "..."},      {"ARTIST", "File Artist"},
                                  {"DATE", "1998"},         {"LABEL", "Label"},
                                  {"ALBUM", "File Album"}};
    const CommentsDictionary common{{"ALBUMARTIST", "The Band"}, {"ALBUM", "The Album"},
                                    {"GENRE", "Rock"},           {"LABEL", "Label"},
                                    {"TRACKTOTAL", "3"},         {"BARCODE", "0123456789012"}};
    CommentsDictionary first = common;
    first.insert(
        {{"TITLE", "One"}, {"ARTIST", "The Band"}, {"TRACKNUMBER", "1"}, {"DATE", "1999"}});
    CommentsDictionary second = common;
    second.insert({{"TITLE", "Two"},
                   {"ARTIST", "Guest"},
                   {"COMPOSER", "Writer"},
                   {"ISRC", "USABC9900002"},
                   {"TRACKNUMBER", "2"},
                   {"DATE", "2001"}});
    EXPECT_EQ(cueSliceComments(*sheet.value, slices.value->at(0), 3, file), first);
    EXPECT_EQ(cueSliceComments(*sheet.value, slices.value->at(1), 3, file), second);
}

struct FindCase {
    const char* name;
    QList<std::pair<QByteArray, QByteArray>> cueFiles; // name, contents
    QList<QByteArray> comments;
    QList<test::FlacCueTrack> blockTracks;
    std::optional<CueSheetOrigin> origin;
    QString firstTitle;
    QByteArray sheetName;
};

class CueSheetFinderTest : public testing::TestWithParam<FindCase> {
protected:
    QTemporaryDir folder;
};

TEST_P(CueSheetFinderTest, findsTheSheetOfAFile) {
    const FindCase& find = GetParam();
    const QByteArray folderPath = QFile::encodeName(folder.path());
    test::FlacFixture fixture = test::taggedFixture(find.comments);
    fixture.samples = 44100 * 2;
    fixture.cueTracks = find.blockTracks;
    ASSERT_TRUE(test::writeFlacFixture(folderPath + "/album.flac", fixture));
    for (const auto& [name, contents] : find.cueFiles) {
        QFile file(QFile::decodeName(folderPath + '/' + name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(contents) == contents.size());
    }
    const CueSheetSearch search = findCueSheet(folderPath + "/album.flac");
    ASSERT_EQ(search.found.has_value(), find.origin.has_value()) << search.reason.toStdString();
    if (!search.found) {
        EXPECT_EQ(search.reason.isEmpty(), find.firstTitle.isEmpty())
            << search.reason.toStdString();
        return;
    }
    EXPECT_EQ(search.found->origin, *find.origin);
    EXPECT_EQ(search.found->sheet.tracks.first().title, find.firstTitle);
    EXPECT_EQ(search.found->sheetPath,
              find.sheetName.isEmpty() ? QByteArray() : folderPath + '/' + find.sheetName);
}

const QByteArray otherSheet = replaced(albumSheet, "album.wav", "other.wav");
const QByteArray secondSheet = replaced(albumSheet, "One", "Uno");

INSTANTIATE_TEST_SUITE_P(
    Places, CueSheetFinderTest,
    testing::Values(FindCase{"besideByBaseName",
                             {{"z.cue", albumSheet}, {"a.cue", otherSheet}},
                             {},
                             {},
                             CueSheetOrigin::BesideFile,
                             "One",
                             "z.cue"},
                    FindCase{"besideByName",
                             {{"x.CUE", replaced(albumSheet, "album.wav", "C:\\rips\\album.flac")}},
                             {},
                             {},
                             CueSheetOrigin::BesideFile,
                             "One",
                             "x.CUE"},
                    FindCase{"firstByNameOfSeveral",
                             {{"b.cue", albumSheet}, {"a.cue", secondSheet}},
                             {},
                             {},
                             CueSheetOrigin::BesideFile,
                             "Uno",
                             "a.cue"},
                    FindCase{"comment",
                             {{"a.cue", otherSheet}},
                             {"CUESHEET=" + secondSheet},
                             {},
                             CueSheetOrigin::CommentInFile,
                             "Uno",
                             {}},
                    FindCase{"block",
                             {},
                             {},
                             {{1, 0, "USABC9900001"}, {2, 588 * 75}},
                             CueSheetOrigin::BlockInFile,
                             "",
                             {}},
                    FindCase{"none", {{"a.cue", otherSheet}}, {}, {}, std::nullopt, {}, {}},
                    FindCase{"unreadableSheetNamedAfterTheFile",
                             {{"album.cue", "TITLE x\n"}},
                             {},
                             {},
                             std::nullopt,
                             "refused",
                             {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CueSheetFinderTest, blockGivesSampleOffsetsAndISRCs) {
    QTemporaryDir folder;
    const QByteArray path = QFile::encodeName(folder.filePath(QStringLiteral("image.flac")));
    test::FlacFixture fixture;
    fixture.samples = 44100 * 2;
    fixture.cueTracks = {{1, 0, "USABC9900001"}, {2, 50000}};
    ASSERT_TRUE(test::writeFlacFixture(path, fixture));
    const CueSheetSearch search = findCueSheet(path);
    ASSERT_TRUE(search.found.has_value());
    const auto slices = cutCueSheet(search.found->sheet, {std::nullopt, 44100, fixture.samples});
    ASSERT_TRUE(slices.value.has_value()) << slices.reason.toStdString();
    ASSERT_EQ(slices.value->size(), 2);
    EXPECT_EQ(slices.value->at(0).track.isrc, "USABC9900001");
    EXPECT_EQ(slices.value->at(0).endSample, 50000u);
    EXPECT_EQ(slices.value->at(1).endSample, fixture.samples);
}

TEST(CueSheetFinderTest, findsTheFlacFilesASheetCovers) {
    QTemporaryDir folder;
    const QByteArray folderPath = QFile::encodeName(folder.path());
    for (const char* name : {"a.flac", "b.flac", "c.flac"}) {
        ASSERT_TRUE(test::writeFlacFixture(folderPath + '/' + name, test::FlacFixture()));
    }
    QFile sheet(folder.filePath(QStringLiteral("disc.cue")));
    ASSERT_TRUE(sheet.open(QIODevice::WriteOnly));
    sheet.write("FILE \"b.wav\" WAVE\nTRACK 01 AUDIO\nINDEX 01 00:00:00\n"
                "FILE \"a.flac\" WAVE\nTRACK 02 AUDIO\nINDEX 01 00:00:00\n"
                "FILE \"missing.wav\" WAVE\nTRACK 03 AUDIO\nINDEX 01 00:00:00\n");
    sheet.close();
    const auto files = flacFilesOfCueSheet(folderPath + "/disc.cue");
    ASSERT_TRUE(files.value.has_value()) << files.reason.toStdString();
    EXPECT_EQ(*files.value, (QList<QByteArray>{folderPath + "/b.flac", folderPath + "/a.flac"}));
}

} // namespace
} // namespace decant
