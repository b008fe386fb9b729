#include "platform/SingleInstance.h"

#include "TestEnvironment.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <csignal>

namespace decant {
namespace {

// Two real processes: a probe that is the instance, and probes that launch
// after it (see SingleInstanceProbe.cpp).
class SingleInstanceTest : public testing::Test {
protected:
    ~SingleInstanceTest() override {
        test::signalProcess(listener, SIGCONT);
        listener.kill();
        listener.waitForFinished(10000);
    }

    struct Launch {
        int exitCode;
        QByteArray errors;
    };

    Launch forward(const QList<QByteArray>& paths) {
        QStringList arguments{"forward", folder.path()};
        for (const QByteArray& path : paths) {
            arguments.append(QString::fromLatin1(path.toHex()));
        }
        QProcess launch;
        launch.start(QStringLiteral(SINGLE_INSTANCE_PROBE), arguments);
        EXPECT_TRUE(launch.waitForFinished(20000));
        return {launch.exitCode(), launch.readAllStandardError()};
    }

    bool startListener(const QString& mode = {}) {
        listener.start(QStringLiteral(SINGLE_INSTANCE_PROBE),
                       QStringList{"listen", folder.path()} +
                           (mode.isEmpty() ? QStringList{} : QStringList{mode}));
        return listener.waitForStarted(10000) && readUntil("listening\n");
    }

    // Reads the listener's output until it holds `text`, within the time.
    bool readUntil(const QByteArray& text, int milliseconds = 10000) {
        return test::processEventsUntil(
                   [&] {
                       listener.waitForReadyRead(10);
                       output += listener.readAllStandardOutput();
                       return output.contains(text) || listener.state() == QProcess::NotRunning;
                   },
                   milliseconds) &&
               output.contains(text);
    }

    static QByteArray received(const QList<QByteArray>& paths) {
        QByteArrayList hex;
        for (const QByteArray& path : paths) {
            hex.append(path.toHex());
        }
        return "received:" + hex.join(',') + "\n";
    }

    QTemporaryDir folder;
    QProcess listener;
    QByteArray output;
};

TEST_F(SingleInstanceTest, handsPathsOverAsBytesWhileTheInstanceIsBusy) {
    // Its main thread is held up for three seconds, longer than a launch
    // waits: the answer must not wait for it.
    ASSERT_TRUE(startListener("busy"));
    const QList<QByteArray> paths{"/music/caf\xE9.flac", "/music/a,b\n|c.flac",
                                  "/music/Ärger.flac"};
    EXPECT_EQ(forward(paths).exitCode, 0);
    EXPECT_EQ(forward({}).exitCode, 0);
    ASSERT_TRUE(readUntil(received({})));
    EXPECT_TRUE(output.contains(received(paths))) << output.toStdString();
}

TEST_F(SingleInstanceTest, aStoppedInstanceIsReportedAndNoSecondCopyRuns) {
    ASSERT_TRUE(startListener());
    ASSERT_TRUE(test::signalProcess(listener, SIGSTOP));
    const Launch launch = forward({"/music/a.flac"});
    EXPECT_EQ(launch.exitCode, 1);
    EXPECT_TRUE(launch.errors.contains(SingleInstance::notRespondingMessage))
        << launch.errors.toStdString();
    // Once it runs again, it answers as before, and the files of the launch
    // that gave up never arrive behind the user's back.
    ASSERT_TRUE(test::signalProcess(listener, SIGCONT));
    EXPECT_EQ(forward({"/music/b.flac"}).exitCode, 0);
    ASSERT_TRUE(readUntil(received({"/music/b.flac"})));
    EXPECT_FALSE(output.contains(received({"/music/a.flac"}))) << output.toStdString();
}

TEST_F(SingleInstanceTest, aLaunchTakesOverFromAnInstanceThatDiedOrQuits) {
    ASSERT_TRUE(startListener());
    // Killed outright, it leaves its socket file behind.
    listener.kill();
    ASSERT_TRUE(listener.waitForFinished(10000));
    ASSERT_TRUE(QFile::exists(folder.filePath("decant.socket")));
    output.clear();
    ASSERT_TRUE(startListener("quitting"));
    // Told it is quitting, the launch waits for it to go and runs instead.
    EXPECT_EQ(forward({"/music/a.flac"}).exitCode, 3);
    EXPECT_FALSE(output.contains("received:"));
}

} // namespace
} // namespace decant
