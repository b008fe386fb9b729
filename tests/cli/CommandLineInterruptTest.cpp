// Ctrl-C or a termination request in the middle of a run.
#include "CliTestSupport.h"
#include "platform/WorkQueue.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QRegularExpression>
#include <gtest/gtest.h>

#include <csignal>

namespace decant {
namespace {

// Reads the process's output until `pattern` matches it or the time is up.
bool waitForOutput(QProcess& process, QString& out, const QRegularExpression& pattern,
                   int milliseconds) {
    const QDeadlineTimer deadline(milliseconds);
    while (!pattern.match(out).hasMatch()) {
        if (deadline.hasExpired() || process.state() != QProcess::Running) {
            return false;
        }
        process.waitForReadyRead(100);
        out += QString::fromUtf8(process.readAllStandardOutput());
    }
    return true;
}

class CommandLineInterrupt : public testing::TestWithParam<int> {};

TEST_P(CommandLineInterrupt, stopsAfterTheWorkUnderWayAndLeavesTheLibraryWhole) {
    test::CliScratch scratch;
    // More files than workers by far, so the queue is still long when the
    // signal arrives.
    const int count = std::max(48, 8 * WorkQueue::processorCount());
    test::FlacFixture fixture;
    fixture.samples = 3 * 44100;
    const QString first = scratch.writeFlac("000.flac", fixture);
    for (int index = 1; index < count; ++index) {
        ASSERT_TRUE(QFile::copy(
            first, scratch.musicPath(QStringLiteral("%1.flac").arg(index, 3, 10, QChar(u'0')))));
    }

    QProcess process;
    process.setProcessEnvironment(scratch.environment());
    process.start(QStringLiteral(DECANT_CLI), {scratch.musicPath()});
    ASSERT_TRUE(process.waitForStarted(30000));
    QString out;
    // A file under way is sure to be imported before the run stops.
    const QRegularExpression underWay(QStringLiteral("^Decod(ing|ed)  "),
                                      QRegularExpression::MultilineOption);
    ASSERT_TRUE(waitForOutput(process, out, underWay, 60000)) << out.toStdString();
    ASSERT_EQ(::kill(pid_t(process.processId()), GetParam()), 0);
    ASSERT_TRUE(process.waitForFinished(120000));
    out += QString::fromUtf8(process.readAllStandardOutput());
    const QString err = QString::fromUtf8(process.readAllStandardError());

    ASSERT_EQ(process.exitStatus(), QProcess::NormalExit) << err.toStdString();
    EXPECT_EQ(process.exitCode(), 128 + GetParam());
    EXPECT_TRUE(err.contains("Stopping")) << err.toStdString();

    const QStringList media = scratch.mediaFiles();
    EXPECT_TRUE(media.filter(QRegularExpression("^\\.")).isEmpty())
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

} // namespace
} // namespace decant
