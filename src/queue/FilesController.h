#pragma once

#include "platform/AtomicProperty.h"
#include "platform/Badge.h"
#include "platform/Control.h"
#include "platform/TableView.h"
#include "platform/TemporaryDirectory.h"
#include "platform/WorkQueue.h"
#include "queue/LibraryHandOff.h"
#include "queue/QueueEntry.h"
#include "queue/RunProgress.h"
#include "queue/RunProgressTracker.h"
#include "queue/RunSummary.h"
#include "queue/SourceClaims.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QObject>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QUrl>

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

// The queue: its entries, the intake of paths, decoding, the table's data
// and the progress of a run. The subsystems built on it are not known here:
// at the end of each batch encodeAll hands the files to the LibraryHandOff
// the controller was made with, which holds the library's handle and the
// comment map (src/itunes); the store command works on the controller from
// outside (MetadataFetchCommand, src/store). One instance lives as long as
// the process; it is built and used on the main thread unless a function
// says otherwise.
class FilesController {
public:
    // The front ends give the hand-off to the library that answers to the
    // scripting bridge; tests give one over a scripted library, or null
    // where they test the queue alone (its batches then go nowhere and stay
    // Encoding).
    explicit FilesController(std::shared_ptr<LibraryHandOff> handOff);
    FilesController(const FilesController&) = delete;
    FilesController& operator=(const FilesController&) = delete;
    // Drops pending decodes, waits for running ones, for an intake under
    // way (which stops reading) and for hand-offs.
    ~FilesController();

    // --- Intake (FilesControllerIntake.cpp) ---
    // Paths are the file system's bytes (see FilePath.h).
    // Queues the path when its extension is "flac" (any case) and it is not
    // queued already: one entry, or one per track of its CUE sheet (see
    // entriesForFile). Does not reload the table.
    void addFile(const QByteArray& path);
    // Queues every FLAC file below the folder.
    void addDirectory(const QByteArray& path);
    // Queues files and folders, then reloads the table once. A CUE sheet
    // given by name stands for the FLAC files it names.
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
    // The run's sources are claimed first (SourceClaims): a file another
    // Decant process is importing fails at once with the reason.
    // Disables `sender` until the run's last hand-off has finished; a run
    // under way is not started again.
    void startDecoding(const std::shared_ptr<Control>& sender);
    // Ends the run once the decodes under way are done: what they decoded is
    // still handed to the library; files not yet started stay Waiting.
    void stopDecoding();
    // How many runs the start command has begun. A command that changes the
    // entries' tags tells by it whether a run has taken them to the library
    // since.
    int runsStarted() const { return runsStarted_; }
    // One decode operation; runs on a worker thread.
    void decodeEntry(const QueueEntryPointer& entry);
    // One decode of a file for the tracks of it given; a worker thread.
    void decodeTracks(const QList<QueueEntryPointer>& tracks);
    // Redraws the entry's status cell.
    void refreshEntry(const QueueEntryPointer& entry);
    // The work queue's count changed to `change`; runs on the thread that
    // changed it. Shows the decodes left in the run on the badge; at zero
    // starts the batch's hand-off.
    void observeValueForKeyPathOfObjectChangeContext(const QString& keyPath, const void* object,
                                                     int change);
    // The free space and the size of the temporary folder's file system:
    // statvfs unless replaced (tests give a small one). Asked on the main
    // thread before each batch, which leaves temporarySpaceMargin of it free.
    using FreeSpaceQuery = std::function<std::optional<FileSystemSpace>()>;
    void setFreeSpaceQuery(FreeSpaceQuery query) { freeSpaceQuery_ = std::move(query); }
    // Ends the run soon, for a quitting application: pending decodes and
    // later batches are dropped (running decodes finish), no hand-off starts
    // from now on, and the library is asked to stop the one under way. An
    // intake in the background stops reading, and no new one starts.
    void stopRunning();
    // True while decodes are queued or running, a hand-off is under way or
    // an intake is reading in the background. Any thread. Only after stopRunning() does false mean
    // that nothing will start any more: a batch's last decode starts its hand-off.
    bool isRunning() const;
    // For a process that ends: removes the decoded audio of every entry that
    // is neither Done (its file is gone already) nor Failed (a failed
    // decode's file stays for inspection until the next start), and lets
    // other processes import its sources. Main thread, once nothing runs or
    // nothing more will be waited for.
    void removeDecodedAudio();
    // Hand-off threads not yet joined: finished ones are joined as the next
    // starts and as each run ends, so a long session does not pile them up.
    int handOffThreadCount() const;

    // --- Editing the queue (FilesControllerEditing.cpp) ---
    // Whether the row can leave the queue: not while its file is decoding,
    // decoded and waiting for the library, or with the library, nor while
    // it waits for its decode in the run under way.
    bool canRemoveRow(int row) const;
    // Takes the rows that can leave out of the queue, deleting their decoded
    // audio; their source files stay as they are. The number removed.
    int removeRows(const QList<int>& rows);
    // Takes the Done rows out of the queue. The number removed.
    int clearFinished();
    // Whether a run was started and has not ended yet.
    bool isRunUnderWay() const { return runUnderWay_; }
    // The user's stop: no decode starts from now on, the decodes under way
    // finish, the library abandons the file it is converting and takes no
    // more. When the run has ended, the files it did not import are Waiting
    // again with the reason "stopped", and the next Start takes them.
    // Stopping a run that is stopping, or none, does nothing.
    void stopRun();

    // --- Progress of a run (FilesControllerProgress.cpp) ---
    // Where the library is with a row's file while its batch is with the
    // library: converting until the library reports the file converted and
    // proved against its source, proved after that (the hand-off then tags
    // it, and it becomes Done); none outside a hand-off. The row's status
    // stays Encoding meanwhile. Any thread.
    enum class HandOffStage { None, Converting, Proved };
    HandOffStage handOffStageOfRow(int row) const;
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
    // status (the status itself while there is none), else the cell's text;
    // then, on any cell, what the library proved and the entry's notes.
    QString tableViewToolTipForTableColumnRow(const QString& columnIdentifier, int row) const;
    // Every drop lands after the last row.
    DropTarget tableViewValidateDropProposedRowProposedDropOperation(
        int proposedRow, DropOperation proposedDropOperation) const;
    // Queues the dropped files and folders in the background (see
    // beginAddingFiles); always taken.
    bool tableViewAcceptDropRowDropOperation(const QList<QUrl>& items, int row,
                                             DropOperation dropOperation);

    // --- Hand-off to the music library (FilesControllerScheduling.cpp) ---
    // Moves every decoded file to Encoding and gives them, as one batch, to
    // the hand-off, which sends them to the library and tags the tracks it
    // returns; the files it did not take stay Encoding with its reason.
    // Runs on a hand-off thread of its own.
    void encodeAll();

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
    // Tells the table to show every row afresh.
    void reloadTable() const;
    WorkQueue& operationQueue() { return *operationQueue_; }

private:
    void skipPath(const QByteArray& path, const QString& reason);
    // Intake's walk, on the thread that runs it: every FLAC file named or
    // found below a folder goes to `take`, in order; the rest is skipped
    // with its reason. Ends early once `cancelled` holds.
    void walkPaths(const QList<QByteArray>& paths,
                   const std::function<void(const QByteArray&)>& take,
                   const std::function<bool()>& cancelled = {});
    // Whether the whole file is queued: a file cut into tracks is read
    // again, and only the tracks not queued are taken.
    bool isQueued(const QByteArray& path) const;
    // Under filesLock_: appends the entry unless it is queued already, or
    // the file is queued whole and this is one of its tracks, or the other
    // way round.
    void appendIfNew(QueueEntryPointer entry);
    // Under filesLock_.
    void forgetEntry(const QueueEntry& entry);
    // Intake thread.
    void readInBackground(const QList<QByteArray>& paths);
    // Main thread.
    void appendEntries(const QList<QueueEntryPointer>& entries);
    void intakeDidFinish();
    int rowOfEntry(const QueueEntryPointer& entry) const;
    // Null for a row the table does not have.
    QueueEntryPointer entryAtRow(int row) const;
    // Runs `work` on the main thread later, unless the controller is gone.
    void post(std::function<void()> work) const;
    // Main thread: decodes the next batch that fits, failing the files that
    // fit in no batch.
    void startNextBatch();
    // Main thread: the run's entries whose sources this process now holds;
    // the others fail with the reason.
    QList<QueueEntryPointer> claimSources(const QList<QueueEntryPointer>& run);
    void failForWantOfSpace(const QList<QueueEntryPointer>& entries, const FileSystemSpace& space);
    // Main thread: fails an entry no decode will take.
    void failBeforeDecoding(const QueueEntryPointer& entry, const QString& reason);
    std::optional<FileSystemSpace> temporarySpace() const;
    // Worker thread: fails the entry with `reason` and reports it.
    void failDecode(const QueueEntryPointer& entry, const QString& reason);
    void startHandOff();
    // Under handOffsLock_.
    void joinFinishedHandOffs();
    // Main thread, after each batch's hand-off.
    void handOffDidFinish();
    void runDidFinish();
    // Any thread: asks for one call of the progress handler.
    void progressDidChange();
    // A thread of the library's.
    void libraryDidFinishFile(const QUrl& file, bool converted);

    std::shared_ptr<LibraryHandOff> handOff_;
    std::unique_ptr<WorkQueue> operationQueue_;
    AtomicProperty<std::shared_ptr<TableView>> tableView_;
    // Appended on the main thread, read from the hand-off thread.
    mutable std::mutex filesLock_;
    QList<QueueEntryPointer> files_;
    QSet<QByteArray> queuedKeys_;
    QHash<QByteArray, int> queuedTracksOfFile_;
    // Made again whenever rows are removed.
    QHash<const QueueEntry*, int> rowOfEntry_;
    QList<SkippedPath> skippedPaths_;

    AtomicProperty<std::shared_ptr<Badge>> badge_;
    std::shared_ptr<Control> startControl_;
    std::function<void()> handOffFinished_;
    FreeSpaceQuery freeSpaceQuery_;
    SourceClaims claims_;
    // Main thread: the runs begun so far, and the run under way with the
    // entries left for its later batches.
    int runsStarted_ = 0;
    bool runUnderWay_ = false;
    // The user stopped the run under way; read by the thread that ends its
    // decodes and by the hand-off.
    std::atomic<bool> runStopped_ = false;
    // Whether a hand-off is in the library now, so that a stop asks the
    // library to stop only a convert under way, never the next run's. Not
    // under handOffsLock_: the destructor joins hand-offs holding that.
    std::mutex convertingLock_;
    bool converting_ = false;
    // Main thread: the run's entries that did not reach the library go
    // back to Waiting, their decoded audio deleted.
    void returnStoppedEntries();
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

    // The batch with the library now, by WAV file, and those of its files
    // the library has proved.
    mutable std::mutex stagesLock_;
    QHash<QUrl, QueueEntryPointer> withLibrary_;
    QSet<const QueueEntry*> inBatch_;
    QSet<const QueueEntry*> proved_;
    // Hand-off thread.
    void setBatchWithLibrary(const HandOffBatch& batch);

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
