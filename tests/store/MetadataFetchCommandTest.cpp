#include "store/MetadataFetchCommand.h"

#include "FakeTableView.h"
#include "FlacFixture.h"
#include "TestEnvironment.h"
#include "queue/FilesController.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace decant {
namespace {

// Answers the question with a scripted text, or closes it with Cancel.
class ScriptedPrompt final : public Prompt {
public:
    std::optional<QString> runModal(const PromptText& text) override {
        shown.append(text);
        return answer;
    }
    void beginBusy(const QString&) override { ++busyBegins; }
    void beginCancellableBusy(const QString& message, std::function<void()> cancel) override {
        cancelBusy = std::move(cancel);
        beginBusy(message);
    }
    void endBusy() override { ++busyEnds; }

    bool busy() const { return busyBegins > busyEnds; }

    std::optional<QString> answer;
    QList<PromptText> shown;
    int busyBegins = 0;
    int busyEnds = 0;
    // What the busy indicator's Cancel button does.
    std::function<void()> cancelBusy;
};

const QString albumURL = QStringLiteral("https://itunes.apple.com/us/album/x/id1440833098");

class FetchMetadataCommand : public testing::Test {
protected:
    // The store command needs no library: this queue's batches go nowhere.
    FetchMetadataCommand()
        : controller(nullptr) {
        controller.setTableView(table);
        command.setPrompt(prompt);
        prompt->answer = albumURL;
        command.setAlbumReader([this](const QUrl& url) {
            requests.append(url);
            readWhileBusy = prompt->busy();
            return songs;
        });
    }

    // Queues `count` files tagged "TITLE=File i" and "TRACKTOTAL=9".
    void queueFiles(int count) {
        QStringList paths;
        for (int index = 0; index < count; ++index) {
            const QString path = folder.filePath(QStringLiteral("%1.flac").arg(index));
            auto fixture =
                test::taggedFixture({"TITLE=File " + QByteArray::number(index), "TRACKTOTAL=9"});
            fixture.samples = 16;
            ASSERT_TRUE(test::writeFlacFixture(path, fixture));
            paths.append(path);
        }
        controller.addFiles(paths);
        ASSERT_EQ(controller.files().size(), count);
        table->fullReloads = 0;
    }

    static CommentsDictionary songNumbered(int number) {
        return {{QStringLiteral("TITLE"), QStringLiteral("Song %1").arg(number)},
                {QStringLiteral("TRACKNUMBER"), qint64(number)}};
    }

    QList<CommentsDictionary> queueComments() const {
        QList<CommentsDictionary> comments;
        for (const auto& entry : controller.files()) {
            comments.append(entry->comments());
        }
        return comments;
    }

    QTemporaryDir folder;
    std::shared_ptr<test::FakeTableView> table = std::make_shared<test::FakeTableView>();
    std::shared_ptr<ScriptedPrompt> prompt = std::make_shared<ScriptedPrompt>();
    FilesController controller;
    MetadataFetchCommand command{controller};
    QList<CommentsDictionary> songs;
    QList<QUrl> requests;
    bool readWhileBusy = false;
};

TEST_F(FetchMetadataCommand, asksWithTheStoreTextsAndReadsTheAdmittedAddressWhileBusy) {
    queueFiles(1);
    command.fetchMetadata();

    ASSERT_EQ(prompt->shown.size(), 1);
    EXPECT_EQ(prompt->shown[0].message, "Fetch Metadata From iTunes");
    EXPECT_EQ(prompt->shown[0].informativeText, "Enter iTunes Store URL:");
    EXPECT_EQ(prompt->shown[0].defaultButton, "OK");
    EXPECT_EQ(prompt->shown[0].alternateButton, "Cancel");
    EXPECT_EQ(requests, QList<QUrl>{QUrl(albumURL)});
    EXPECT_TRUE(readWhileBusy);
    EXPECT_EQ(prompt->busyBegins, 1);
    EXPECT_EQ(prompt->busyEnds, 1);
}

class RefusedAnswer : public FetchMetadataCommand,
                      public testing::WithParamInterface<std::optional<QString>> {};

TEST_P(RefusedAnswer, changesNothingAndSendsNoRequest) {
    queueFiles(2);
    const QList<CommentsDictionary> before = queueComments();
    songs = {songNumbered(1), songNumbered(2)};
    prompt->answer = GetParam();

    const FetchOutcome outcome = command.fetchMetadata();

    EXPECT_TRUE(requests.isEmpty());
    EXPECT_EQ(queueComments(), before);
    EXPECT_EQ(table->fullReloads, 0);
    EXPECT_EQ(prompt->busyBegins, 0);
    // Cancel needs no word; an address refused says why.
    EXPECT_EQ(outcome.kind,
              GetParam() ? FetchOutcome::Kind::Refused : FetchOutcome::Kind::NotAsked);
    EXPECT_EQ(outcome.text.startsWith("Not a store album address: nothing changed. The "),
              GetParam().has_value())
        << outcome.text.toStdString();
    EXPECT_FALSE(command.canUndoFetchMetadata());
}

INSTANTIATE_TEST_SUITE_P(Answers, RefusedAnswer,
                         testing::Values(std::nullopt,
                                         QStringLiteral("http://itunes.apple.com/us/album/x"),
                                         QStringLiteral("https://example.com/us/album/x"),
                                         QStringLiteral("https://me:pw@itunes.apple.com/album"),
                                         QStringLiteral("not a url"), QStringLiteral(""),
                                         QStringLiteral(" ") + albumURL));

struct Assignment {
    int files;
    int songs;
    const char* outcome;
};

void PrintTo(const Assignment& assignment, std::ostream* out) {
    *out << assignment.files << " files, " << assignment.songs << " songs";
}

class AssignmentByPosition : public FetchMetadataCommand,
                             public testing::WithParamInterface<Assignment> {};

TEST_P(AssignmentByPosition, givesEachFileTheSongAtItsPositionAndReloadsTheTable) {
    queueFiles(GetParam().files);
    const QList<CommentsDictionary> before = queueComments();
    for (int number = 1; number <= GetParam().songs; ++number) {
        songs.append(songNumbered(number));
    }
    // The state of an entry does not matter.
    if (GetParam().files > 1) {
        controller.files()[1]->setStatus(QueueEntryStatusDone);
    }

    const FetchOutcome outcome = command.fetchMetadata();

    EXPECT_EQ(outcome.text, GetParam().outcome);
    EXPECT_EQ(outcome.songsApplied, std::min(GetParam().files, GetParam().songs));
    EXPECT_EQ(command.canUndoFetchMetadata(), outcome.songsApplied > 0);
    EXPECT_EQ(requests.size(), 1);
    EXPECT_EQ(table->fullReloads, 1);
    const QList<CommentsDictionary> after = queueComments();
    for (int index = 0; index < GetParam().files; ++index) {
        // Files beyond a short list keep the tags they had.
        EXPECT_EQ(after[index], index < GetParam().songs ? songs[index] : before[index])
            << "file " << index;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Lengths, AssignmentByPosition,
    testing::Values(Assignment{5, 7, "5 songs applied of the album's 7."},
                    Assignment{5, 5, "5 songs applied."},
                    Assignment{5, 4,
                               "4 songs applied; 1 file beyond the album's end "
                               "keeps its tags."},
                    Assignment{5, 1,
                               "1 song applied; 4 files beyond the album's end "
                               "keep their tags."},
                    Assignment{3, 0, "The page gave no songs: nothing changed."},
                    Assignment{0, 2, "The queue is empty: nothing changed."},
                    Assignment{0, 0, "The page gave no songs: nothing changed."}));

TEST_F(FetchMetadataCommand, undoGivesBackTheTagsOfBeforeTheFetchUntilStart) {
    queueFiles(3);
    const QList<CommentsDictionary> before = queueComments();
    songs = {songNumbered(1), songNumbered(2)};
    command.fetchMetadata();
    // A fetch that changes nothing leaves the undo as it was.
    songs.clear();
    EXPECT_EQ(command.fetchMetadata().kind, FetchOutcome::Kind::NoSongs);
    ASSERT_TRUE(command.canUndoFetchMetadata());
    const int reloads = table->fullReloads;

    command.undoFetchMetadata();
    EXPECT_EQ(queueComments(), before);
    EXPECT_EQ(table->fullReloads, reloads + 1);
    EXPECT_FALSE(command.canUndoFetchMetadata());

    // Start takes the fetched tags to the library: they stay.
    songs = {songNumbered(1)};
    command.fetchMetadata();
    controller.startDecoding(nullptr);
    EXPECT_FALSE(command.canUndoFetchMetadata());
    command.undoFetchMetadata();
    EXPECT_EQ(queueComments()[0], songs[0]);
    EXPECT_TRUE(test::processEventsUntil([&] { return !controller.isRunning(); }));
}

TEST_F(FetchMetadataCommand, replacesTagsWholeSoFieldsTheStoreLacksAreGone) {
    queueFiles(2);
    songs = {CommentsDictionary{{QStringLiteral("TITLE"), QStringLiteral("Store title")},
                                {QStringLiteral("COMPOSER"), QVariant()}},
             CommentsDictionary{}};

    command.fetchMetadata();

    EXPECT_EQ(queueComments(), songs);
    EXPECT_FALSE(queueComments()[0].contains(QStringLiteral("TRACKTOTAL")));
    EXPECT_TRUE(queueComments()[1].isEmpty());
}

TEST_F(FetchMetadataCommand, aStoreThatGaveNoSongsChangesNothingAndSaysWhy) {
    queueFiles(2);
    const QList<CommentsDictionary> before = queueComments();
    const StoreFailure failure{StoreFailure::Kind::ConnectionFailed,
                               QStringLiteral("itunes.apple.com"),
                               QStringLiteral("Connection closed")};
    command.setAlbumReader([&](const QUrl&) { return StoreAlbumReading(failure); });

    const FetchOutcome outcome = command.fetchMetadata();

    EXPECT_EQ(outcome.kind, FetchOutcome::Kind::NoSongs);
    EXPECT_EQ(outcome.text,
              "Could not reach the store: itunes.apple.com did not answer. Nothing changed.");
    EXPECT_EQ(outcome.detail, failure.detail);
    EXPECT_EQ(queueComments(), before);
    EXPECT_FALSE(command.canUndoFetchMetadata());
}

TEST_F(FetchMetadataCommand, cancelledWhileReadingChangesNothing) {
    queueFiles(2);
    const QList<CommentsDictionary> before = queueComments();
    songs = {songNumbered(1), songNumbered(2)};
    command.setAlbumReader([this](const QUrl&) {
        // The user presses Cancel while the page loads; the reader still
        // brings its songs back.
        EXPECT_TRUE(prompt->cancelBusy);
        if (prompt->cancelBusy) {
            prompt->cancelBusy();
        }
        return songs;
    });

    EXPECT_EQ(command.fetchMetadata().kind, FetchOutcome::Kind::Cancelled);

    EXPECT_EQ(queueComments(), before);
    EXPECT_EQ(table->fullReloads, 0);
    EXPECT_EQ(prompt->busyEnds, 1);
}

TEST_F(FetchMetadataCommand, withoutAPromptDoesNothing) {
    queueFiles(1);
    command.setPrompt(nullptr);
    command.fetchMetadata();
    EXPECT_TRUE(requests.isEmpty());
    EXPECT_EQ(table->fullReloads, 0);
}

} // namespace
} // namespace decant
