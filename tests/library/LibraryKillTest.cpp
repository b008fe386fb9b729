#include "LibraryTestSupport.h"
#include "TestEnvironment.h"
#include "ToolRun.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <gtest/gtest.h>

#include <csignal>
#include <ostream>
#include <unistd.h>

namespace decant::library {
namespace {

using test::runTool;
using test::ScratchLibrary;
using test::ToolRun;
using test::WavFixture;

struct ProbeRun {
    bool killed = false;
    int status = -1;
    QString out;
    QString err;
};

// The probe as its own process, or `command` (a wrapper and the probe) when
// given.
ProbeRun runProbe(const QStringList& arguments, const QStringList& command = {}) {
    QProcess process;
    if (command.isEmpty()) {
        process.start(QStringLiteral(DECANT_LIBRARY_PROBE), arguments);
    } else {
        process.start(command.first(), command.mid(1) + arguments);
    }
    ProbeRun run;
    if (process.waitForFinished(60000)) {
        run.killed = process.exitStatus() == QProcess::CrashExit;
        run.status = run.killed ? -1 : process.exitCode();
    }
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

// Three sources of different lengths, so that a file holding another's
// audio shows.
const QMap<QString, qint64> sourceFrames{{"first", 4410}, {"second", 8820}, {"third", 13230}};

struct Kill {
    const char* step;
    int at;
    // The import kills itself while encoding a held album again, in new
    // settings.
    bool reencoding = false;
};

void PrintTo(const Kill& kill, std::ostream* out) {
    *out << kill.step << ':' << kill.at << (kill.reencoding ? " re-encoding" : "");
}

class KilledImport : public testing::TestWithParam<Kill> {
protected:
    QStringList import(const QString& encoder) const {
        QStringList arguments{"--library", scratch.libraryPath(), "--tag"};
        if (!encoder.isEmpty()) {
            arguments << "--encoder" << encoder;
        }
        for (auto source = sourceFrames.begin(); source != sourceFrames.end(); ++source) {
            arguments << scratch.writeWav(source.key() + ".wav", {44100, 2, 16, quint64(*source)})
                             .toLocalFile();
        }
        return arguments;
    }

    // Rows against files, read with SQLite, FFmpeg and TagLib.
    void expectOneTaggedReadableTrackPerSource(const QString& extension) const {
        const QString database = scratch.libraryPath() + "/Library.sqlite";
        EXPECT_TRUE(test::queryRows(database, "SELECT * FROM file_moves").isEmpty());
        const auto rows = test::queryRows(
            database, "SELECT file, name, source, tags_dirty FROM tracks ORDER BY source");
        QStringList sources;
        QStringList files;
        for (const QVariantMap& row : rows) {
            const QString source = row.value("source").toString();
            const QString file = row.value("file").toString();
            SCOPED_TRACE(file.toStdString());
            sources.append(source);
            files.append(file.mid(QStringLiteral("Media/").size()));
            EXPECT_EQ(file, QStringLiteral("Media/Artist/Album/%1 Title %2%3")
                                .arg(source.size(), 2, 10, QChar(u'0'))
                                .arg(source, extension));
            EXPECT_EQ(row.value("name").toString(), "Title " + source);
            EXPECT_EQ(row.value("tags_dirty").toLongLong(), 0);
            const QString path = scratch.libraryPath() + '/' + file;
            const auto audio = test::decodeAudioFile(path);
            ASSERT_TRUE(audio) << "unreadable";
            EXPECT_NEAR(double(audio->frames), double(sourceFrames.value(source)), 2048);
            EXPECT_EQ(test::readTags(path).value("TITLE"), QStringList{"Title " + source});
        }
        EXPECT_EQ(sources, sourceFrames.keys());
        files.sort();
        EXPECT_EQ(scratch.mediaFiles(), files) << "a media file no track lists";
    }

    ScratchLibrary scratch;
};

TEST_P(KilledImport, runningTheImportAgainLeavesOneTaggedReadableTrackPerSource) {
    const Kill kill = GetParam();
    const QString encoder = kill.reencoding ? QStringLiteral("mp3") : QString();
    if (kill.reencoding) {
        ASSERT_EQ(runProbe(import({})).status, 0);
    }

    const ProbeRun killed = runProbe(
        import(encoder) << "--kill-at" << QStringLiteral("%1:%2").arg(kill.step).arg(kill.at));
    const ProbeRun rerun = runProbe(import(encoder));

    EXPECT_TRUE(killed.killed) << killed.out.toStdString() << killed.err.toStdString();
    EXPECT_TRUE(killed.err.contains("killed at")) << killed.err.toStdString();
    EXPECT_EQ(rerun.status, 0) << rerun.out.toStdString() << rerun.err.toStdString();
    expectOneTaggedReadableTrackPerSource(kill.reencoding ? ".mp3" : ".m4a");
}

INSTANTIATE_TEST_SUITE_P(Steps, KilledImport,
                         // moved:4 is the first file's move to where its tags say.
                         testing::Values(Kill{"verifying", 2}, Kill{"encoded", 2},
                                         Kill{"recorded", 2}, Kill{"moved", 1},
                                         Kill{"propertySet", 6}, Kill{"tagsCopied", 1},
                                         Kill{"tagsReplaced", 2}, Kill{"relocationsRecorded", 1},
                                         Kill{"moved", 4}, Kill{"recorded", 1, true},
                                         Kill{"moved", 3, true}),
                         [](const auto& info) {
                             return std::string(info.param.step) + std::to_string(info.param.at) +
                                    (info.param.reencoding ? "Reencoding" : "");
                         });

// A process stopped at any step of an import or a tag save is a live one,
// holding its files and its tracks' locks: check sees nothing interrupted
// or stray, a repair finishes none of its moves and throws none of its files
// away, and it ends as it would alone.
class StoppedImport : public KilledImport {};

TEST_P(StoppedImport, isNeitherInterruptedNorDisturbedByARepair) {
    const Kill stop = GetParam();
    QProcess probe;
    probe.start(QStringLiteral(DECANT_LIBRARY_PROBE),
                import({}) << "--stop-at" << QStringLiteral("%1:%2").arg(stop.step).arg(stop.at));
    QByteArray said;
    ASSERT_TRUE(test::waitUntil([&] {
        probe.waitForReadyRead(10);
        said += probe.readAllStandardError();
        return said.contains("stopped at") || probe.state() == QProcess::NotRunning;
    }));
    ASSERT_EQ(probe.state(), QProcess::Running) << "it never reached the step";

    const ToolRun checked = runTool({"check"});
    const ToolRun repaired = runTool({"check", "--repair"});
    ::kill(pid_t(probe.processId()), SIGCONT);

    ASSERT_TRUE(probe.waitForFinished(60000));
    EXPECT_EQ(probe.exitCode(), 0) << probe.readAllStandardOutput().toStdString();
    for (const char* alarm : {"Interrupted import", "Half-written", "Orphaned file", "Missing"}) {
        EXPECT_FALSE(checked.out.contains(QLatin1String(alarm))) << checked.out.toStdString();
    }
    for (const char* meddling : {"Finished", "trash", "Removed", "Could not"}) {
        EXPECT_FALSE(repaired.out.contains(QLatin1String(meddling))) << repaired.out.toStdString();
    }
    expectOneTaggedReadableTrackPerSource(".m4a");
}

INSTANTIATE_TEST_SUITE_P(Steps, StoppedImport,
                         // moved:2 comes once the first file's lock is gone, and
                         // its move is still to be ended with the batch.
                         testing::Values(Kill{"encoded", 2}, Kill{"recorded", 2}, Kill{"moved", 2},
                                         Kill{"tagsCopied", 1}, Kill{"relocationsRecorded", 1}),
                         [](const auto& info) {
                             return std::string(info.param.step) + std::to_string(info.param.at);
                         });

// Killed between dropping the row and trashing the file, the next open
// finishes the removal: no track without its file, no listed file in the
// trash, no folder left empty.
TEST(KilledRemoval, theNextOpenMovesTheFileToTheTrash) {
    ScratchLibrary scratch;
    const QString library = scratch.libraryPath();
    ASSERT_EQ(runProbe({"--library", library, "--tag", scratch.writeWav("first.wav").toLocalFile(),
                        scratch.writeWav("other.wav").toLocalFile()})
                  .status,
              0);
    const QString removed = "Artist/Album/05 Title first.m4a";
    ASSERT_TRUE(scratch.mediaFiles().contains(removed))
        << scratch.mediaFiles().join(", ").toStdString();

    const ProbeRun killed =
        runProbe({"--library", library, "--remove", "1", "--kill-at", "removalRecorded:1"});
    const QStringList afterKill = scratch.mediaFiles();
    const ProbeRun reopened = runProbe({"--library", library});

    EXPECT_TRUE(killed.killed) << killed.out.toStdString() << killed.err.toStdString();
    EXPECT_TRUE(afterKill.contains(removed));
    EXPECT_EQ(reopened.status, 0) << reopened.out.toStdString();
    const QString database = library + "/Library.sqlite";
    EXPECT_TRUE(test::queryRows(database, "SELECT * FROM file_removals").isEmpty());
    EXPECT_EQ(test::queryRows(database, "SELECT id FROM tracks").size(), 1);
    EXPECT_EQ(scratch.mediaFiles(), QStringList{"Artist/Album/05 Title other.m4a"});
    const QString trash = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    EXPECT_TRUE(QFile::exists(trash + "/Trash/files/05 Title first.m4a"));
}

// Root may write anywhere, so as root the probe runs as "nobody", which
// needs a way through the scratch folders.
QStringList unprivileged(const QString& scratchFolder) {
    if (geteuid() != 0) {
        return {};
    }
    const QString setpriv = QStandardPaths::findExecutable(QStringLiteral("setpriv"));
    for (QString folder = scratchFolder; folder.startsWith(test::scratchDirectory());
         folder = QFileInfo(folder).absolutePath()) {
        QFile::setPermissions(folder,
                              QFile::permissions(folder) | QFile::ExeOther | QFile::ReadOther);
    }
    // A build under root's own home (mode 0700 on a fresh Debian) is out of
    // nobody's reach: it runs a copy of the probe in the scratch folder.
    const QString probe = scratchFolder + QStringLiteral("/library_probe");
    if (setpriv.isEmpty() || !QFile::copy(QStringLiteral(DECANT_LIBRARY_PROBE), probe) ||
        !QFile::setPermissions(probe,
                               QFile::permissions(probe) | QFile::ExeOther | QFile::ReadOther)) {
        return {};
    }
    return {setpriv, "--reuid=65534", "--regid=65534", "--clear-groups", probe};
}

TEST(ReadOnlyLibrary, refusesToOpenSayingWhichFolderAndWhyAndChangesNothing) {
    ScratchLibrary scratch;
    const QUrl wav = scratch.writeWav("song.wav");
    ASSERT_EQ(runProbe({"--library", scratch.libraryPath(), wav.toLocalFile()}).status, 0);
    const QStringList before = scratch.mediaFiles();
    const QStringList wrapper = unprivileged(scratch.inputPath({}));
    if (geteuid() == 0 && wrapper.isEmpty()) {
        GTEST_SKIP() << "needs setpriv, and a copy of the probe, to drop root's rights";
    }
    for (const QString& folder : {scratch.libraryPath(), scratch.libraryPath() + "/Media"}) {
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther |
                                          QFile::ExeOther);
    }

    const ProbeRun run = runProbe(
        {"--library", scratch.libraryPath(), scratch.writeWav("other.wav").toLocalFile()}, wrapper);

    for (const QString& folder : {scratch.libraryPath(), scratch.libraryPath() + "/Media"}) {
        QFile::setPermissions(folder, QFile::permissions(folder) | QFile::WriteOwner);
    }
    EXPECT_EQ(run.status, 2) << run.err.toStdString();
    EXPECT_TRUE(run.out.contains("cannot write in " + scratch.libraryPath() +
                                 ": this user may not "
                                 "write there"))
        << run.out.toStdString();
    EXPECT_EQ(scratch.mediaFiles(), before);
}

} // namespace
} // namespace decant::library
