#include "TestEnvironment.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace decant {
namespace {

class SingleInstanceTest : public testing::Test {
protected:
    int forward(const QStringList& paths) {
        QProcess launch;
        launch.start(QStringLiteral(SINGLE_INSTANCE_PROBE), QStringList{"forward", socket} + paths);
        EXPECT_TRUE(launch.waitForFinished(10000));
        return launch.exitCode();
    }

    bool startListener() {
        listener.start(QStringLiteral(SINGLE_INSTANCE_PROBE), {"listen", socket});
        return listener.waitForStarted(10000) && test::processEventsUntil([&] {
                   listener.waitForReadyRead(10);
                   output += listener.readAllStandardOutput();
                   return output.contains("listening") || listener.state() == QProcess::NotRunning;
               }) &&
               output.contains("listening");
    }

    QTemporaryDir folder;
    const QString socket = folder.filePath(QStringLiteral("decant.socket"));
    QProcess listener;
    QByteArray output;
};

TEST_F(SingleInstanceTest, aLaterLaunchHandsItsPathsToTheRunningInstance) {
    ASSERT_TRUE(startListener());
    EXPECT_EQ(forward({"/music/a.flac", "/music/Ärger b.flac"}), 0);
    ASSERT_TRUE(listener.waitForFinished(10000));
    output += listener.readAllStandardOutput();
    EXPECT_TRUE(output.contains("received:/music/a.flac|/music/Ärger b.flac"))
        << output.toStdString();
}

TEST_F(SingleInstanceTest, aLaterLaunchWithoutPathsAsksToBeShown) {
    ASSERT_TRUE(startListener());
    EXPECT_EQ(forward({}), 0);
    ASSERT_TRUE(listener.waitForFinished(10000));
    output += listener.readAllStandardOutput();
    EXPECT_TRUE(output.contains("received:\n")) << output.toStdString();
}

TEST_F(SingleInstanceTest, theFirstLaunchFindsNobodyAndReplacesAStaleSocket) {
    EXPECT_EQ(forward({"/music/a.flac"}), 1);
    // A crashed instance leaves its socket file behind.
    QFile stale(socket);
    ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
    stale.close();
    ASSERT_TRUE(startListener());
    listener.kill();
    listener.waitForFinished(10000);
}

} // namespace
} // namespace decant
