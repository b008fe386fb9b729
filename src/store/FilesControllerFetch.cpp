// The store command of the queue controller.
#include "platform/MainThread.h"
#include "queue/FilesController.h"
#include "store/StoreAlbumURL.h"
#include "store/iTunesMetadataFetcher.h"

#include <algorithm>
#include <functional>

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

} // namespace

void FilesController::fetchMetadata() {
    Q_ASSERT(isMainThread());
    const std::shared_ptr<Prompt> prompt = this->prompt();
    if (!prompt) {
        return;
    }
    const std::optional<QString> answer = prompt->runModal(storeURLPromptText());
    if (!answer) {
        return;
    }
    const StoreAlbumURL album = admitStoreAlbumURL(*answer);
    if (!album.admitted()) {
        return;
    }

    QList<CommentsDictionary> songs;
    PageLoadCancellation cancellation;
    {
        const BusyIndication busy(*prompt,
                                  QStringLiteral("Reading the album from the iTunes Store…"),
                                  [&cancellation] { cancellation.cancel(); });
        songs = albumReader_ ? albumReader_(album.url)
                             : iTunesMetadataFetcher::fetchMetadataFromAlbumURL(
                                   album.url, PageLoadLimits{}, &cancellation);
    }
    // Cancelled is no response at all: not even the table changes, whatever
    // the reader still brought back.
    if (cancellation.isCancelled()) {
        return;
    }

    // By position only: the first file gets the first song. Files beyond the
    // end of a short list (a failed read gives none) keep their tags.
    const QList<QueueEntryPointer> entries = files();
    const qsizetype assigned = std::min(entries.size(), songs.size());
    for (qsizetype index = 0; index < assigned; ++index) {
        entries[index]->setComments(songs[index]);
    }
    reloadTable();
}

} // namespace decant
