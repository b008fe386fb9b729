#pragma once

#include "decode/BackgroundWriter.h"
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
// redirect the write. The audio is written in large pieces by a background
// writer. Every write error counts, including those that only show at close.
class WAVOutputFile {
public:
    // Opens `path` for writing, created with mode 0600 when missing. The file
    // is emptied only once it is known not to be `source` (the same file
    // under another name, a hard link), which is never written to.
    WAVOutputFile(const char* path, const std::optional<FileIdentity>& source);

    // Decoded when the file is open and empty, else why not.
    DecodeOutcome openOutcome() const { return openOutcome_; }

    // Room for the next `size` bytes of the file, to be filled in place and
    // then committed; null once anything failed to be written.
    unsigned char* reserve(std::size_t size);
    void commit(std::size_t size);
    bool write(const unsigned char* bytes, std::size_t size);

    // Writes the header again over the first bytes, once everything committed
    // is on its way to disk; only close() may follow.
    bool rewriteHeader(const WAVHeader& header);
    // Writes what is pending and closes; false when that or anything before failed.
    bool close();

private:
    struct StreamCloser {
        void operator()(std::FILE* stream) const { std::fclose(stream); }
    };

    DecodeOutcome open(const char* path, const std::optional<FileIdentity>& source);
    bool finishWriting();

    std::unique_ptr<std::FILE, StreamCloser> stream;
    // Declared after the stream: stopped before the stream it writes to closes.
    std::unique_ptr<BackgroundWriter> writer;
    DecodeOutcome openOutcome_ = DecodeOutcome::DestinationUnopenable;
    bool failed = false;
};

inline FileIdentity identityOf(const struct stat& info) {
    return {info.st_dev, info.st_ino};
}

} // namespace decant
