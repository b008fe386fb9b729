#pragma once

#include <QString>

#include <chrono>
#include <memory>
#include <optional>

namespace decant::library {

// A file being written into the media folder under a hidden name of its
// own. Removed when it goes out of scope, unless it has been given its
// final name.
class PendingFile {
public:
    explicit PendingFile(QString path);
    ~PendingFile();
    PendingFile(const PendingFile&) = delete;
    PendingFile& operator=(const PendingFile&) = delete;

    const QString& path() const { return path_; }
    // Forces the written bytes to disk, so that a renamed file is never
    // left empty by a power cut.
    bool sync() const;
    // The file now lives under another name: nothing to remove.
    void release() { released_ = true; }

private:
    QString path_;
    bool released_ = false;
};

// The folder the library's media files live in.
class MediaFolder {
public:
    explicit MediaFolder(QString path);

    const QString& path() const { return path_; }

    // Creates a new empty pending file; null, with the reason, on failure.
    std::unique_ptr<PendingFile> createPendingFile(QString* error) const;

    // Gives the pending file the first free name of "stem.extension",
    // "stem 2.extension", "stem 3.extension"... Taking the name is atomic,
    // so two conversions (in this process or another) never share one and
    // no existing file is ever replaced. The file name, or nothing.
    std::optional<QString> claimFreeName(PendingFile& file, const QString& stem,
                                         const QString& extension, QString* error) const;

    // Removes pending files that a crash left behind: those untouched for
    // longer than any conversion takes, so that another process's running
    // conversions keep theirs.
    void removeAbandonedFiles(std::chrono::seconds age) const;

private:
    QString path_;
};

// A stem usable as a file name: not empty, no longer than file systems take.
QString usableStem(const QString& name);

} // namespace decant::library
