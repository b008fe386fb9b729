#include "store/MetadataFetchCommand.h"

#include "platform/MainThread.h"
#include "queue/FilesController.h"
#include "store/StoreAlbumURL.h"

#include <algorithm>
#include <functional>
#include <utility>

namespace decant {
namespace {

PromptText storeURLPromptText() {
    return {QStringLiteral("Fetch Metadata From iTunes"), QStringLiteral("Enter iTunes Store URL:"),
            QStringLiteral("OK"), QStringLiteral("Cancel")};
}

// Shows the application busy for as long as it lives, however the read ends.
class BusyIndication {
public:
    BusyIndication(Prompt& prompt, const QString& message, std::function<void()> cancel)
        : prompt_(prompt) {
        prompt_.beginCancellableBusy(message, std::move(cancel));
    }
    BusyIndication(const BusyIndication&) = delete;
    BusyIndication& operator=(const BusyIndication&) = delete;
    ~BusyIndication() { prompt_.endBusy(); }

private:
    Prompt& prompt_;
};

QString countOf(qsizetype count, const char* one, const char* many) {
    return count == 1 ? QString::fromLatin1(one) : QString::fromLatin1(many).arg(count);
}

FetchOutcome refused(StoreURLCheck check) {
    return {FetchOutcome::Kind::Refused,
            0,
            QStringLiteral("Not a store album address: nothing changed. %1")
                .arg(describeStoreURLCheck(check)),
            {},
            {}};
}

FetchOutcome failed(const StoreFailure& failure) {
    return {FetchOutcome::Kind::NoSongs, 0,
            QStringLiteral("%1 Nothing changed.").arg(describeStoreFailure(failure)), failure,
            failure.detail};
}

FetchOutcome applied(qsizetype songs, qsizetype files) {
    const qsizetype assigned = std::min(songs, files);
    if (assigned == 0) {
        return {FetchOutcome::Kind::NoSongs,
                0,
                songs == 0 ? QStringLiteral("The page gave no songs: nothing changed.")
                           : QStringLiteral("The queue is empty: nothing changed."),
                {},
                {}};
    }
    QString text = countOf(assigned, "1 song applied", "%1 songs applied");
    if (files > songs) {
        text += countOf(files - songs, "; 1 file beyond the album's end keeps its tags",
                        "; %1 files beyond the album's end keep their tags");
    } else if (songs > files) {
        text += QStringLiteral(" of the album's %1").arg(songs);
    }
    return {FetchOutcome::Kind::Applied, int(assigned), text + u'.', {}, {}};
}

} // namespace

MetadataFetchCommand::MetadataFetchCommand(FilesController& controller)
    : controller_(controller) {}

FetchOutcome MetadataFetchCommand::fetchMetadata() {
    Q_ASSERT(isMainThread());
    const std::shared_ptr<Prompt> prompt = prompt_;
    if (!prompt) {
        return {};
    }
    const std::optional<QString> answer = prompt->runModal(storeURLPromptText());
    if (!answer) {
        return {};
    }
    const StoreAlbumURL album = admitStoreAlbumURL(*answer);
    if (!album.admitted()) {
        return refused(album.check);
    }

    StoreAlbumReading reading;
    PageLoadCancellation cancellation;
    {
        const BusyIndication busy(*prompt,
                                  QStringLiteral("Reading the album from the iTunes Store…"),
                                  [&cancellation] { cancellation.cancel(); });
        reading = albumReader_ ? albumReader_(album.url)
                               : readStoreAlbum(album.url, PageLoadLimits{}, &cancellation);
    }
    // Cancelled is no response at all: not even the table changes, whatever
    // the reader still brought back.
    if (cancellation.isCancelled()) {
        return {FetchOutcome::Kind::Cancelled,
                0,
                QStringLiteral("Fetch cancelled: nothing changed."),
                {},
                {}};
    }

    // By position only: the first file gets the first song. Files beyond the
    // end of a short list keep their tags.
    const QList<CommentsDictionary>& songs = reading.songs;
    const QList<QueueEntryPointer> entries = controller_.files();
    const qsizetype assigned = std::min(entries.size(), songs.size());
    if (assigned > 0) {
        commentsBeforeFetch_.clear();
        runsStartedAtFetch_ = controller_.runsStarted();
    }
    for (qsizetype index = 0; index < assigned; ++index) {
        commentsBeforeFetch_.append({entries[index], entries[index]->comments()});
        entries[index]->setComments(songs[index]);
    }
    controller_.reloadTable();
    if (songs.isEmpty() && reading.failure.failed()) {
        return failed(reading.failure);
    }
    return applied(songs.size(), entries.size());
}

bool MetadataFetchCommand::canUndoFetchMetadata() const {
    return !commentsBeforeFetch_.isEmpty() && controller_.runsStarted() == runsStartedAtFetch_;
}

void MetadataFetchCommand::undoFetchMetadata() {
    Q_ASSERT(isMainThread());
    if (!canUndoFetchMetadata()) {
        return;
    }
    for (const auto& [entry, comments] : std::exchange(commentsBeforeFetch_, {})) {
        entry->setComments(comments);
    }
    controller_.reloadTable();
}

} // namespace decant
