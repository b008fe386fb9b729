// Ctrl-C or a termination request in the middle of a run.
#include "CliTestSupport.h"
#include "TestEnvironment.h"
#include "platform/WorkQueue.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QRegularExpression>
#include <gtest/gtest.h>

#include <csignal>

namespace decant {
namespace {

// A run of many short files, started and caught while a file is under way.
class LongRun : public testing::Test {
protected:
    // More files than workers by far, so the queue is still long when a
    // signal arrives.
    const int count = std::max(48, 8 * WorkQueue::processorCount());

    void startOnceAFileIsUnderWay() {
        test::FlacFixture fixture;
        fixture.samples = 3 * 44100;
        const QString first = scratch.writeFlac("000.flac", fixture);
        for (int index = 1; index < count; ++index) {
            ASSERT_TRUE(QFile::copy(first, scratch.musicPath(QStringLiteral("%1.flac").arg(
                                               index, 3, 10, QChar(u'0')))));
        }
        process.setProcessEnvironment(scratch.environment());
        process.start(QStringLiteral(DECANT_CLI), {scratch.musicPath()});
        ASSERT_TRUE(process.waitForStarted(30000));
        // A file that has begun decoding is sure to be finished.
        ASSERT_NO_FATAL_FAILURE(waitForOutput(QStringLiteral("^Decod(ing|ed)  ")));
    }

    // Reads the output until a line matches or the time is up.
    void waitForOutput(const QString& pattern) {
        const QRegularExpression line(pattern, QRegularExpression::MultilineOption);
        const QDeadlineTimer deadline(60000);
        while (!line.match(out + err).hasMatch()) {
            ASSERT_FALSE(deadline.hasExpired()) << out.toStdString();
            ASSERT_EQ(process.state(), QProcess::Running) << out.toStdString();
            process.waitForReadyRead(100);
            out += QString::fromUtf8(process.readAllStandardOutput());
            err += QString::fromUtf8(process.readAllStandardError());
        }
    }

    // Reads the output until the library has been opened to convert, or the
    // time is up: before that, a stop leaves no convert to stop.
    void waitUntilTheLibraryConverts() {
        const QString database = scratch.libraryPath() + QStringLiteral("/Library.sqlite");
        const QDeadlineTimer deadline(60000);
        while (!QFile::exists(database)) {
            ASSERT_FALSE(deadline.hasExpired()) << out.toStdString();
            ASSERT_EQ(process.state(), QProcess::Running) << out.toStdString();
            process.waitForReadyRead(20);
            out += QString::fromUtf8(process.readAllStandardOutput());
            err += QString::fromUtf8(process.readAllStandardError());
        }
    }

    void signal(int signalNumber) { ASSERT_TRUE(test::signalProcess(process, signalNumber)); }

    void waitUntilFinished() {
        ASSERT_TRUE(process.waitForFinished(120000));
        out += QString::fromUtf8(process.readAllStandardOutput());
        err += QString::fromUtf8(process.readAllStandardError());
        ASSERT_EQ(process.exitStatus(), QProcess::NormalExit) << err.toStdString();
    }

    test::CliScratch scratch;
    QProcess process;
    QString out;
    QString err;
};

class CommandLineInterrupt : public LongRun, public testing::WithParamInterface<int> {};

TEST_P(CommandLineInterrupt, stopsAfterTheWorkUnderWayAndLeavesTheLibraryWhole) {
    ASSERT_NO_FATAL_FAILURE(startOnceAFileIsUnderWay());
    ASSERT_NO_FATAL_FAILURE(signal(GetParam()));
    ASSERT_NO_FATAL_FAILURE(waitUntilFinished());

    EXPECT_EQ(process.exitCode(), 128 + GetParam());
    EXPECT_TRUE(err.contains("decant-cli: stopping once")) << err.toStdString();
    const QStringList media = scratch.mediaFiles();
    EXPECT_TRUE(media.filter(QRegularExpression("(^|/)\\.")).isEmpty())
        << media.join(", ").toStdString();
    const auto tracks = scratch.libraryTracks();
    EXPECT_GE(tracks.size(), 1);
    EXPECT_LT(tracks.size(), count);
    // Every file in the media folder is a whole, listed track.
    EXPECT_EQ(media.size(), tracks.size());
    EXPECT_EQ(scratch.decodedFiles(), QStringList());
    EXPECT_TRUE(out.contains(QStringLiteral("%1 imported, 0 failed, %2 not imported.")
                                 .arg(tracks.size())
                                 .arg(count - tracks.size())))
        << out.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Signals, CommandLineInterrupt, testing::Values(SIGINT, SIGTERM),
                         [](const testing::TestParamInfo<int>& info) {
                             return info.param == SIGINT ? "interrupt" : "terminate";
                         });

class CommandLineSecondInterrupt : public LongRun {};

// The second Ctrl-C stops the library's conversion too, and the process
// waits for it: the file the library was writing is dropped, and what is
// left needs no mending by the library's next open.
TEST_F(CommandLineSecondInterrupt, stopsTheLibraryAndLeavesItWhole) {
    ASSERT_NO_FATAL_FAILURE(startOnceAFileIsUnderWay());
    // Once the hand-off of every file is under way, the first signal leaves
    // it seconds of work to wait for.
    ASSERT_NO_FATAL_FAILURE(waitForOutput(QStringLiteral("^Encoding  ")));
    ASSERT_NO_FATAL_FAILURE(waitUntilTheLibraryConverts());
    ASSERT_NO_FATAL_FAILURE(signal(SIGINT));
    // Signals of one kind that are pending together arrive as one.
    ASSERT_NO_FATAL_FAILURE(waitForOutput(QStringLiteral("^decant-cli: stopping once")));
    ASSERT_NO_FATAL_FAILURE(signal(SIGINT));
    ASSERT_NO_FATAL_FAILURE(waitUntilFinished());

    EXPECT_EQ(process.exitCode(), 130);
    EXPECT_TRUE(err.contains("decant-cli: stopping now")) << err.toStdString();
    EXPECT_FALSE(out.contains("imported,")) << "no summary after a second Ctrl-C";
    const QStringList media = scratch.mediaFiles();
    EXPECT_TRUE(media.filter(QRegularExpression("(^|/)\\.")).isEmpty())
        << media.join(", ").toStdString();
    const auto library = scratch.openLibrary();
    ASSERT_NE(library, nullptr);
    const auto moves = library->unfinishedMoves();
    ASSERT_TRUE(moves);
    EXPECT_TRUE(moves->isEmpty());
    EXPECT_EQ(media.size(), library->trackCount().valueOr(-1));
    EXPECT_LT(library->trackCount().valueOr(-1), count);
    EXPECT_EQ(scratch.decodedFiles(), QStringList());
}

} // namespace
} // namespace decant
