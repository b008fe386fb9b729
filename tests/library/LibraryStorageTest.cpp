#include "LibraryTestSupport.h"
#include "library/Database.h"

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
    EXPECT_EQ(library->schemaVersion(), Database::schemaVersion);
    EXPECT_TRUE(QFileInfo(scratch.libraryPath() + "/Library.sqlite-wal").exists());
    EXPECT_EQ(library->importSettings(), (ImportSettings{Encoder::Aac, 256}));
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

    QString error;
    EXPECT_FALSE(Library::open(scratch.libraryPath(), &error));
    EXPECT_TRUE(error.contains("newer")) << error.toStdString();
}

TEST_F(LibraryStorage, refusesAFileThatIsNoDatabase) {
    QDir().mkpath(scratch.libraryPath());
    QFile file(scratch.libraryPath() + "/Library.sqlite");
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(4096, 'x'));
    file.close();

    QString error;
    EXPECT_FALSE(Library::open(scratch.libraryPath(), &error));
    EXPECT_TRUE(error.contains("not a database")) << error.toStdString();
}

// A pending file's lock tells a crash's leftovers from another process's
// import under way, however recent.
TEST_F(LibraryStorage, openingRemovesTheHalfWrittenFilesNoLivingProcessHolds) {
    QDir().mkpath(scratch.libraryPath() + "/Media");
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

    QString error;
    EXPECT_FALSE(Library::open(scratch.libraryPath(), options, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(scratch.libraryPath()));
}

TEST_F(LibraryStorage, settingsLastAndOnlyUsableOnesAreTaken) {
    struct Example {
        ImportSettings settings;
        bool usable;
    };
    const Example examples[] = {
        {{Encoder::Aac, 128}, true},  {{Encoder::Aac, 500}, false},  {{Encoder::Mp3, 192}, true},
        {{Encoder::Mp3, 100}, false}, {{Encoder::Opus, 96}, true},   {{Encoder::Opus, 5}, false},
        {{Encoder::Alac, 0}, true},   {{Encoder::Flac, 256}, false}, {{Encoder::Wav, 0}, true},
    };
    for (const Example& example : examples) {
        SCOPED_TRACE(describeSettings(example.settings).toStdString());
        ImportSettings expected = example.settings;
        {
            const auto library = scratch.open();
            ASSERT_TRUE(library);
            if (!example.usable) {
                expected = library->importSettings();
            }
            QString error;
            EXPECT_EQ(library->setImportSettings(example.settings, &error), example.usable);
            EXPECT_EQ(error.isEmpty(), example.usable);
        }
        EXPECT_EQ(scratch.open()->importSettings(), expected);
    }
}

TEST_F(LibraryStorage, aLibraryOpenForReadingChangesNothing) {
    { ASSERT_TRUE(scratch.open()); }
    LibraryOptions options;
    options.readOnly = true;
    const auto library = Library::open(scratch.libraryPath(), options);
    ASSERT_TRUE(library);

    EXPECT_FALSE(library->setImportSettings({Encoder::Mp3, 128}));
    const auto outcomes = library->convertFiles({scratch.writeWav("a.wav")});
    ASSERT_EQ(outcomes.size(), 1);
    EXPECT_FALSE(outcomes[0].track);
    EXPECT_TRUE(scratch.mediaFiles().isEmpty());
}

// The writer reads a track, writes its file, then clears the dirty mark. A
// set in between must keep the mark, or the newer value never reaches the
// file.
TEST_F(LibraryStorage, aSetWhileTheFileIsWrittenKeepsTheTrackDirty) {
    QDir().mkpath(scratch.libraryPath());
    QString error;
    const auto database = Database::open(scratch.libraryPath() + "/Library.sqlite",
                                         Database::Access::ReadWrite, &error);
    ASSERT_TRUE(database) << error.toStdString();
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
    const auto recorded = database->recordNewTrack(track, "Media/.importing-a.m4a",
                                                   [](const QString&) { return true; });
    ASSERT_TRUE(recorded);
    const auto id = std::optional(recorded->trackId);
    const TrackProperty& artist = *findTrackProperty("artist");
    ASSERT_EQ(database->setProperty(*id, artist, QStringLiteral("First")), PropertyChange::Changed);
    const qint64 seenBySave = database->track(*id)->tagsDirty;

    ASSERT_EQ(database->setProperty(*id, artist, QStringLiteral("Second")),
              PropertyChange::Changed);
    ASSERT_TRUE(database->markTagsWritten({{*id, seenBySave, 2000}}));

    EXPECT_NE(database->track(*id)->tagsDirty, 0);
    EXPECT_EQ(database->tracksWithDirtyTags(), QList<qint64>{*id});
    ASSERT_TRUE(database->markTagsWritten({{*id, database->track(*id)->tagsDirty, 2000}}));
    EXPECT_EQ(database->track(*id)->tagsDirty, 0);
    EXPECT_EQ(database->track(*id)->size, 2000);
}

} // namespace
} // namespace decant::library
