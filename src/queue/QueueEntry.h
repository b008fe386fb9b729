#pragma once

#include "platform/AtomicProperty.h"
#include "queue/Comments.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>

namespace decant {

// Where an entry stands in the pipeline. The numbers are stable: other code
// and the table rely on them.
enum QueueEntryStatus : int32_t {
    QueueEntryStatusWaiting = 0,
    QueueEntryStatusDecoding = 1,
    QueueEntryStatusDecoded = 2,
    QueueEntryStatusFailed = 3,
    QueueEntryStatusEncoding = 4,
    QueueEntryStatusDone = 5,
};

// "Waiting", "Decoding", ... ; a null QString for any other value.
QString displayTextForStatus(int32_t status);

// Lower-case hexadecimal MD5 of the bytes, up to the first NUL if any: 32
// characters.
QString MD5(const QByteArray& bytes);
// The same of the text's UTF-8 bytes.
QString MD5(const QString& text);

struct FLACMetadata;

// One track of a FLAC file that holds a whole album, cut by its CUE sheet:
// samples [firstSample, endSample) of the stream, per channel.
struct QueueEntryTrack {
    int number = 0;
    QString title; // the sheet's, for the row's name; may be empty
    uint64_t firstSample = 0;
    uint64_t endSample = 0;
};

// One FLAC file in the queue, or one CUE track of it. Created from its path, it derives everything
// else the pipeline needs: the hash that names its WAV file (and later its
// track in the library), the WAV file's path (in this process's run folder,
// see RunFolder.h) and the file's tags.
//
// The path is the file's exact bytes (see FilePath.h), the hash the MD5 of
// those bytes: for a UTF-8 name, the MD5 of its text.
//
// Shared by the main thread, the decode workers and the hand-off thread:
// `path` is guarded by the entry's own lock; the hash, the WAV path and the
// comments are replaced whole; the status is one atomic 32-bit value.
class QueueEntry {
public:
    static std::shared_ptr<QueueEntry> entryWithPath(const QByteArray& path);
    // The same, from metadata read already.
    static std::shared_ptr<QueueEntry> entryForFile(const QByteArray& path,
                                                    const FLACMetadata& metadata);
    // The entry of one track of the file whose metadata is given, with the
    // track's own tags. Its hash is the MD5 of the path's bytes, "#" and the
    // track's number: no whole file's path ends so, since the queue takes
    // only names ending in ".flac".
    static std::shared_ptr<QueueEntry> entryForTrack(const QByteArray& path,
                                                     const FLACMetadata& metadata,
                                                     const QueueEntryTrack& track,
                                                     CommentsDictionary comments);

    explicit QueueEntry(const QByteArray& path);
    QueueEntry(const QueueEntry&) = delete;
    QueueEntry& operator=(const QueueEntry&) = delete;

    QByteArray path() const;
    // The path's last component, the file's name with its extension, as
    // text to show (bytes that are not UTF-8 as replacement characters);
    // for a track, with its number and title: "Album.flac #3 · Title".
    QString fileName() const;
    // The track of the file this entry stands for; nothing for the whole
    // file. Fixed when the entry is made.
    const std::optional<QueueEntryTrack>& track() const { return track_; }
    // What the queue holds once at most: the path, or for a track the
    // bytes its hash is taken of.
    QByteArray queueKey() const;
    // Derives the hash, the WAV path, the WAV file's expected size and the
    // comments afresh (reading the file), so comments assigned earlier are
    // discarded. For whole files only.
    void setPath(const QByteArray& path);

    QString pathHash() const { return pathHash_.load(); }
    QString decodedPath() const { return decodedPath_.load(); }
    // The bytes the decoded WAV file will take, known from STREAMINFO (see
    // expectedDecodedSize); 0 for a file that will not decode.
    uint64_t expectedDecodedSize() const { return expectedDecodedSize_.load(); }

    // What reading the file passed over, in words for the user ("a comment
    // of 16 MB was left out: …"); read with the comments.
    QStringList notes() const { return notes_.load(); }
    // Before the entry is shared only.
    void addNote(const QString& note) { notes_.store(notes_.load() << note); }

    CommentsDictionary comments() const { return comments_.load(); }
    void setComments(CommentsDictionary comments) { comments_.store(std::move(comments)); }

    // Why the entry failed, in words for the user ("MD5 signature
    // mismatch"); empty while nothing went wrong. Set where the failure
    // happens, before the status says Failed, and cleared when the entry is
    // scheduled again. An entry the library did not take keeps the status
    // Encoding and gets the library's reason.
    QString failureReason() const { return failureReason_.load(); }
    void setFailureReason(QString reason) { failureReason_.store(std::move(reason)); }

    // What the library proved of its track by decoding it back ("lossless,
    // MD5 ..."); empty until the track is in the library, or when the
    // library proved nothing.
    QString verification() const { return verification_.load(); }
    void setVerification(QString verification) { verification_.store(std::move(verification)); }

    // The MD5 of the WAV file's audio that its decode proved (see
    // DecodeResult::audioDigest), which spares the library hashing the file
    // again; empty when the decode proved none, or before it.
    QString audioDigest() const { return audioDigest_.load(); }
    void setAudioDigest(QString digest) { audioDigest_.store(std::move(digest)); }
    // The decode's XXH3-128 digest of the same bytes (see
    // DecodeResult::sampleCheck), which the library's proof compares with.
    QString sampleCheck() const { return sampleCheck_.load(); }
    void setSampleCheck(QString check) { sampleCheck_.store(std::move(check)); }

    QueueEntryStatus status() const { return QueueEntryStatus(status_.load()); }
    void setStatus(QueueEntryStatus status) { status_.store(status); }
    // Moves the entry from `expected` to `desired` in one step; false, and no
    // change, when it was not at `expected`.
    bool exchangeStatus(QueueEntryStatus expected, QueueEntryStatus desired) {
        int32_t current = expected;
        return status_.compare_exchange_strong(current, desired);
    }

private:
    QueueEntry() = default;
    void derivePaths(const QByteArray& hashedBytes);
    void applyMetadata(const FLACMetadata& metadata);

    std::optional<QueueEntryTrack> track_;
    mutable std::recursive_mutex pathLock_;
    QByteArray path_;
    AtomicProperty<QString> pathHash_;
    AtomicProperty<QString> decodedPath_;
    std::atomic<uint64_t> expectedDecodedSize_{0};
    AtomicProperty<CommentsDictionary> comments_;
    AtomicProperty<QStringList> notes_;
    AtomicProperty<QString> failureReason_;
    AtomicProperty<QString> verification_;
    AtomicProperty<QString> audioDigest_;
    AtomicProperty<QString> sampleCheck_;
    std::atomic<int32_t> status_{QueueEntryStatusWaiting};
};

using QueueEntryPointer = std::shared_ptr<QueueEntry>;

} // namespace decant
