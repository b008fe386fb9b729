#include "LibraryTestSupport.h"

#include <QFile>
#include <QProcess>
#include <gtest/gtest.h>

namespace decant::library {
namespace {

using test::ScratchLibrary;

struct ToolRun {
    int status = -1;
    QString out;
    QString err;
};

// The tool as a user runs it; DECANT_LIBRARY names the scratch library.
ToolRun runTool(const QStringList& arguments) {
    QProcess process;
    process.start(QStringLiteral(DECANT_LIBRARY_TOOL), arguments);
    ToolRun run;
    if (process.waitForFinished(30000) && process.exitStatus() == QProcess::NormalExit) {
        run.status = process.exitCode();
    }
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

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
    EXPECT_EQ(scratch.open()->importSettings(), (ImportSettings{Encoder::Aac, 256}));
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
                    BadArguments{{"list", "--encoder", "mp3"}, "settings command"}));

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
    EXPECT_EQ(scratch.open()->importSettings(), (ImportSettings{Encoder::Mp3, 192}));
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
        tracks[0]->setProperty("artist", QStringLiteral("Ann"));
        tracks[0]->setProperty("album", QStringLiteral("Songs"));
        tracks[0]->setProperty("trackNumber", qint64(3));
        tracks[0]->setProperty("trackCount", qint64(9));
        tracks[0]->setProperty("discNumber", qint64(1));
        tracks[0]->setProperty("year", qint64(1987));
    }

    const ToolRun list = runTool({"list"});
    const ToolRun info = runTool({"info"});

    ASSERT_EQ(list.status, 0) << list.err.toStdString();
    const QStringList lines = list.out.split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 3) << list.out.toStdString();
    EXPECT_EQ(lines[0].simplified(), "ID Name Artist Album Track Disc Year Kind File");
    EXPECT_EQ(lines[1].simplified(), "1 first Ann Songs 3/9 1 1987 AAC audio file Media/first.m4a");
    EXPECT_EQ(lines[2].simplified(), "2 second AAC audio file Media/second.m4a");
    EXPECT_EQ(info.status, 0);
    EXPECT_TRUE(info.out.contains("Tracks:   2")) << info.out.toStdString();
    EXPECT_TRUE(info.out.contains(scratch.libraryPath())) << info.out.toStdString();
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

} // namespace
} // namespace decant::library
