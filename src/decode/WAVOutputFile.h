#pragma once

#include "decode/DecodeOutcome.h"
#include "decode/WAVHeader.h"

#include <QByteArray>

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

// The WAV file a decode writes: a buffered stream on a descriptor that was
// opened without following links, so a link planted at the destination
// cannot redirect the write. Every write error counts, including those that
// only show when the buffer is flushed at close.
class WAVOutputFile {
public:
    // Opens `path` for writing, created with mode 0600 when missing. The file
    // is emptied only once it is known not to be `source` (the same file
    // under another name, a hard link), which is never written to.
    WAVOutputFile(const QByteArray& path, const std::optional<FileIdentity>& source);

    // Decoded when the file is open and empty, else why not.
    DecodeOutcome openOutcome() const { return openOutcome_; }

    // False, and false ever after, once anything failed to be written.
    bool write(const unsigned char* bytes, std::size_t size);
    // Writes the header again over the first bytes; only close() may follow.
    bool rewriteHeader(const WAVHeader& header);
    // Flushes and closes; false when either fails or an earlier write did.
    bool close();

private:
    struct StreamCloser {
        void operator()(std::FILE* stream) const { std::fclose(stream); }
    };

    DecodeOutcome open(const QByteArray& path, const std::optional<FileIdentity>& source);

    // Declared before the stream, so it outlives the stream that uses it.
    std::unique_ptr<char[]> buffer;
    std::unique_ptr<std::FILE, StreamCloser> stream;
    DecodeOutcome openOutcome_ = DecodeOutcome::DestinationUnopenable;
    bool failed = false;
};

inline FileIdentity identityOf(const struct stat& info) {
    return {info.st_dev, info.st_ino};
}

} // namespace decant
