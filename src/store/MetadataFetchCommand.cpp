#include "store/MetadataFetchCommand.h"

#include "platform/MainThread.h"
#include "queue/FilesController.h"
#include "store/StoreAlbumURL.h"

#include <QCoreApplication>

#include <algorithm>
#include <functional>
#include <utility>

namespace decant {
namespace {

PromptText storeURLPromptText() {
    return {
        QCoreApplication::translate("decant::MetadataFetchCommand", "Fetch Metadata From iTunes"),
        QCoreApplication::translate("decant::MetadataFetchCommand", "Enter iTunes Store URL:"),
        QCoreApplication::translate("decant::MetadataFetchCommand", "OK"),
        QCoreApplication::translate("decant::MetadataFetchCommand", "Cancel")};
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

FetchOutcome refused(StoreURLCheck check) {
    return {FetchOutcome::Kind::Refused,
            0,
            QCoreApplication::translate("decant::MetadataFetchCommand",
                                        "Not a store album address: nothing changed. %1")
                .arg(describeStoreURLCheck(check)),
            {},
            {}};
}

FetchOutcome failed(const StoreFailure& failure) {
    return {FetchOutcome::Kind::NoSongs, 0,
            QCoreApplication::translate("decant::MetadataFetchCommand", "%1 Nothing changed.")
                .arg(describeStoreFailure(failure)),
            failure, failure.detail};
}

FetchOutcome applied(qsizetype songs, qsizetype files) {
    const qsizetype assigned = std::min(songs, files);
    if (assigned == 0) {
        return {FetchOutcome::Kind::NoSongs,
                0,
                songs == 0 ? QCoreApplication::translate("decant::MetadataFetchCommand",
                                                         "The page gave no songs: nothing changed.")
                           : QCoreApplication::translate("decant::MetadataFetchCommand",
                                                         "The queue is empty: nothing changed."),
                {},
                {}};
    }
    QString said = QCoreApplication::translate("decant::MetadataFetchCommand", "%n song(s) applied",
                                               nullptr, int(assigned));
    if (files > songs) {
        said += QCoreApplication::translate("decant::MetadataFetchCommand",
                                            "; %n file(s) beyond the album's end keep their tags",
                                            nullptr, int(files - songs));
    } else if (songs > files) {
        said += QCoreApplication::translate("decant::MetadataFetchCommand", " of the album's %1")
                    .arg(songs);
    }
    return {FetchOutcome::Kind::Applied, int(assigned), said + u'.', {}, {}};
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
        const BusyIndication busy(
            *prompt,
            QCoreApplication::translate("decant::MetadataFetchCommand",
                                        "Reading the album from the iTunes Store…"),
            [&cancellation] { cancellation.cancel(); });
        reading = albumReader_ ? albumReader_(album.url)
                               : readStoreAlbum(album.url, PageLoadLimits{}, &cancellation);
    }
    // Cancelled is no response at all: not even the table changes, whatever
    // the reader still brought back.
    if (cancellation.isCancelled()) {
        return {FetchOutcome::Kind::Cancelled,
                0,
                QCoreApplication::translate("decant::MetadataFetchCommand",
                                            "Fetch cancelled: nothing changed."),
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
