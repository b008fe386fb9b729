#pragma once

#include "itunes/iTunesApplication.h"
#include "platform/AtomicProperty.h"
#include "platform/Badge.h"
#include "platform/Control.h"
#include "platform/Prompt.h"
#include "platform/TableView.h"
#include "platform/WorkQueue.h"
#include "queue/QueueEntry.h"
#include "queue/RunProgress.h"
#include "queue/RunProgressTracker.h"
#include "queue/RunSummary.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QObject>
#include <QPair>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <QVariantMap>

#include <atomic>
#include <cstdint>
#include <functional>
#include <list>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

namespace decant {

// A path that intake passed over, and why ("no such file or folder").
struct SkippedPath {
    QByteArray path;
    QString reason;
};

// How far the intakes in the background have got.
struct IntakeProgress {
    bool running = false;
    // FLAC files read so far by the intakes under way.
    int filesRead = 0;
};

// What a store command did.
struct FetchOutcome {
    enum class Kind {
        NotAsked,  // no prompt, or closed with Cancel: nothing to say
        Refused,   // not a store album address; no request was sent
        Cancelled, // the read was cancelled
        NoSongs,   // the page gave no songs, or did not arrive
        Applied,   // songs given to the queue
    };
    Kind kind = Kind::NotAsked;
    int songsApplied = 0;
    // A sentence for the status bar ("12 songs applied"); empty for NotAsked.
    QString text;
};

// The queue: its entries, the intake of paths, decoding, the table's data,
// and (in the folders of the subsystems that add them) the hand-off to the
// music library and the store command. One instance lives as long as the
// process; it is built and used on the main thread unless a function says
// otherwise.
class FilesController {
public:
    // Takes the music library's handle from the scripting bridge.
    FilesController();
    // Uses the given handle instead (tests script the library's replies).
    explicit FilesController(iTunesApplicationPointer iTunes);
    FilesController(const FilesController&) = delete;
    FilesController& operator=(const FilesController&) = delete;
    // Drops pending decodes, waits for running ones, for an intake under
    // way (which stops reading) and for hand-offs.
    ~FilesController();

    // --- Intake (FilesControllerIntake.cpp) ---
    // Paths are the file system's bytes (see FilePath.h).
    // Queues the path when its extension is "flac" (any case) and it is not
    // queued already. Does not reload the table.
    void addFile(const QByteArray& path);
    // Queues every FLAC file below the folder.
    void addDirectory(const QByteArray& path);
    // Queues files and folders, then reloads the table once.
    void addFiles(const QList<QByteArray>& paths);
    // The same for paths given as text, as file dialogs give them.
    void addFiles(const QStringList& paths);
    // Queues files and folders as addFiles does, with the same entries in
    // the same order and the same paths passed over, but walks the folders
    // and reads the files on a thread of its own, so that the event loop
    // goes on. The entries are appended on the main thread as they are read,
    // a few times a second, each time followed by reloadAppendedRows() on
    // the table. Intakes begun one after another are taken in that order.
    void beginAddingFiles(const QList<QByteArray>& paths);
    // Any thread.
    IntakeProgress intakeProgress() const;
    // Called on the main thread after each batch an intake appends, and as
    // each intake ends.
    void setIntakeHandler(std::function<void()> handler) { intakeHandler_ = std::move(handler); }
    // Every path intake passed over, with why, in the order met: paths that
    // do not exist, files not named as FLAC files, folders that cannot be
    // read, FLAC names that are no files. Any thread.
    QList<SkippedPath> skippedPaths() const;

    // --- Decode scheduling (FilesControllerScheduling.cpp) ---
    // Decodes every queued file not yet in the library and hands them to it,
    // in one batch when their WAV files fit the temporary space at once,
    // else in as many successive batches as it takes (see DecodeBatch.h).
    // Disables `sender` until the run's last hand-off has finished; a run
    // under way is not started again.
    void startDecoding(const std::shared_ptr<Control>& sender);
    // Ends the run once the decodes under way are done: what they decoded is
    // still handed to the library; files not yet started stay Waiting.
    void stopDecoding();
    // One decode operation; runs on a worker thread.
    void decodeEntry(const QueueEntryPointer& entry);
    // Redraws the entry's status cell.
    void refreshEntry(const QueueEntryPointer& entry);
    // The work queue's count changed to `change`; runs on the thread that
    // changed it. Shows the decodes left in the run on the badge; at zero
    // starts the batch's hand-off.
    void observeValueForKeyPathOfObjectChangeContext(const QString& keyPath, const void* object,
                                                     int change);
    // The bytes free on the temporary folder's file system: statvfs unless
    // replaced (tests give a small one). Asked on the main thread before
    // each batch.
    using FreeSpaceQuery = std::function<std::optional<uint64_t>()>;
    void setFreeSpaceQuery(FreeSpaceQuery query) { freeSpaceQuery_ = std::move(query); }
    // Left free when a run is fitted into the temporary space, for the
    // library's own files and everything else on that file system.
    static constexpr uint64_t temporarySpaceMargin = 128 * 1000 * 1000;
    // Ends the run soon, for a quitting application: pending decodes and
    // later batches are dropped (running decodes finish), no hand-off starts
    // from now on, and the library is asked to stop the one under way. An
    // intake in the background stops reading, and no new one starts.
    void stopRunning();
    // True while decodes are queued or running, a hand-off is under way or
    // an intake is reading in the background. Any thread. Only after stopRunning() does false mean
    // that nothing will start any more: a batch's last decode starts its hand-off.
    bool isRunning() const;
    // Hand-off threads not yet joined: finished ones are joined as the next
    // starts and as each run ends, so a long session does not pile them up.
    int handOffThreadCount() const;

    // --- Progress of a run (FilesControllerProgress.cpp) ---
    // How far the run under way (or the last one) has come. Any thread.
    RunProgress runProgress() const;
    // Called on the main thread after the progress has changed: at the start,
    // as decodes finish, as the library finishes each file, at the end.
    // Changes that come while a call is waiting make one call, so a long run
    // does not flood the event loop.
    void setProgressHandler(std::function<void()> handler) {
        progressHandler_ = std::move(handler);
    }
    // What became of the files of the run that ended last; set before the
    // hand-off-finished handler is called.
    RunSummary lastRunSummary() const { return lastRunSummary_; }
    // The run's files the library has finished with, in the order it did.
    // Any thread.
    QList<LibraryOutcome> libraryOutcomes() const { return progress_.libraryOutcomes(); }

    // --- Table data source (FilesControllerTable.cpp) ---
    int numberOfRowsInTableView() const;
    // The text of a cell: the column identifier alone decides what it shows.
    QString tableViewObjectValueForTableColumnRow(const QString& columnIdentifier, int row) const;
    // The tooltip of a cell: the full path of a file's name, the reason of a
    // status (the status itself while there is none), else the cell's text.
    QString tableViewToolTipForTableColumnRow(const QString& columnIdentifier, int row) const;
    // Every drop lands after the last row.
    DropTarget tableViewValidateDropProposedRowProposedDropOperation(
        int proposedRow, DropOperation proposedDropOperation) const;
    // Queues the dropped files and folders in the background (see
    // beginAddingFiles); always taken.
    bool tableViewAcceptDropRowDropOperation(const QList<QUrl>& items, int row,
                                             DropOperation dropOperation);

    // --- Hand-off to the music library (src/itunes) ---
    // Sends every decoded file to the library in one batch and tags the
    // tracks it returns; the files it did not take stay Encoding with its
    // reason. Runs on a hand-off thread of its own.
    void encodeAll();
    // Sets the track properties that the comment map names for `comments`.
    void applyCommentsToTrack(const CommentsDictionary& comments, iTunesTrack& track) const;

    // --- Store command (src/store) ---
    // Asks for an album page's address and gives each queued file, by
    // position, the tags of the page's song at that position. Says what it
    // did, for the window to show: the command itself shows no message.
    FetchOutcome fetchMetadata();
    // Gives every file the tags it had before the last fetch that changed
    // any, once. Start takes the fetched tags to the library, so from then
    // on there is nothing to undo.
    bool canUndoFetchMetadata() const { return !commentsBeforeFetch_.isEmpty(); }
    void undoFetchMetadata();
    std::shared_ptr<Prompt> prompt() const { return prompt_.load(); }
    void setPrompt(std::shared_ptr<Prompt> prompt) { prompt_.store(std::move(prompt)); }
    // Reads an album page into one comments dictionary per song. The store
    // reader unless replaced (tests put a scripted one in).
    using AlbumReader = std::function<QList<CommentsDictionary>(const QUrl&)>;
    void setAlbumReader(AlbumReader reader) { albumReader_ = std::move(reader); }

    // --- Collaborators ---
    std::shared_ptr<TableView> tableView() const { return tableView_.load(); }
    void setTableView(std::shared_ptr<TableView> tableView) {
        tableView_.store(std::move(tableView));
    }
    std::shared_ptr<Badge> badge() const { return badge_.load(); }
    void setBadge(std::shared_ptr<Badge> badge) { badge_.store(std::move(badge)); }
    // Called on the main thread each time a run's last hand-off has finished.
    void setHandOffFinishedHandler(std::function<void()> handler) {
        handOffFinished_ = std::move(handler);
    }

    // A snapshot of the queue, in the order paths were added. Any thread.
    QList<QueueEntryPointer> files() const;
    WorkQueue& operationQueue() { return *operationQueue_; }
    const iTunesApplicationPointer& iTunes() const { return iTunes_; }
    const std::optional<QVariantMap>& commentMap() const { return commentMap_; }
    // Replaces the shipped comment map (tests try rows it does not have).
    void setCommentMap(std::optional<QVariantMap> commentMap) {
        commentMap_ = std::move(commentMap);
    }

private:
    void skipPath(const QByteArray& path, const QString& reason);
    // Intake's walk, on the thread that runs it: every FLAC file named or
    // found below a folder goes to `take`, in order; the rest is skipped
    // with its reason. Ends early once `cancelled` holds.
    void walkPaths(const QList<QByteArray>& paths,
                   const std::function<void(const QByteArray&)>& take,
                   const std::function<bool()>& cancelled = {});
    bool isQueued(const QByteArray& path) const;
    // Under filesLock_: appends the entry unless its path is queued already.
    void appendIfNew(QueueEntryPointer entry);
    // Intake thread.
    void readInBackground(const QList<QByteArray>& paths);
    // Main thread.
    void appendEntries(const QList<QueueEntryPointer>& entries);
    void intakeDidFinish();
    int rowOfEntry(const QueueEntryPointer& entry) const;
    // Null for a row the table does not have.
    QueueEntryPointer entryAtRow(int row) const;
    void reloadTable() const;
    // Runs `work` on the main thread later, unless the controller is gone.
    void post(std::function<void()> work) const;
    // Main thread: decodes the next batch that fits, failing the files that
    // fit in no batch.
    void startNextBatch();
    void failForWantOfSpace(const QList<QueueEntryPointer>& entries, uint64_t usableSpace);
    std::optional<uint64_t> usableTemporarySpace() const;
    void startHandOff();
    // Under handOffsLock_.
    void joinFinishedHandOffs();
    // Main thread, after each batch's hand-off.
    void handOffDidFinish();
    void runDidFinish();
    // Hand-off thread: gives each file the library did not take its reason.
    void explainFilesNotTaken(const QList<QPair<QUrl, QueueEntryPointer>>& handedOver) const;
    // Any thread: asks for one call of the progress handler.
    void progressDidChange();
    // A thread of the library's.
    void libraryDidFinishFile(const QUrl& file, bool converted);

    iTunesApplicationPointer iTunes_;
    std::unique_ptr<WorkQueue> operationQueue_;
    AtomicProperty<std::shared_ptr<TableView>> tableView_;
    // Appended on the main thread, read from the hand-off thread.
    mutable std::mutex filesLock_;
    QList<QueueEntryPointer> files_;
    QSet<QByteArray> queuedPaths_;
    // Entries are never removed or reordered, so a row, once given, holds.
    QHash<const QueueEntry*, int> rowOfEntry_;
    QList<SkippedPath> skippedPaths_;
    std::optional<QVariantMap> commentMap_;

    AtomicProperty<std::shared_ptr<Badge>> badge_;
    AtomicProperty<std::shared_ptr<Prompt>> prompt_;
    AlbumReader albumReader_;
    // The entries the last fetch changed, with their tags from before it;
    // main thread.
    QList<QPair<QueueEntryPointer, CommentsDictionary>> commentsBeforeFetch_;
    std::shared_ptr<Control> startControl_;
    std::function<void()> handOffFinished_;
    FreeSpaceQuery freeSpaceQuery_;
    // The run under way, on the main thread: entries left for later batches.
    bool runUnderWay_ = false;
    QList<QueueEntryPointer> laterInRun_;
    // Their number, which the badge adds to the work queue's count.
    std::atomic<int> laterInRunCount_{0};
    // One thread, so that intakes are taken in the order they were begun.
    std::unique_ptr<WorkQueue> intakeQueue_;
    std::atomic<int> intakesUnderWay_{0};
    std::atomic<int> filesReadByIntakes_{0};
    std::function<void()> intakeHandler_;
    // Main-thread work posted by other threads is dropped with this object.
    std::unique_ptr<QObject> mainThreadContext_;

    RunProgressTracker progress_;
    std::function<void()> progressHandler_;
    // Set while a call of the progress handler waits on the main thread.
    std::atomic<bool> progressCallPending_{false};
    // The run under way or the last one, main thread.
    QList<QueueEntryPointer> runEntries_;
    RunSummary lastRunSummary_;

    struct HandOff {
        std::atomic<bool> finished{false};
        std::jthread thread;
    };
    mutable std::mutex handOffsLock_;
    // A list, so that each thread's record stays where it is.
    std::list<HandOff> handOffs_;
    // Set under handOffsLock_, so that a stop either prevents a hand-off
    // from starting or finds it in handOffs_.
    std::atomic<bool> stopping_ = false;
};

} // namespace decant
