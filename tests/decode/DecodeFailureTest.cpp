#include "DecodeTestSupport.h"
#include "FlacFixture.h"
#include "decode/FLACToWAVDecoder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

namespace decant {
namespace {

using test::FlacFixture;

class DecodeFailureTest : public testing::Test {
protected:
    QString path(const char* name) const { return folder.filePath(QString::fromUtf8(name)); }

    QString flacSource() {
        const QString source = path("source.flac");
        EXPECT_TRUE(test::writeFlacFixture(source, FlacFixture{}));
        return source;
    }

    QString fileWith(const char* name, const QByteArray& bytes) {
        EXPECT_TRUE(test::writeFile(path(name), bytes));
        return path(name);
    }

    static bool exists(const QString& file) {
        struct stat info {};
        return lstat(file.toUtf8().constData(), &info) == 0;
    }

    QTemporaryDir folder;
};

// The destination exists after each of these, empty: the caller sees a file
// it can remove, and nothing that looks like audio.
struct UnusableSource {
    const char* name;
    QByteArray bytes;
    DecodeOutcome outcome;
};

class UnusableSourceTest : public DecodeFailureTest,
                           public testing::WithParamInterface<UnusableSource> {};

TEST_P(UnusableSourceTest, failsWithAnEmptyWAVFile) {
    const QString source = fileWith("source.flac", GetParam().bytes);
    EXPECT_EQ(decodeFLACToWAVWithOutcome(source, path("out.wav")), GetParam().outcome);
    ASSERT_TRUE(exists(path("out.wav")));
    EXPECT_EQ(QFile(path("out.wav")).size(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Sources, UnusableSourceTest,
    testing::Values(UnusableSource{"text", "ARTIST=Not really FLAC\nTITLE=Song\n",
                                   DecodeOutcome::NotFLAC},
                    UnusableSource{"empty", "", DecodeOutcome::NotFLAC},
                    UnusableSource{"truncatedMetadata", test::encodeFlacFixture({}).left(20),
                                   DecodeOutcome::NotFLAC},
                    // A frame sync pattern first makes libFLAC read bare frames.
                    UnusableSource{"bareFrames", test::withoutMetadata(test::encodeFlacFixture({})),
                                   DecodeOutcome::MissingStreamInfo},
                    // A WAV file of 0 Hz would be no use to anyone.
                    UnusableSource{"zeroSampleRate",
                                   [] {
                                       QByteArray flac = test::encodeFlacFixture({});
                                       test::setStreamInfoField(flac, test::sampleRateBit,
                                                                test::sampleRateWidth, 0);
                                       return flac;
                                   }(),
                                   DecodeOutcome::UnsupportedFormat}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(DecodeFailureTest, failsOnAMissingSourceWithAnEmptyWAVFile) {
    EXPECT_EQ(decodeFLACToWAVWithOutcome(path("missing.flac"), path("out.wav")),
              DecodeOutcome::SourceUnreadable);
    EXPECT_EQ(QFile(path("out.wav")).size(), 0);
}

// Opening a FIFO for reading waits for a writer, and a device may never end:
// such sources must be refused before anything reads them.
TEST_F(DecodeFailureTest, refusesSourcesThatAreNotRegularFilesWithoutReadingThem) {
    ASSERT_EQ(mkfifo(path("pipe.flac").toUtf8().constData(), 0600), 0);
    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("folder.flac")));
    for (const QString& source :
         {path("pipe.flac"), path("folder.flac"), QStringLiteral("/dev/zero")}) {
        EXPECT_EQ(decodeFLACToWAVWithOutcome(source, path("out.wav")),
                  DecodeOutcome::SourceNotRegularFile)
            << source.toStdString();
    }
}

// A stream whose frames disagree with STREAMINFO would be written under a
// header that misdescribes it, or packed from buffers the frame lacks.
struct Mismatch {
    const char* name;
    unsigned firstBit;
    unsigned width;
    uint64_t value;
};

class FrameMismatchTest : public DecodeFailureTest, public testing::WithParamInterface<Mismatch> {};

TEST_P(FrameMismatchTest, abortsWhenAFrameDisagreesWithStreamInfo) {
    QByteArray flac = test::encodeFlacFixture({}); // 16-bit stereo, 44.1 kHz
    test::setStreamInfoField(flac, GetParam().firstBit, GetParam().width, GetParam().value);
    EXPECT_EQ(decodeFLACToWAVWithOutcome(fileWith("source.flac", flac), path("out.wav")),
              DecodeOutcome::FrameFormatMismatch);
    // What was written before the abort stays: here the header alone.
    EXPECT_EQ(QFile(path("out.wav")).size(), 44);
}

INSTANTIATE_TEST_SUITE_P(
    Fields, FrameMismatchTest,
    testing::Values(Mismatch{"eightChannels", test::channelsBit, test::channelsWidth, 7},
                    Mismatch{"oneChannel", test::channelsBit, test::channelsWidth, 0},
                    Mismatch{"twentyFourBits", test::bitsPerSampleBit, test::bitsPerSampleWidth,
                             23},
                    Mismatch{"otherRate", test::sampleRateBit, test::sampleRateWidth, 48000}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(DecodeFailureTest, failsWhenTheDiskIsFull) {
    EXPECT_EQ(decodeFLACToWAVWithOutcome(flacSource(), QStringLiteral("/dev/full")),
              DecodeOutcome::NoSpace);
}

TEST_F(DecodeFailureTest, neverFollowsALinkPlantedAtTheDestination) {
    const QString target = fileWith("target.txt", "precious");
    ASSERT_TRUE(QFile::link(target, path("out.wav")));
    ASSERT_TRUE(QFile::link(path("nowhere.txt"), path("dangling.wav")));

    EXPECT_EQ(decodeFLACToWAVWithOutcome(flacSource(), path("out.wav")),
              DecodeOutcome::DestinationUnopenable);
    EXPECT_EQ(decodeFLACToWAVWithOutcome(flacSource(), path("dangling.wav")),
              DecodeOutcome::DestinationUnopenable);
    EXPECT_EQ(test::fileContents(target), "precious");
    EXPECT_FALSE(exists(path("nowhere.txt")));
}

TEST_F(DecodeFailureTest, neverWritesToTheSourceUnderAnyName) {
    const QString source = flacSource();
    const QByteArray original = test::fileContents(source);
    ASSERT_EQ(link(source.toUtf8().constData(), path("hardlink.wav").toUtf8().constData()), 0);

    for (const QString& destination : {source, path("hardlink.wav")}) {
        EXPECT_EQ(decodeFLACToWAVWithOutcome(source, destination),
                  DecodeOutcome::DestinationIsSource);
    }
    EXPECT_EQ(test::fileContents(source), original);
}

TEST_F(DecodeFailureTest, doesNotWaitForAReaderOfAFIFODestination) {
    ASSERT_EQ(mkfifo(path("pipe.wav").toUtf8().constData(), 0600), 0);
    EXPECT_EQ(decodeFLACToWAVWithOutcome(flacSource(), path("pipe.wav")),
              DecodeOutcome::DestinationUnopenable);
}

// Replacing is for flac2wav's user, who names the destination; the queue
// asks for a file of the decode's own, and another file or a link already
// there is left as it is.
TEST_F(DecodeFailureTest, createsAPrivateFileAndReplacesAnOldOneUnlessToldNotTo) {
    const QString destination = path("out.wav");
    ASSERT_TRUE(decodeFLACToWAV(flacSource(), destination));
    struct stat info {};
    ASSERT_EQ(stat(destination.toUtf8().constData(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);

    fileWith("out.wav", QByteArray(1 << 20, 'x'));
    ASSERT_TRUE(decodeFLACToWAV(flacSource(), destination));
    EXPECT_EQ(QFile(destination).size(), 44 + 4410 * 4);

    const QByteArray source = flacSource().toUtf8();
    ASSERT_TRUE(QFile::link(path("nowhere.txt"), path("dangling.wav")));
    for (const QString& taken : {destination, path("dangling.wav")}) {
        EXPECT_EQ(decodeFLACToWAVWithResult(source.constData(), taken.toUtf8().constData(),
                                            DestinationMode::CreateNew)
                      .outcome,
                  DecodeOutcome::DestinationExists);
    }
    EXPECT_EQ(QFile(destination).size(), 44 + 4410 * 4);
    EXPECT_FALSE(exists(path("nowhere.txt")));
    EXPECT_EQ(decodeFLACToWAVWithResult(source.constData(), path("new.wav").toUtf8().constData(),
                                        DestinationMode::CreateNew)
                  .outcome,
              DecodeOutcome::Decoded);
}

TEST_F(DecodeFailureTest, failsWhenTheDestinationFolderIsMissing) {
    EXPECT_EQ(decodeFLACToWAVWithOutcome(flacSource(), path("missing/out.wav")),
              DecodeOutcome::DestinationUnopenable);
}

} // namespace
} // namespace decant
