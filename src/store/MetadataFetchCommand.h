#pragma once

#include "platform/Prompt.h"
#include "queue/Comments.h"
#include "queue/QueueEntry.h"
#include "store/StoreAlbumReader.h"
#include "store/StoreFailure.h"

#include <QList>
#include <QPair>
#include <QString>
#include <QUrl>

#include <functional>
#include <memory>

namespace decant {

class FilesController;

// What a store command did.
struct FetchOutcome {
    enum class Kind {
        NotAsked,  // no prompt, or closed with Cancel: nothing to say
        Refused,   // not a store album address; no request was sent
        Cancelled, // the read was cancelled
        NoSongs,   // the store gave no songs (`failure` says why), or the queue is empty
        Applied,   // songs given to the queue
    };
    Kind kind = Kind::NotAsked;
    int songsApplied = 0;
    // A sentence for the status bar ("12 songs applied"); empty for NotAsked.
    QString text;
    // Why the store gave no songs, when it said; and the HTTP client's words
    // or what was looked for, for a tooltip.
    StoreFailure failure;
    QString detail;
};

// The store command, fetchMetadata, on one queue, and its undo. It is built
// on the queue, which never calls it: the user does, so the front ends make
// one beside their controller and call it themselves, and the queue links
// without the store. It changes only the entries' tags and reloads the
// table. Lives no longer than its controller; main thread only.
class MetadataFetchCommand {
public:
    explicit MetadataFetchCommand(FilesController& controller);

    // Asks for an album page's address and gives each queued file, by
    // position, the tags of the page's song at that position. Says what it
    // did, for the front end to show: the command itself shows no message.
    FetchOutcome fetchMetadata();
    // Gives every file the tags it had before the last fetch that changed
    // any, once. Start takes the fetched tags to the library, so from then
    // on there is nothing to undo.
    bool canUndoFetchMetadata() const;
    void undoFetchMetadata();

    std::shared_ptr<Prompt> prompt() const { return prompt_; }
    void setPrompt(std::shared_ptr<Prompt> prompt) { prompt_ = std::move(prompt); }
    // Reads an album into one comments dictionary per song, or why it could
    // not. The store reader unless replaced (tests put a scripted one in).
    using AlbumReader = std::function<StoreAlbumReading(const QUrl&)>;
    void setAlbumReader(AlbumReader reader) { albumReader_ = std::move(reader); }

private:
    FilesController& controller_;
    std::shared_ptr<Prompt> prompt_;
    AlbumReader albumReader_;
    // The entries the last fetch changed, with their tags from before it,
    // and how many runs had started then: a later start ends the undo.
    QList<QPair<QueueEntryPointer, CommentsDictionary>> commentsBeforeFetch_;
    int runsStartedAtFetch_ = 0;
};

} // namespace decant
