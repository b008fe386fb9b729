#include "DecodeTestSupport.h"
#include "FlacFixture.h"

#include <QCoreApplication>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace decant {
namespace {

// flac2wav as the benchmarks and the command line use it: from the outside.
class Flac2WavToolTest : public testing::Test {
protected:
    struct Run {
        int exitCode = -1;
        QByteArray standardError;
    };

    Run run(const QStringList& arguments) {
        QProcess process;
        process.start(QCoreApplication::applicationDirPath() + QStringLiteral("/flac2wav"),
                      arguments);
        EXPECT_TRUE(process.waitForFinished(30000));
        return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
                process.readAllStandardError()};
    }

    QString path(const char* name) const { return folder.filePath(QString::fromUtf8(name)); }

    QTemporaryDir folder;
};

TEST_F(Flac2WavToolTest, exitsWithZeroAfterADecode) {
    ASSERT_TRUE(test::writeFlacFixture(path("song.flac"), {}));
    const Run result = run({path("song.flac"), path("song.wav")});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_TRUE(result.standardError.isEmpty());
    EXPECT_EQ(test::fileContents(path("song.wav")).size(), 44 + 4410 * 4);
}

TEST_F(Flac2WavToolTest, saysWhyADecodeFailed) {
    ASSERT_TRUE(test::writeFile(path("text.flac"), "not audio\n"));
    const Run result = run({path("text.flac"), path("text.wav")});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_TRUE(result.standardError.contains("source is not a FLAC file"))
        << result.standardError.toStdString();
}

TEST_F(Flac2WavToolTest, showsItsUsageForWrongArguments) {
    for (const QStringList& arguments :
         {QStringList{}, QStringList{"one.flac"}, QStringList{"one.flac", "two.wav", "three"}}) {
        const Run result = run(arguments);
        EXPECT_EQ(result.exitCode, 2);
        EXPECT_TRUE(result.standardError.startsWith("usage: flac2wav SOURCE DEST"));
    }
}

} // namespace
} // namespace decant
