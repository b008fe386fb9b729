#include "LibraryTestSupport.h"
#include "TestImages.h"
#include "ToolRun.h"
#include "library/Track.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QStandardPaths>
#include <gtest/gtest.h>

namespace decant::library {
namespace {

using test::runTool;
using test::ScratchLibrary;
using test::ToolRun;

struct BadArguments {
    QStringList arguments;
    const char* message;
};

class LibraryToolRefuses : public testing::TestWithParam<BadArguments> {
protected:
    ScratchLibrary scratch;
};

TEST_P(LibraryToolRefuses, badArgumentsWithAReasonAndStatusTwo) {
    { ASSERT_TRUE(scratch.open()); }

    const ToolRun run = runTool(GetParam().arguments);

    EXPECT_EQ(run.status, 2);
    EXPECT_TRUE(run.err.contains(QLatin1String(GetParam().message))) << run.err.toStdString();
    EXPECT_TRUE(run.out.isEmpty());
    EXPECT_EQ(scratch.open()->importSettings().valueOr({}),
              (ImportSettings{ImportFormat::Aac, 256}));
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, LibraryToolRefuses,
    testing::Values(BadArguments{{}, "no command"}, BadArguments{{"play"}, "unknown command"},
                    BadArguments{{"list", "info"}, "one command"},
                    BadArguments{{"--frobnicate", "info"}, "frobnicate"},
                    BadArguments{{"settings", "--encoder", "ogg"}, "unknown encoder"},
                    BadArguments{{"settings", "--encoder", "flac", "--bitrate", "256"}, "lossless"},
                    BadArguments{{"settings", "--bitrate", "fast"}, "whole number"},
                    BadArguments{{"settings", "--bitrate", "1000"}, "from 16 to 320"},
                    BadArguments{{"list", "--encoder", "mp3"}, "settings command"},
                    BadArguments{{"list", "--repair"}, "check command"},
                    BadArguments{{"remove"}, "needs the IDs"},
                    BadArguments{{"remove", "1", "one"}, "\"one\" is not a track ID"},
                    BadArguments{{"organise", "now"}, "one command"},
                    BadArguments{{"info", "--artist", "Ann"}, "go with the list command"}));

class LibraryTool : public testing::Test {
protected:
    ScratchLibrary scratch;
};

TEST_F(LibraryTool, changesAndShowsTheSettings) {
    { ASSERT_TRUE(scratch.open()); }

    const ToolRun change = runTool({"settings", "--encoder", "mp3", "--bitrate", "192"});
    const ToolRun show = runTool({"--library", scratch.libraryPath(), "settings"});

    EXPECT_EQ(change.status, 0) << change.err.toStdString();
    EXPECT_EQ(show.status, 0) << show.err.toStdString();
    EXPECT_EQ(show.out, change.out);
    EXPECT_TRUE(show.out.contains("mp3")) << show.out.toStdString();
    EXPECT_TRUE(show.out.contains("192 kbit/s")) << show.out.toStdString();
    EXPECT_EQ(scratch.open()->importSettings().valueOr({}),
              (ImportSettings{ImportFormat::Mp3, 192}));
}

TEST_F(LibraryTool, listsTracksWithTheirProperties) {
    {
        LibraryOptions options;
        options.tagQuietPeriod = std::chrono::hours(1);
        const auto library = scratch.open(options);
        ASSERT_TRUE(library);
        const auto tracks =
            library->convert({scratch.writeWav("first.wav"), scratch.writeWav("second.wav")});
        ASSERT_EQ(tracks.size(), 2);
        EXPECT_TRUE(tracks[0]->setProperty("artist", QStringLiteral("Ann")));
        EXPECT_TRUE(tracks[0]->setProperty("album", QStringLiteral("Songs")));
        EXPECT_TRUE(tracks[0]->setProperty("trackNumber", qint64(3)));
        EXPECT_TRUE(tracks[0]->setProperty("trackCount", qint64(9)));
        EXPECT_TRUE(tracks[0]->setProperty("discNumber", qint64(1)));
        EXPECT_TRUE(tracks[0]->setProperty("year", qint64(1987)));
    }

    const ToolRun list = runTool({"list"});
    const ToolRun info = runTool({"info"});

    ASSERT_EQ(list.status, 0) << list.err.toStdString();
    const QStringList lines = list.out.split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 3) << list.out.toStdString();
    EXPECT_EQ(lines[0].simplified(),
              "ID Name Artist Album Track Disc Year Kind Gain Album gain Verified Artwork File");
    // Only the first is of an album, alone in it.
    const QString gain = R"([+-]\d+\.\d\d dB)";
    EXPECT_TRUE(QRegularExpression("^1 first Ann Songs 3/9 1 1987 AAC audio file " + gain + ' ' +
                                   gain + " length exact Media/Ann/Songs/03 first.m4a$")
                    .match(lines[1].simplified())
                    .hasMatch())
        << lines[1].toStdString();
    EXPECT_TRUE(QRegularExpression("^2 second AAC audio file " + gain +
                                   " length exact Media/Unknown Artist/Unknown Album/second.m4a$")
                    .match(lines[2].simplified())
                    .hasMatch())
        << lines[2].toStdString();
    EXPECT_EQ(info.status, 0);
    EXPECT_TRUE(info.out.contains("Tracks:   2")) << info.out.toStdString();
    EXPECT_TRUE(info.out.contains(scratch.libraryPath())) << info.out.toStdString();
}

struct Filter {
    QStringList arguments;
    QList<int> ids; // of the tracks listed
};

TEST_F(LibraryTool, listsOnlyTheTracksThatMatchAndSaysWhyArtworkWasSkipped) {
    {
        const auto library = scratch.open();
        ASSERT_TRUE(library);
        const auto tracks = library->convert(
            {scratch.writeWav("1.wav"), scratch.writeWav("2.wav"), scratch.writeWav("3.wav")});
        ASSERT_EQ(tracks.size(), 3);
        const QList<QStringList> tags{{"Blue Song", "Ann", "", "Colours"},
                                      {"Red", "Bob", "Ann & Friends", "Colours"},
                                      {"Green", "Cat", "", "Nature"}};
        for (qsizetype index = 0; index < tracks.size(); ++index) {
            EXPECT_TRUE(tracks[index]->setProperty("name", tags[index][0]));
            EXPECT_TRUE(tracks[index]->setProperty("artist", tags[index][1]));
            EXPECT_TRUE(tracks[index]->setProperty("albumArtist", tags[index][2]));
            EXPECT_TRUE(tracks[index]->setProperty("album", tags[index][3]));
        }
        EXPECT_TRUE(tracks[0]->setArtwork(test::jpegImage()));
        EXPECT_TRUE(tracks[2]->setArtwork("GIF89a"));
    }
    const QList<Filter> filters{{{}, {1, 2, 3}},
                                {{"--artist", "ann"}, {1, 2}},
                                {{"--album", "COLOUR"}, {1, 2}},
                                {{"--search", "nATure"}, {3}},
                                {{"--search", "song", "--artist", "Ann"}, {1}},
                                {{"--artist", "ann", "--album", "nature"}, {}}};

    for (const Filter& filter : filters) {
        SCOPED_TRACE(filter.arguments.join(' ').toStdString());
        const ToolRun list = runTool(QStringList{"list"} + filter.arguments);
        ASSERT_EQ(list.status, 0) << list.err.toStdString();
        QList<int> listed;
        for (const QString& line : list.out.split('\n').mid(1)) {
            if (!line.isEmpty() && line.front().isDigit()) {
                listed.append(line.section(' ', 0, 0).toInt());
            }
        }
        EXPECT_EQ(listed, filter.ids) << list.out.toStdString();
        EXPECT_EQ(list.out.contains("No track matches."), filter.ids.isEmpty());
    }
    const ToolRun all = runTool({"list"});
    const QStringList lines = all.out.split('\n');
    EXPECT_TRUE(lines.value(1).contains(" yes ")) << all.out.toStdString();
    EXPECT_TRUE(lines.value(3).contains(" skipped ")) << all.out.toStdString();
    EXPECT_TRUE(all.out.contains("Track 3: an image was skipped: the image is neither JPEG nor "
                                 "PNG (it begins \"GIF89a\")."))
        << all.out.toStdString();
}

// Removed tracks' files go to the trash, with the folders they leave
// empty; organise puts a file left elsewhere where its tags say.
TEST_F(LibraryTool, removesToTheTrashAndOrganises) {
    {
        const auto library = scratch.open();
        ASSERT_TRUE(library);
        const auto tracks =
            library->convert({scratch.writeWav("one.wav"), scratch.writeWav("two.wav")});
        ASSERT_EQ(tracks.size(), 2);
        for (const auto& track : tracks) {
            EXPECT_TRUE(track->setProperty("artist", QStringLiteral("Ann")));
            EXPECT_TRUE(track->setProperty("album", "Album " + track->name()));
        }
    }
    const QString media = scratch.libraryPath() + "/Media/";
    ASSERT_TRUE(QFile::rename(media + "Ann/Album two/two.m4a", media + "two.m4a"));
    ASSERT_TRUE(test::executeSql(scratch.libraryPath() + "/Library.sqlite",
                                 "UPDATE tracks SET file = 'Media/two.m4a' WHERE id = 2"));

    const ToolRun organise = runTool({"organise"});
    const ToolRun again = runTool({"organise"});
    const ToolRun remove = runTool({"remove", "1", "9"});

    EXPECT_EQ(organise.status, 0) << organise.err.toStdString();
    EXPECT_EQ(organise.out, "Moved Media/two.m4a to Media/Ann/Album two/two.m4a.\n"
                            "1 file moved, 0 left.\n");
    EXPECT_EQ(again.out, "Every file is where its tags say.\n");
    EXPECT_EQ(remove.status, 1);
    EXPECT_EQ(remove.out, "Removed track 1 \"one\"; its file Media/Ann/Album one/one.m4a is in "
                          "the trash.\n");
    EXPECT_TRUE(remove.err.contains("cannot remove track 9: there is no track 9"))
        << remove.err.toStdString();
    EXPECT_EQ(scratch.mediaFiles(), QStringList{"Ann/Album two/two.m4a"});
    EXPECT_EQ(scratch.mediaFolders(), QStringList({"Ann", "Ann/Album two"}));
    const QString trash = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    EXPECT_TRUE(QFile::exists(trash + "/Trash/files/one.m4a"));
    EXPECT_EQ(scratch.open()->trackCount().valueOr(-1), 1);
}

TEST_F(LibraryTool, failsWithStatusOneOnAMissingOrUnreadableLibrary) {
    const ToolRun missing = runTool({"info"});
    QDir().mkpath(scratch.libraryPath());
    QFile garbage(scratch.libraryPath() + "/Library.sqlite");
    ASSERT_TRUE(garbage.open(QIODevice::WriteOnly));
    garbage.write(QByteArray(2048, '\x01'));
    garbage.close();
    const ToolRun unreadable = runTool({"list"});

    EXPECT_EQ(missing.status, 1);
    EXPECT_TRUE(missing.err.contains("no library")) << missing.err.toStdString();
    EXPECT_EQ(unreadable.status, 1);
    EXPECT_TRUE(unreadable.err.contains("not a database")) << unreadable.err.toStdString();
}

struct Language {
    const char* name;
    const char* firstLabel; // of info
};

class LibraryToolLanguage : public testing::TestWithParam<Language> {
protected:
    ScratchLibrary scratch;
};

// Labels differ in width from language to language; what follows them must
// still start in one column.
TEST_P(LibraryToolLanguage, linesUpTheInfoWhateverTheLabels) {
    { ASSERT_TRUE(scratch.open()); }
    const QByteArray language = qgetenv("LANGUAGE");
    qputenv("LANGUAGE", GetParam().name);
    const ToolRun info = runTool({"info"});
    language.isNull() ? qunsetenv("LANGUAGE") : qputenv("LANGUAGE", language);

    ASSERT_EQ(info.status, 0) << info.err.toStdString();
    const QStringList lines = info.out.split('\n');
    ASSERT_GE(lines.size(), 6) << info.out.toStdString();
    EXPECT_TRUE(lines[0].startsWith(QString::fromUtf8(GetParam().firstLabel)))
        << info.out.toStdString();
    const qsizetype column = lines[0].indexOf(scratch.libraryPath());
    EXPECT_GT(column, 0) << info.out.toStdString();
    for (const int line : {1, 2, 5}) {
        EXPECT_EQ(lines[line].indexOf(scratch.libraryPath()), column) << info.out.toStdString();
    }
    EXPECT_EQ(lines[4].indexOf('0'), column) << info.out.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Languages, LibraryToolLanguage,
                         testing::Values(Language{"en", "Location: "}, Language{"de", "Ort: "},
                                         Language{"fr", "Emplacement : "}),
                         [](const testing::TestParamInfo<Language>& info) {
                             return std::string(info.param.name);
                         });

} // namespace
} // namespace decant::library
