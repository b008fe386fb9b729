#pragma once

#include <QByteArray>

#include <array>
#include <cstdint>
#include <optional>

namespace decant {

// A file opened read-only for the reader below; closed with the object.
class ReadOnlyFile {
public:
    // Links followed; not blocking, should the name now be a FIFO.
    explicit ReadOnlyFile(const QByteArray& path);
    ReadOnlyFile(const ReadOnlyFile&) = delete;
    ReadOnlyFile& operator=(const ReadOnlyFile&) = delete;
    ~ReadOnlyFile();

    // -1 when it could not be opened.
    int descriptor() const { return descriptor_; }

private:
    int descriptor_ = -1;
};

// Reads one FLAC metadata block's body a field at a time, straight from the
// file and never past the body's end as its header gives it. A length field
// that claims more than is left ends the reading instead of asking for that
// much memory: libFLAC's own readers take a whole block, and a field's
// claim, at its word.
class MetadataBlockReader {
public:
    MetadataBlockReader(int descriptor, uint64_t bodyOffset, uint32_t bodyLength);

    std::optional<uint32_t> readLittleEndian32();
    std::optional<uint32_t> readBigEndian32();
    // Nothing when fewer bytes are left in the body, or in the file.
    std::optional<QByteArray> read(uint32_t size);
    bool skip(uint32_t size);

    // Bytes of the body not yet read.
    uint64_t remaining() const { return end_ - next_; }
    // Where the next read starts, from the start of the file.
    uint64_t offset() const { return next_; }

private:
    bool readInto(char* bytes, uint32_t size);
    // Reads the body from `next_` into the buffer, as much as fits.
    bool fillBuffer();

    int descriptor_;
    uint64_t next_;
    uint64_t end_;
    // Fields are a few bytes each: they are served from one read of the
    // body's next few kilobytes, not a system call apiece.
    std::array<char, 4096> buffer_{};
    uint64_t bufferStart_ = 0;
    uint64_t bufferEnd_ = 0;
};

} // namespace decant
