#include "library/store/FileJournal.h"

#include "library/store/Database.h"
#include "library/store/TrackStore.h"

#include <QSet>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <functional>

namespace decant::library {

void PrintTo(const FileMove& move, std::ostream* out) {
    *out << "{" << move.trackId << ", " << move.file.toStdString() << " <- "
         << move.pending.toStdString() << ", replacing \"" << move.replaced.toStdString() << "\"}";
}

namespace {

// A scratch database and the names taken on disk, with one call per journal
// step; each failure's kind is kept for the case to check.
class Scene {
public:
    explicit Scene(Database& database)
        : tracks(database.tracks())
        , journal(database.journal()) {}

    // A track from `source`, encoded into a pending file, that would like
    // to be Media/<name>.<extension>.
    void import(const QString& name, const QString& source, const QString& extension = "m4a") {
        note(tracks.recordNewTrack(newTrack(name, source, extension), pendingFile(source),
                                   isFree()));
    }
    void reimport(qint64 id, const QString& name, const QString& extension) {
        note(tracks.recordReplacement(id, newTrack(name, name, extension), pendingFile("again"),
                                      isFree()));
    }
    void finishMoves(const QList<qint64>& ids) { note(journal.finishFileMoves(ids)); }
    void renameTarget(qint64 id) { note(journal.renameMoveTarget(id, isFree())); }
    void relocate(qint64 id, const QString& file, const QString& wanted) {
        note(journal.recordRelocations({{id, file, wanted}}, isFree()));
    }
    void undoRelocation(qint64 id, const QString& file) { note(journal.undoRelocation(id, file)); }
    void removeTrack(qint64 id) { note(tracks.removeTrack(id)); }
    void recordRemoval(qint64 id) { note(journal.recordRemoval(id)); }
    void finishRemoval(const QString& file) { note(journal.finishFileRemoval(file)); }
    void takeOnDisk(const QString& file) { onDisk.insert(file); }

    QList<Error::Kind> failures;
    TrackStore& tracks;
    FileJournal& journal;

private:
    template <typename R> void note(const R& result) {
        if (!result) {
            failures.append(result.error().kind);
        }
    }

    NameIsFree isFree() const {
        return [this](const QString& file) { return !onDisk.contains(file); };
    }

    static QString pendingFile(const QString& source) {
        return QStringLiteral("Media/.importing-%1.m4a").arg(source);
    }

    static NewTrack newTrack(const QString& name, const QString& source, const QString& extension) {
        NewTrack track;
        track.file = QStringLiteral("Media/%1.%2").arg(name, extension);
        track.kind = QStringLiteral("AAC audio file");
        track.name = name;
        track.dateAdded = QDateTime::currentDateTimeUtc();
        track.source = source;
        track.audioDigest = QStringLiteral("00");
        return track;
    }

    QSet<QString> onDisk;
};

struct JournalCase {
    const char* name;
    std::function<void(Scene&)> steps;
    QList<FileMove> moves;            // the journal afterwards
    QStringList removals;             // files on their way to the trash
    QStringList files;                // every track's file, by id
    QList<Error::Kind> failures = {}; // of the steps, in their order
};

void PrintTo(const JournalCase& journalCase, std::ostream* out) {
    *out << journalCase.name;
}

class FileJournalCase : public testing::TestWithParam<JournalCase> {};

TEST_P(FileJournalCase, leavesTheJournalAndTheTracksAsExpected) {
    const QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const auto database = Database::open(folder.filePath("Library.sqlite"),
                                         Database::Access::ReadWrite, std::chrono::seconds(5));
    ASSERT_TRUE(database) << database.error().message.toStdString();
    Scene scene(**database);

    GetParam().steps(scene);

    EXPECT_EQ(scene.failures, GetParam().failures);
    EXPECT_EQ(scene.journal.fileMoves().valueOr({}), GetParam().moves);
    EXPECT_EQ(scene.journal.fileRemovals().valueOr({}), GetParam().removals);
    QStringList files;
    for (const TrackRecord& track : scene.tracks.tracks().valueOr({})) {
        files.append(track.file);
    }
    EXPECT_EQ(files, GetParam().files);
}

using Kind = Error::Kind;

const JournalCase journalCases[] = {
    {"anImportJournalsTheMoveOfItsPendingFile",
     [](Scene& s) { s.import("a", "a"); },
     {{1, "Media/a.m4a", "Media/.importing-a.m4a", ""}},
     {},
     {"Media/a.m4a"}},
    {"finishingAMoveEndsItsEntry",
     [](Scene& s) {
         s.import("a", "a");
         s.finishMoves({1});
     },
     {},
     {},
     {"Media/a.m4a"}},
    {"aNameTakenOnDiskGivesTheNextFreeNumber",
     [](Scene& s) {
         s.takeOnDisk("Media/a.m4a");
         s.import("a", "a");
     },
     {{1, "Media/a 2.m4a", "Media/.importing-a.m4a", ""}},
     {},
     {"Media/a 2.m4a"}},
    {"aNameAnotherTrackReservedIsNotTakenAgain",
     [](Scene& s) {
         s.import("a", "a");
         s.import("a", "b");
     },
     {{1, "Media/a.m4a", "Media/.importing-a.m4a", ""},
      {2, "Media/a 2.m4a", "Media/.importing-b.m4a", ""}},
     {},
     {"Media/a.m4a", "Media/a 2.m4a"}},
    {"aTargetTakenBeforeTheMoveIsRenamed",
     [](Scene& s) {
         s.import("a", "a");
         s.takeOnDisk("Media/a.m4a");
         s.renameTarget(1);
     },
     {{1, "Media/a 2.m4a", "Media/.importing-a.m4a", ""}},
     {},
     {"Media/a 2.m4a"}},
    {"aReplacementOfTheSameFormatReplacesTheFileUnderItsName",
     [](Scene& s) {
         s.import("a", "a");
         s.finishMoves({1});
         s.reimport(1, "a", "m4a");
     },
     {{1, "Media/a.m4a", "Media/.importing-again.m4a", "Media/a.m4a"}},
     {},
     {"Media/a.m4a"}},
    {"aReplacementInAnotherFormatTakesANewNameAndRemovesTheOld",
     [](Scene& s) {
         s.import("a", "a");
         s.finishMoves({1});
         s.reimport(1, "a", "mp3");
     },
     {{1, "Media/a.mp3", "Media/.importing-again.m4a", "Media/a.m4a"}},
     {},
     {"Media/a.mp3"}},
    {"aReplacementOfATrackNoLongerThereSaysSo",
     [](Scene& s) { s.reimport(7, "a", "m4a"); },
     {},
     {},
     {},
     {Kind::NotFound}},
    {"aRelocationJournalsTheOldNameAsThePendingFile",
     [](Scene& s) {
         s.import("a", "a");
         s.finishMoves({1});
         s.relocate(1, "Media/a.m4a", "Media/Ann/a.m4a");
     },
     {{1, "Media/Ann/a.m4a", "Media/a.m4a", ""}},
     {},
     {"Media/Ann/a.m4a"}},
    {"aRelocationLeavesAFileOnItsWayIntoPlace",
     [](Scene& s) {
         s.import("a", "a");
         s.relocate(1, "Media/a.m4a", "Media/Ann/a.m4a");
     },
     {{1, "Media/a.m4a", "Media/.importing-a.m4a", ""}},
     {},
     {"Media/a.m4a"}},
    {"aRelocationLeavesAFileThatIsNoLongerTheOneRead",
     [](Scene& s) {
         s.import("a", "a");
         s.finishMoves({1});
         s.relocate(1, "Media/old.m4a", "Media/Ann/a.m4a");
     },
     {},
     {},
     {"Media/a.m4a"}},
    {"aRelocationKeepsTheNumberedCopyAFileHoldsAlready",
     [](Scene& s) {
         s.takeOnDisk("Media/a.m4a");
         s.import("a", "a");
         s.finishMoves({1});
         s.relocate(1, "Media/a 2.m4a", "Media/a.m4a");
     },
     {},
     {},
     {"Media/a 2.m4a"}},
    {"undoingARelocationGivesTheTrackItsFileBack",
     [](Scene& s) {
         s.import("a", "a");
         s.finishMoves({1});
         s.relocate(1, "Media/a.m4a", "Media/Ann/a.m4a");
         s.undoRelocation(1, "Media/a.m4a");
     },
     {},
     {},
     {"Media/a.m4a"}},
    {"removingATrackForgetsTheMoveOfItsFile",
     [](Scene& s) {
         s.import("a", "a");
         s.removeTrack(1);
     },
     {},
     {},
     {}},
    {"aRemovalForgetsTheTrackAndJournalsItsFile",
     [](Scene& s) {
         s.import("a", "a");
         s.finishMoves({1});
         s.recordRemoval(1);
     },
     {},
     {"Media/a.m4a"},
     {}},
    {"finishingARemovalEndsItsEntry",
     [](Scene& s) {
         s.import("a", "a");
         s.finishMoves({1});
         s.recordRemoval(1);
         s.finishRemoval("Media/a.m4a");
     },
     {},
     {},
     {}},
    {"aFileOnItsWayToTheTrashKeepsItsName",
     [](Scene& s) {
         s.import("a", "a");
         s.finishMoves({1});
         s.recordRemoval(1);
         s.import("a", "b");
     },
     {{1, "Media/a 2.m4a", "Media/.importing-b.m4a", ""}},
     {"Media/a.m4a"},
     {"Media/a 2.m4a"}},
    {"aRemovalWaitsForTheImportUnderWay",
     [](Scene& s) {
         s.import("a", "a");
         s.recordRemoval(1);
     },
     {{1, "Media/a.m4a", "Media/.importing-a.m4a", ""}},
     {},
     {"Media/a.m4a"},
     {Kind::Other}},
    {"aRemovalOfNoTrackSaysSo", [](Scene& s) { s.recordRemoval(7); }, {}, {}, {}, {Kind::NotFound}},
};

INSTANTIATE_TEST_SUITE_P(Steps, FileJournalCase, testing::ValuesIn(journalCases),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace decant::library
