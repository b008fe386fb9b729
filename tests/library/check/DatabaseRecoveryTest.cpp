// A damaged, empty or missing database never costs a media file: check
// says so, and check --repair restores the newest backup or rebuilds the
// database from the files' own tags.
#include "LibraryTestSupport.h"
#include "ToolRun.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

#include <functional>
#include <ostream>

namespace decant::library {
namespace {

using test::runTool;
using test::ScratchLibrary;
using test::ToolRun;

struct Damage {
    const char* name;
    // Done to Library.sqlite once the library is closed.
    std::function<void(const QString& database)> apply;
    const char* found; // what check says
};

void PrintTo(const Damage& damage, std::ostream* out) {
    *out << damage.name;
}

// Random bytes over the page after the header's, as a failing disk or a
// stray write leaves it.
void overwriteSecondPage(const QString& database) {
    QFile file(database);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.seek(4096));
    QByteArray noise(4096, '\0');
    for (qsizetype index = 0; index < noise.size(); ++index) {
        noise[index] = char((index * 7919 + 13) % 251);
    }
    ASSERT_EQ(file.write(noise), noise.size());
}

void truncate(const QString& database) {
    for (const char* suffix : {"", "-wal", "-shm"}) {
        QFile::remove(database + suffix);
    }
    QFile file(database);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
}

void remove(const QString& database) {
    for (const char* suffix : {"", "-wal", "-shm"}) {
        QFile::remove(database + suffix);
    }
}

class DatabaseRecovery : public testing::TestWithParam<std::tuple<Damage, bool>> {
protected:
    // Two tracks, backed up when asked; then a third, and the first given
    // another artist, after the backup: the files alone know of those.
    void makeLibrary(bool backUp) {
        LibraryOptions options;
        options.tagQuietPeriod = std::chrono::milliseconds(0);
        const auto library = scratch.open(options);
        ASSERT_TRUE(library);
        ASSERT_TRUE(library->setImportSettings(defaultSettings(ImportFormat::Alac)));
        const auto early = library->convert({wav("a"), wav("b")});
        ASSERT_EQ(early.size(), 2);
        for (const auto& track : early) {
            ASSERT_TRUE(track->setProperty("name", "Song " + track->name()));
        }
        ASSERT_TRUE(library->flush());
        if (backUp) {
            for (int made = 0; made < 4; ++made) {
                ASSERT_TRUE(library->backUp());
            }
            backups = QDir(library->backupsPath()).entryList(QDir::Files);
        }
        const auto late = library->convert({wav("c")});
        ASSERT_EQ(late.size(), 1);
        ASSERT_TRUE(late[0]->setProperty("name", QStringLiteral("Song c")));
        ASSERT_TRUE(early[0]->setProperty("artist", QStringLiteral("Late")));
        ASSERT_TRUE(library->flush());
    }

    QUrl wav(const QString& name) const { return scratch.writeWav(name + ".wav"); }
    QString database() const { return scratch.libraryPath() + "/Library.sqlite"; }

    ScratchLibrary scratch;
    QStringList backups;
};

TEST_P(DatabaseRecovery, neverCostsAFileAndRepairBringsEveryTrackBack) {
    const auto& [damage, backedUp] = GetParam();
    ASSERT_NO_FATAL_FAILURE(makeLibrary(backedUp));
    const QStringList files = scratch.mediaFiles();
    ASSERT_EQ(files.size(), 3);
    ASSERT_NO_FATAL_FAILURE(damage.apply(database()));

    const ToolRun listed = runTool({"list"});
    const ToolRun checked = runTool({"check"});
    const ToolRun repaired = runTool({"check", "--repair"});
    const ToolRun after = runTool({"check"});

    EXPECT_EQ(listed.status, 1) << listed.out.toStdString();
    EXPECT_TRUE(listed.err.contains("check --repair")) << listed.err.toStdString();
    EXPECT_EQ(checked.status, 3) << checked.err.toStdString();
    EXPECT_TRUE(checked.out.startsWith(QLatin1String(damage.found))) << checked.out.toStdString();
    EXPECT_EQ(checked.out.count('\n'), 2) << "the database is the problem, not the files";
    EXPECT_EQ(repaired.status, 0) << repaired.out.toStdString() << repaired.err.toStdString();
    EXPECT_TRUE(repaired.out.contains(backedUp ? "Restored the database from the backup Backups/" +
                                                     backups.last()
                                               : QStringLiteral("made a new database")))
        << repaired.out.toStdString();
    EXPECT_EQ(after.status, 0) << after.out.toStdString();
    EXPECT_TRUE(runTool({"settings"}).out.contains("Encoder:  alac"))
        << "the backup's settings, or those the files were encoded with";
    EXPECT_EQ(scratch.mediaFiles(), files);
    const auto rows = test::queryRows(database(), "SELECT name, artist, source, verified FROM "
                                                  "tracks ORDER BY name");
    ASSERT_EQ(rows.size(), 3);
    const QStringList sources{"a", "b", "c"};
    for (qsizetype index = 0; index < rows.size(); ++index) {
        EXPECT_EQ(rows[index].value("name"), "Song " + sources[index]);
        EXPECT_EQ(rows[index].value("source"), sources[index]);
        EXPECT_EQ(rows[index].value("verified"), "lossless");
    }
    EXPECT_EQ(rows[0].value("artist"), "Late") << "the file is newer than any backup";
    const QStringList aside =
        QDir(scratch.libraryPath()).entryList({"Library.sqlite.damaged-*"}, QDir::Files);
    EXPECT_EQ(aside.isEmpty(), QString(damage.name) == "deleted") << aside.join(' ').toStdString();
    if (backedUp) {
        EXPECT_EQ(backups.size(), 3) << "the newest three are kept";
    }
}

INSTANTIATE_TEST_SUITE_P(
    Damages, DatabaseRecovery,
    testing::Combine(testing::Values(Damage{"secondPageOverwritten", overwriteSecondPage,
                                            "Damaged database: SQLite finds Library.sqlite "
                                            "damaged"},
                                     Damage{"zeroLength", truncate,
                                            "Empty database: Library.sqlite has no bytes, but "
                                            "the media folder holds 3 file(s)"},
                                     Damage{"deleted", remove,
                                            "Missing database: Library.sqlite is gone, but the "
                                            "media folder holds 3 file(s)"}),
                     testing::Bool()),
    [](const auto& info) {
        return std::string(std::get<0>(info.param).name) +
               (std::get<1>(info.param) ? "WithBackup" : "WithoutBackup");
    });

} // namespace
} // namespace decant::library
