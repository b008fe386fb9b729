#include "FlacFixture.h"
#include "TestEnvironment.h"
#include "platform/RunFolder.h"
#include "platform/SingleInstance.h"
#include "platform/TemporaryDirectory.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <csignal>

namespace decant {
namespace {

// The real window application (offscreen, in the test's scratch home),
// launched as a user would launch it.
class ApplicationProcess : public testing::Test {
protected:
    ~ApplicationProcess() override {
        test::signalProcess(first, SIGCONT);
        first.kill();
        first.waitForFinished(10000);
    }

    struct Launch {
        int exitCode;
        QByteArray errors;
    };

    static Launch launch(const QStringList& arguments) {
        QProcess later;
        later.start(QStringLiteral(DECANT_APPLICATION), arguments);
        EXPECT_TRUE(later.waitForFinished(20000));
        return {later.exitCode(), later.readAllStandardError()};
    }

    QTemporaryDir folder;
    QProcess first;
};

// It also removes, as it starts, the decoded audio a killed run left, and
// not that of a live one (this test process's own run folder).
TEST_F(ApplicationProcess, runsOnceAndQuitsPromptlyWhenTheSessionEnds) {
    const QString song = folder.filePath(QStringLiteral("song.flac"));
    ASSERT_TRUE(test::writeFlacFixture(song, test::taggedFixture({"TITLE=Song"})));
    const QString killedRun = temporaryDirectory() + QStringLiteral("/run-killed");
    ASSERT_TRUE(QDir().mkpath(killedRun));
    QFile left(killedRun + QStringLiteral("/0123456789abcdef0123456789abcdef.wav"));
    ASSERT_TRUE(left.open(QIODevice::WriteOnly));
    left.write(QByteArray(1000, 'x'));
    left.close();
    QFile live(runDirectory() + QStringLiteral("/live.wav"));
    ASSERT_TRUE(live.open(QIODevice::WriteOnly));
    live.close();

    first.start(QStringLiteral(DECANT_APPLICATION), {});
    ASSERT_TRUE(first.waitForStarted(10000));
    // Launched at once, the later one could be the first to take the lock.
    const QString socket = qEnvironmentVariable("XDG_RUNTIME_DIR") + "/decant.socket";
    ASSERT_TRUE(test::processEventsUntil([&] { return QFile::exists(socket); }));
    // Removed once the window is made, which comes after the socket.
    EXPECT_TRUE(test::processEventsUntil([&] { return !QFileInfo::exists(killedRun); }));
    EXPECT_TRUE(live.exists());
    live.remove();
    EXPECT_EQ(launch({song}).exitCode, 0);

    ASSERT_TRUE(test::signalProcess(first, SIGSTOP));
    const Launch stopped = launch({});
    EXPECT_EQ(stopped.exitCode, 1);
    EXPECT_TRUE(stopped.errors.contains(SingleInstance::notRespondingMessage))
        << stopped.errors.toStdString();
    ASSERT_TRUE(test::signalProcess(first, SIGCONT));
    EXPECT_EQ(launch({}).exitCode, 0);

    ASSERT_TRUE(test::signalProcess(first, SIGTERM));
    ASSERT_TRUE(first.waitForFinished(5000));
    EXPECT_EQ(first.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(first.exitCode(), 0);
}

} // namespace
} // namespace decant
