#pragma once

#include "decode/DecodeOutcome.h"
#include "decode/WAVHeader.h"

#include <cstdio>
#include <memory>
#include <optional>
#include <sys/stat.h>

namespace decant {

// Identifies a file on disk whatever path leads to it.
struct FileIdentity {
    dev_t device = 0;
    ino_t inode = 0;
    friend bool operator==(const FileIdentity&, const FileIdentity&) = default;
};

// The WAV file a decode writes: a stream on a descriptor that was opened
// without following links, so a link planted at the destination cannot
// redirect the write. Every write error counts, including those that only
// show at close.
//
// Frames are packed straight into the stream's buffer (reserve, fill,
// commit), which goes to disk in 256 KiB pieces: ext4 takes twice the system
// time to take 50 MB in 16 KiB writes as in 256 KiB ones.
class WAVOutputFile {
public:
    // Opens `path` for writing, created with mode 0600 when missing. The file
    // is emptied only once it is known not to be `source` (the same file
    // under another name, a hard link), which is never written to. With
    // DestinationMode::CreateNew an existing file is left as it is and not
    // opened (DestinationExists).
    WAVOutputFile(const char* path, const std::optional<FileIdentity>& source,
                  DestinationMode mode = DestinationMode::ReplaceExisting);
    WAVOutputFile(const WAVOutputFile&) = delete;
    WAVOutputFile& operator=(const WAVOutputFile&) = delete;
    // A file that was not closed keeps what was committed to it: the partial
    // output of a failed decode stays on disk, and the caller removes it.
    ~WAVOutputFile();

    // Decoded when the file is open and empty, else why not.
    DecodeOutcome openOutcome() const { return openOutcome_; }

    // Room for the next `size` bytes of the file, to be filled in place and
    // then committed; null once anything failed to be written.
    unsigned char* reserve(std::size_t size);
    void commit(std::size_t size) { buffered += size; }
    bool write(const unsigned char* bytes, std::size_t size);

    // Writes the header again over the first bytes, after everything
    // committed; only close() may follow.
    bool rewriteHeader(const WAVHeader& header);
    // Writes what is buffered and closes; false when that or anything before failed.
    bool close();
    // Why a write failed: NoSpace when the file system is full (or the
    // user's quota is), WriteFailed for any other error.
    DecodeOutcome writeFailure() const { return writeFailure_; }

private:
    struct StreamCloser {
        void operator()(std::FILE* stream) const { std::fclose(stream); }
    };

    DecodeOutcome open(const char* path, const std::optional<FileIdentity>& source,
                       DestinationMode mode);
    bool writeBuffer();
    // Keeps the reason of the first failure; false from then on.
    bool noteFailure(bool succeeded);

    std::unique_ptr<std::FILE, StreamCloser> stream;
    // Left uninitialised: a short file never touches most of its pages.
    std::unique_ptr<unsigned char[]> buffer;
    std::size_t capacity = 0;
    std::size_t buffered = 0;
    DecodeOutcome openOutcome_ = DecodeOutcome::DestinationUnopenable;
    DecodeOutcome writeFailure_ = DecodeOutcome::WriteFailed;
    bool failed = false;
};

inline FileIdentity identityOf(const struct stat& info) {
    return {info.st_dev, info.st_ino};
}

} // namespace decant
