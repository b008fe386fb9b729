#include "LibraryTestSupport.h"
#include "library/store/Database.h"
#include "library/store/PropertyStore.h"
#include "library/store/Schema.h"
#include "library/store/TrackStore.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace decant::library {
namespace {

using test::ScratchLibrary;

class LibraryStorage : public testing::Test {
protected:
    ScratchLibrary scratch;
};

TEST_F(LibraryStorage, firstUseCreatesTheFolderAtTheCurrentSchemaWithWriteAheadLog) {
    const auto library = scratch.open();
    ASSERT_TRUE(library);

    EXPECT_EQ(library->location(), scratch.libraryPath());
    EXPECT_TRUE(QFileInfo(scratch.libraryPath() + "/Library.sqlite").isFile());
    EXPECT_TRUE(QFileInfo(scratch.libraryPath() + "/Media").isDir());
    EXPECT_EQ(library->schemaVersion().valueOr(-1), currentSchemaVersion);
    EXPECT_TRUE(QFileInfo(scratch.libraryPath() + "/Library.sqlite-wal").exists());
    EXPECT_EQ(library->importSettings().valueOr({}), (ImportSettings{ImportFormat::Aac, 256}));
}

TEST_F(LibraryStorage, defaultLocationIsTheEnvironmentsElseTheMusicFolders) {
    EXPECT_EQ(Library::defaultLocation(), scratch.libraryPath());

    unsetenv("DECANT_LIBRARY");
    EXPECT_EQ(Library::defaultLocation(), QDir::homePath() + "/Music/Decant Library");
}

TEST_F(LibraryStorage, refusesADatabaseOfANewerSchema) {
    { ASSERT_TRUE(scratch.open()); }
    ASSERT_TRUE(
        test::executeSql(scratch.libraryPath() + "/Library.sqlite", "PRAGMA user_version = 99"));

    const auto opened = Library::open(scratch.libraryPath());
    ASSERT_FALSE(opened);
    EXPECT_EQ(opened.error().kind, Error::Kind::NewerSchema);
    EXPECT_TRUE(opened.error().message.contains("newer")) << opened.error().message.toStdString();
}

TEST_F(LibraryStorage, refusesAFileThatIsNoDatabase) {
    QDir().mkpath(scratch.libraryPath());
    QFile file(scratch.libraryPath() + "/Library.sqlite");
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(4096, 'x'));
    file.close();

    const auto opened = Library::open(scratch.libraryPath());
    ASSERT_FALSE(opened);
    EXPECT_EQ(opened.error().kind, Error::Kind::Corrupt);
    EXPECT_TRUE(opened.error().message.contains("not a database"))
        << opened.error().message.toStdString();
}

// A pending file's lock tells a crash's leftovers from another process's
// import under way, however recent.
TEST_F(LibraryStorage, openingRemovesTheHalfWrittenFilesNoLivingProcessHolds) {
    ASSERT_TRUE(scratch.open());
    const auto write = [&](const QString& name) {
        QFile file(scratch.libraryPath() + "/Media/" + name);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly) && file.write("partial") > 0);
    };
    write(".importing-0123456789abcdef.m4a");
    write(".hidden-by-someone");
    write("old.m4a");
    const QString held = scratch.libraryPath() + "/Media/.importing-fedcba9876543210.m4a";
    write(QFileInfo(held).fileName());
    const int descriptor = ::open(QFile::encodeName(held).constData(), O_RDONLY);
    ASSERT_EQ(flock(descriptor, LOCK_EX), 0);

    const auto library = scratch.open();
    close(descriptor);

    ASSERT_TRUE(library);
    EXPECT_EQ(scratch.mediaFiles(),
              QStringList({".hidden-by-someone", ".importing-fedcba9876543210.m4a", "old.m4a"}));
    EXPECT_EQ(library->openingRepairs(),
              QStringList{"Removed Media/.importing-0123456789abcdef.m4a, left half-written by an "
                          "interrupted import."});
}

TEST_F(LibraryStorage, readingAMissingLibraryCreatesNothing) {
    LibraryOptions options;
    options.readOnly = true;

    const auto opened = Library::open(scratch.libraryPath(), options);
    ASSERT_FALSE(opened);
    EXPECT_EQ(opened.error().kind, Error::Kind::NotFound);
    EXPECT_FALSE(opened.error().message.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(scratch.libraryPath()));
}

TEST_F(LibraryStorage, settingsLastAndOnlyUsableOnesAreTaken) {
    struct Example {
        ImportSettings settings;
        bool usable;
    };
    const Example examples[] = {
        {{ImportFormat::Aac, 128}, true}, {{ImportFormat::Aac, 500}, false},
        {{ImportFormat::Mp3, 192}, true}, {{ImportFormat::Mp3, 100}, false},
        {{ImportFormat::Opus, 96}, true}, {{ImportFormat::Opus, 5}, false},
        {{ImportFormat::Alac, 0}, true},  {{ImportFormat::Flac, 256}, false},
        {{ImportFormat::Wav, 0}, true},
    };
    for (const Example& example : examples) {
        SCOPED_TRACE(describeSettings(example.settings).toStdString());
        ImportSettings expected = example.settings;
        {
            const auto library = scratch.open();
            ASSERT_TRUE(library);
            if (!example.usable) {
                expected = library->importSettings().valueOr({});
            }
            const Status set = library->setImportSettings(example.settings);
            EXPECT_EQ(set.ok(), example.usable);
            EXPECT_TRUE(set || !set.error().message.isEmpty());
        }
        EXPECT_EQ(scratch.open()->importSettings().valueOr({}), expected);
    }
}

TEST_F(LibraryStorage, aLibraryOpenForReadingChangesNothing) {
    { ASSERT_TRUE(scratch.open()); }
    LibraryOptions options;
    options.readOnly = true;
    const auto library = Library::open(scratch.libraryPath(), options).valueOr(nullptr);
    ASSERT_TRUE(library);

    EXPECT_FALSE(library->setImportSettings({ImportFormat::Mp3, 128}));
    const auto outcomes = library->convertFiles({scratch.writeWav("a.wav")});
    ASSERT_EQ(outcomes.size(), 1);
    EXPECT_EQ(outcomes[0].trackId, 0);
    EXPECT_TRUE(scratch.mediaFiles().isEmpty());
}

// The writer reads a track, writes its file, then clears the dirty mark. A
// set in between must keep the mark, or the newer value never reaches the
// file.
TEST_F(LibraryStorage, aSetWhileTheFileIsWrittenKeepsTheTrackDirty) {
    QDir().mkpath(scratch.libraryPath());
    const auto opened = Database::open(scratch.libraryPath() + "/Library.sqlite",
                                       Database::Access::ReadWrite, std::chrono::seconds(5));
    ASSERT_TRUE(opened) << opened.error().message.toStdString();
    Database& database = **opened;
    TrackStore& tracks = database.tracks();
    PropertyStore& properties = database.properties();
    const auto dirtyMark = [&](qint64 id) {
        return tracks.track(id).valueOr(std::nullopt)->tagsDirty;
    };
    const NewTrack track{"Media/a.m4a",
                         "AAC audio file",
                         "a",
                         1,
                         44100,
                         2,
                         256,
                         1000,
                         QDateTime::currentDateTimeUtc(),
                         "a",
                         "00",
                         {},
                         {},
                         {},
                         {}};
    const auto recorded =
        tracks.recordNewTrack(track, "Media/.importing-a.m4a", [](const QString&) { return true; });
    ASSERT_TRUE(recorded);
    const qint64 id = recorded->trackId;
    const TrackProperty& artist = *findTrackProperty("artist");
    ASSERT_EQ(properties.setProperty(id, artist, QStringLiteral("First")).valueOr({}),
              PropertyChange::Changed);
    const qint64 seenBySave = dirtyMark(id);

    ASSERT_EQ(properties.setProperty(id, artist, QStringLiteral("Second")).valueOr({}),
              PropertyChange::Changed);
    ASSERT_TRUE(properties.markTagsWritten({{id, seenBySave, 2000}}));

    EXPECT_NE(dirtyMark(id), 0);
    EXPECT_EQ(properties.tracksWithDirtyTags().valueOr({}), QList<qint64>{id});
    ASSERT_TRUE(properties.markTagsWritten({{id, dirtyMark(id), 2000}}));
    EXPECT_EQ(dirtyMark(id), 0);
    EXPECT_EQ(tracks.track(id).valueOr(std::nullopt)->size, 2000);
}

} // namespace
} // namespace decant::library
