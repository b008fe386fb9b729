#pragma once

#include "itunes/iTunesApplication.h"
#include "platform/AtomicProperty.h"
#include "platform/Prompt.h"
#include "platform/TableView.h"
#include "queue/QueueEntry.h"

#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QVariantMap>

#include <functional>
#include <memory>
#include <mutex>
#include <optional>

namespace decant {

// The queue: its entries, the intake of paths, and (in the folders of the
// subsystems that add them) decoding, the hand-off to the music library and
// the store command. One instance lives as long as the process.
class FilesController {
public:
    // Takes the music library's handle from the scripting bridge.
    FilesController();
    // Uses the given handle instead (tests script the library's replies).
    explicit FilesController(iTunesApplicationPointer iTunes);
    FilesController(const FilesController&) = delete;
    FilesController& operator=(const FilesController&) = delete;
    ~FilesController();

    // Intake; main thread.
    // Queues the path when its extension is "flac" (any case) and it is not
    // queued already. Does not reload the table.
    void addFile(const QString& path);
    // Queues every FLAC file below the folder.
    void addDirectory(const QString& path);
    // Queues files and folders (missing paths are skipped), then reloads the
    // table once.
    void addFiles(const QStringList& paths);

    // Store command; main thread. Asks for an album page's address and gives
    // each queued file, by position, the tags of the page's song at that
    // position. Defined with the store subsystem.
    void fetchMetadata();
    std::shared_ptr<Prompt> prompt() const { return prompt_.load(); }
    void setPrompt(std::shared_ptr<Prompt> prompt) { prompt_.store(std::move(prompt)); }
    // Reads an album page into one comments dictionary per song. The store
    // reader unless replaced (tests put a scripted one in).
    using AlbumReader = std::function<QList<CommentsDictionary>(const QUrl&)>;
    void setAlbumReader(AlbumReader reader) { albumReader_ = std::move(reader); }

    std::shared_ptr<TableView> tableView() const { return tableView_.load(); }
    void setTableView(std::shared_ptr<TableView> tableView) {
        tableView_.store(std::move(tableView));
    }

    // A snapshot of the queue, in the order paths were added. Safe on any thread.
    QList<QueueEntryPointer> files() const;

    const iTunesApplicationPointer& iTunes() const { return iTunes_; }
    const std::optional<QVariantMap>& commentMap() const { return commentMap_; }

private:
    void reloadTable() const;

    iTunesApplicationPointer iTunes_;
    AtomicProperty<std::shared_ptr<TableView>> tableView_;
    // Appended on the main thread, read from the hand-off thread.
    mutable std::mutex filesLock_;
    QList<QueueEntryPointer> files_;
    QSet<QString> queuedPaths_;
    std::optional<QVariantMap> commentMap_;
    AtomicProperty<std::shared_ptr<Prompt>> prompt_;
    AlbumReader albumReader_;
};

} // namespace decant
