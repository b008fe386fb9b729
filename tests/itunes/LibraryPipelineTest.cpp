#include "FlacFixture.h"
#include "TestEnvironment.h"
#include "TestImages.h"
#include "decode/FLACToWAVDecoder.h"
#include "itunes/LibraryApplication.h"
#include "itunes/iTunesHandOff.h"
#include "library/Library.h"
#include "library/Track.h"
#include "library/check/LibraryCheck.h"
#include "queue/FilesController.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace decant {
namespace {

class LibraryPipelineTest : public testing::Test {
protected:
    QString fixture(const QString& name, const test::FlacFixture& settings) {
        const QString path = folder.filePath(name);
        EXPECT_TRUE(test::writeFlacFixture(path, settings));
        return path;
    }

    QTemporaryDir folder;
    QTemporaryDir libraryFolder;
    std::shared_ptr<LibraryApplication> application =
        std::make_shared<LibraryApplication>(libraryFolder.path());
};

QString digestOf(const QByteArray& image) {
    return QString::fromLatin1(QCryptographicHash::hash(image, QCryptographicHash::Sha256).toHex());
}

// From tagged FLAC files through the decoder, the work queue, the hand-off
// and the real library, to tagged tracks with their cover art, each file
// where its tags say. The first file has a front cover, the second takes
// the folder's image, the third's picture is no image and is skipped.
TEST_F(LibraryPipelineTest, bringsTaggedFLACFilesIntoTheLibrary) {
    const QList<QList<test::FlacPicture>> pictures{
        {{3, test::jpegImage()}}, {}, {{3, "GIF89a", "image/gif"}}};
    QFile folderImage(folder.filePath("Cover.png"));
    ASSERT_TRUE(folderImage.open(QIODevice::WriteOnly));
    folderImage.write(test::pngImage());
    folderImage.close();
    QStringList paths;
    for (int number = 1; number <= 3; ++number) {
        test::FlacFixture settings = test::taggedFixture(
            {"TITLE=Song " + QByteArray::number(number), "ARTIST=Band", "ALBUM=Record",
             "TRACKNUMBER=" + QByteArray::number(number), "TRACKTOTAL=3", "DISCNUMBER=1/2",
             "DATE=2001-04-01", "COMPILATION=1", "REPLAYGAIN_TRACK_GAIN=-3 dB"});
        settings.samples = 22050;
        settings.pictures = pictures[number - 1];
        paths.append(fixture(QStringLiteral("%1.flac").arg(number), settings));
    }
    test::FlacFixture damaged;
    damaged.samples = 44100;
    damaged.blockSize = 1024;
    damaged.damagedFrame = 3;
    paths.insert(1, fixture(QStringLiteral("damaged.flac"), damaged));
    test::FlacFixture untagged;
    untagged.samples = 22050;
    paths.append(fixture(QStringLiteral("Untitled Song.flac"), untagged));

    // A second session imports the same files again: it finds their tracks.
    for (int session = 1; session <= 2; ++session) {
        SCOPED_TRACE(session);
        FilesController controller(std::make_shared<iTunesHandOff>(
            std::make_shared<LibraryApplication>(libraryFolder.path())));
        int handOffs = 0;
        controller.setHandOffFinishedHandler([&] { ++handOffs; });
        controller.addFiles(paths);
        controller.startDecoding(nullptr);
        ASSERT_TRUE(test::processEventsUntil([&] { return handOffs == 1; }, 60000));

        const auto entries = controller.files();
        EXPECT_EQ(entries[1]->status(), QueueEntryStatusFailed);
        // The library reports each file as it finishes it, from its threads.
        EXPECT_EQ(controller.libraryOutcomes().size(), 4);
        const RunProgress progress = controller.runProgress();
        EXPECT_EQ(progress.converted, 4);
        EXPECT_EQ(progress.finished(), 5);
        EXPECT_EQ(controller.lastRunSummary().text, "4 files imported, 1 failed");
        for (const int index : {0, 2, 3, 4}) {
            EXPECT_EQ(entries[index]->status(), QueueEntryStatusDone);
            EXPECT_FALSE(QFile::exists(entries[index]->decodedPath()));
            // What decoding the track back proved, also for a held track.
            EXPECT_EQ(entries[index]->verification(), "length exact");
        }
    }

    const auto library = application->library();
    ASSERT_NE(library, nullptr);
    const auto tracks = library->tracks().valueOr({});
    ASSERT_EQ(tracks.size(), 4);
    for (int number = 1; number <= 3; ++number) {
        const auto& track = tracks[number - 1];
        EXPECT_EQ(track.text("name"), QStringLiteral("Song %1").arg(number));
        EXPECT_EQ(track.text("artist"), "Band");
        EXPECT_EQ(track.text("album"), "Record");
        EXPECT_EQ(track.integer("trackNumber"), number);
        EXPECT_EQ(track.integer("trackCount"), 3);
        EXPECT_EQ(track.integer("discNumber"), 1);
        EXPECT_EQ(track.integer("year"), 2001);
        EXPECT_TRUE(track.boolean("compilation"));
        EXPECT_NEAR(track.duration, 0.5, 0.05);
        EXPECT_EQ(track.file, QStringLiteral("Media/Band/Record/1-0%1 Song %1.m4a").arg(number));
        EXPECT_TRUE(QFile::exists(QDir(library->location()).filePath(track.file)));
    }
    // The audio's digest came from the decode's STREAMINFO signature: the
    // very MD5 the library takes of a WAV file by itself, so that libraries
    // made either way know these sources again.
    const QStringList sources{paths[0], paths[2], paths[3], paths[4]};
    for (qsizetype index = 0; index < sources.size(); ++index) {
        const QString wav = folder.filePath(QStringLiteral("decoded.wav"));
        ASSERT_TRUE(decodeFLACToWAV(sources[index], wav));
        QFile decoded(wav);
        ASSERT_TRUE(decoded.open(QIODevice::ReadOnly));
        const QByteArray samples = decoded.readAll().mid(44);
        EXPECT_EQ(tracks[index].audioDigest,
                  QCryptographicHash::hash(samples, QCryptographicHash::Md5).toHex());
    }
    EXPECT_EQ(tracks[0].artwork, digestOf(test::jpegImage()));
    EXPECT_EQ(tracks[1].artwork, digestOf(test::pngImage()));
    EXPECT_TRUE(tracks[2].artwork.isEmpty());
    EXPECT_TRUE(tracks[2].artworkNote.contains("neither JPEG nor PNG"))
        << tracks[2].artworkNote.toStdString();
    // A file without tags is named after itself, as a music application
    // names it, and no check calls it untagged.
    EXPECT_EQ(tracks[3].text("name"), "Untitled Song");
    const auto problems = library::findLibraryProblems(*library);
    ASSERT_TRUE(problems);
    EXPECT_TRUE(problems->isEmpty()) << problems->first().description.toStdString();
    // The first session changed the library, and backed it up; the second
    // changed nothing.
    EXPECT_EQ(QDir(library->backupsPath()).entryList(QDir::Files).size(), 1);
}

TEST_F(LibraryPipelineTest, convertsValuesToThePropertysKind) {
    const QString wav = folder.filePath("hash.wav");
    ASSERT_TRUE(decodeFLACToWAV(fixture("a.flac", test::FlacFixture()), wav));
    const auto tracks = application->convert({QUrl::fromLocalFile(wav)});
    ASSERT_EQ(tracks.size(), 1);
    auto& track = *tracks.front();
    EXPECT_EQ(track.name(), "hash");

    track.setValueForKey(QStringLiteral("120 bpm"), "bpm");
    track.setValueForKey(qint64(5), "name");
    track.setValueForKey(2.5, "comment");
    track.setValueForKey(QStringLiteral("yes"), "compilation");
    track.setValueForKey(QStringLiteral("Someone"), "artist");
    track.setValueForKey(QVariant::fromValue(nullptr), "artist");
    track.setValueForKey(QStringLiteral("ignored"), "noSuchProperty");

    const auto record = application->library()->tracks().valueOr({}).front();
    EXPECT_EQ(record.integer("bpm"), 120);
    EXPECT_EQ(record.text("name"), "5");
    EXPECT_EQ(record.text("comment"), "2.5");
    EXPECT_TRUE(record.boolean("compilation"));
    EXPECT_EQ(record.text("artist"), "Someone");
}

// A stop that comes before the library is open stops the first convert, and
// only that one; the observer hears of every file either way. A stop
// withdrawn (it came after its run's batch had left the library) stops
// nothing.
TEST_F(LibraryPipelineTest, aStopBeforeTheFirstConvertStopsItAndEveryFileIsReported) {
    const QString wav = folder.filePath("0123.wav");
    ASSERT_TRUE(decodeFLACToWAV(fixture("a.flac", test::FlacFixture()), wav));
    const QUrl file = QUrl::fromLocalFile(wav);
    QList<QPair<QUrl, bool>> told;
    application->setConversionObserver([&](const QUrl& url, bool converted) {
        told.append({url, converted});
    });

    application->stopConverting();
    const auto stopped = application->convert({file});
    const QString reason = application->failureReasonForFile(file);
    application->stopConverting();
    application->withdrawStopRequest();
    const auto converted = application->convert({file});

    EXPECT_TRUE(stopped.isEmpty());
    EXPECT_TRUE(reason.contains("stopped")) << reason.toStdString();
    ASSERT_EQ(converted.size(), 1);
    EXPECT_EQ(converted.front()->name(), "0123");
    EXPECT_TRUE(application->failureReasonForFile(file).isEmpty());
    EXPECT_EQ(told, (QList<QPair<QUrl, bool>>{{file, false}, {file, true}}));
}

TEST_F(LibraryPipelineTest, opensNothingUntilItConverts) {
    EXPECT_TRUE(application->convert({}).isEmpty());
    EXPECT_TRUE(QDir(libraryFolder.path()).isEmpty());

    LibraryApplication unusable(QStringLiteral("/dev/null/library"));
    const QUrl file = QUrl::fromLocalFile(folder.filePath("x.wav"));
    EXPECT_TRUE(unusable.convert({file}).isEmpty());
    EXPECT_FALSE(unusable.openingError().isEmpty());
    EXPECT_TRUE(unusable.failureReasonForFile(file).contains("/dev/null/library"))
        << unusable.failureReasonForFile(file).toStdString();
}

} // namespace
} // namespace decant
