// Several processes on one library at once: two imports of the same files
// with new tags, an organise loop, a removal and checks. However their
// steps interleave, the library ends with one track per source, every
// file's tags equal to its row, and no file that no track lists.
#include "LibraryTestSupport.h"
#include "ToolRun.h"
#include "library/model/Provenance.h"

#include <QProcess>
#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace decant::library {
namespace {

using test::ScratchLibrary;

const QStringList sources{"a", "b", "c", "d", "e", "f"};

class ConcurrentProcesses : public testing::Test {
protected:
    QStringList import(const QString& album) const {
        QStringList arguments{"--library", scratch.libraryPath(), "--tag", "--album", album};
        for (const QString& source : sources) {
            arguments << scratch.inputPath(source + ".wav");
        }
        return arguments;
    }

    std::unique_ptr<QProcess> start(const QStringList& arguments) const {
        auto process = std::make_unique<QProcess>();
        process->start(QStringLiteral(DECANT_LIBRARY_PROBE), arguments);
        return process;
    }

    // Rows against files, read with SQLite and TagLib.
    void expectOneTrackPerSourceTaggedAsItsRow(const QString& album) const {
        const QString database = scratch.libraryPath() + "/Library.sqlite";
        EXPECT_TRUE(test::queryRows(database, "SELECT * FROM file_moves").isEmpty());
        const auto rows = test::queryRows(database, "SELECT file, name, album, source, "
                                                    "tags_dirty FROM tracks ORDER BY source");
        QStringList listed;
        QStringList seen;
        for (const QVariantMap& row : rows) {
            const QString file = row.value("file").toString();
            const QString source = row.value("source").toString();
            SCOPED_TRACE(file.toStdString());
            seen.append(source);
            listed.append(file.mid(QStringLiteral("Media/").size()));
            EXPECT_EQ(row.value("album"), album);
            EXPECT_EQ(row.value("tags_dirty").toLongLong(), 0);
            const auto tags = test::readTags(scratch.libraryPath() + '/' + file);
            EXPECT_EQ(tags.value("TITLE"), QStringList{row.value("name").toString()});
            EXPECT_EQ(tags.value("ALBUM"), QStringList{album});
            EXPECT_EQ(file, QStringLiteral("Media/Artist/%1/01 Title %2.m4a").arg(album, source));
        }
        EXPECT_EQ(seen, sources);
        listed.sort();
        EXPECT_EQ(scratch.mediaFiles(), listed) << "a media file no track lists";
    }

    ScratchLibrary scratch;
};

TEST_F(ConcurrentProcesses, endWithOneTrackPerSourceTaggedAsItsRowAndNoOrphan) {
    for (const QString& source : sources) {
        scratch.writeWav(source + ".wav", {44100, 2, 16, 4410, false});
    }
    const QString extra = scratch.writeWav("extra.wav").toLocalFile();
    QProcess first;
    first.start(QStringLiteral(DECANT_LIBRARY_PROBE),
                {"--library", scratch.libraryPath(), "--tag", extra});
    ASSERT_TRUE(first.waitForFinished(60000));
    ASSERT_EQ(first.exitCode(), 0) << first.readAllStandardOutput().toStdString();

    // First two imports of new files racing to record them, then two of the
    // same files with a new album: either way each ends with every track
    // tagged and in place.
    for (const QString& album : {QStringLiteral("New"), QStringLiteral("Newer")}) {
        SCOPED_TRACE(album.toStdString());
        std::vector<std::unique_ptr<QProcess>> running;
        running.push_back(start(import(album)));
        running.push_back(start(import(album)));
        running.push_back(start({"--library", scratch.libraryPath(), "--organise", "20"}));
        if (album == QLatin1String("New")) {
            running.push_back(start({"--library", scratch.libraryPath(), "--remove", "1"}));
        }
        QStringList checks;
        for (int check = 0; check < 4; ++check) {
            checks.append(test::runTool({"check"}).out);
        }
        for (const auto& process : running) {
            ASSERT_TRUE(process->waitForFinished(60000));
            EXPECT_EQ(process->exitStatus(), QProcess::NormalExit);
            EXPECT_EQ(process->exitCode(), 0) << process->readAllStandardOutput().toStdString();
        }
        for (const QString& found : std::as_const(checks)) {
            for (const char* false_alarm : {"Interrupted import", "Half-written", "Orphaned file",
                                            "Missing file", "Lost", "Duplicate"}) {
                EXPECT_FALSE(found.contains(QLatin1String(false_alarm))) << found.toStdString();
            }
        }
        expectOneTrackPerSourceTaggedAsItsRow(album);
        EXPECT_EQ(test::runTool({"check"}).status, 0);
    }
}

} // namespace
} // namespace decant::library
