#include "queue/MetadataBlockReader.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace decant {

ReadOnlyFile::ReadOnlyFile(const QByteArray& path)
    : descriptor_(::open(path.constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK)) {}

ReadOnlyFile::~ReadOnlyFile() {
    if (descriptor_ >= 0) {
        ::close(descriptor_);
    }
}

MetadataBlockReader::MetadataBlockReader(int descriptor, uint64_t bodyOffset, uint32_t bodyLength)
    : descriptor_(descriptor)
    , next_(bodyOffset)
    , end_(bodyOffset + bodyLength) {}

namespace {

// Reads `size` bytes at `offset`; false when the file ends first or fails.
bool readAt(int descriptor, char* bytes, uint64_t size, uint64_t offset) {
    uint64_t done = 0;
    while (done < size) {
        const ssize_t got = pread(descriptor, bytes + done, size - done, off_t(offset + done));
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            return false;
        }
        done += uint64_t(got);
    }
    return true;
}

} // namespace

bool MetadataBlockReader::fillBuffer() {
    const uint64_t size = std::min<uint64_t>(buffer_.size(), remaining());
    // A body cut short by the end of the file is read as far as it goes.
    ssize_t got = 0;
    do {
        got = pread(descriptor_, buffer_.data(), size, off_t(next_));
    } while (got < 0 && errno == EINTR);
    if (got <= 0) {
        return false;
    }
    bufferStart_ = next_;
    bufferEnd_ = next_ + uint64_t(got);
    return true;
}

bool MetadataBlockReader::readInto(char* bytes, uint32_t size) {
    if (size > remaining()) {
        return false;
    }
    if (size > buffer_.size()) {
        if (!readAt(descriptor_, bytes, size, next_)) {
            return false;
        }
    } else {
        if ((next_ < bufferStart_ || next_ + size > bufferEnd_) &&
            (!fillBuffer() || next_ + size > bufferEnd_)) {
            return false;
        }
        std::memcpy(bytes, buffer_.data() + (next_ - bufferStart_), size);
    }
    next_ += size;
    return true;
}

std::optional<uint32_t> MetadataBlockReader::readLittleEndian32() {
    std::array<unsigned char, 4> bytes{};
    if (!readInto(reinterpret_cast<char*>(bytes.data()), 4)) {
        return std::nullopt;
    }
    return uint32_t(bytes[0]) | uint32_t(bytes[1]) << 8 | uint32_t(bytes[2]) << 16 |
           uint32_t(bytes[3]) << 24;
}

std::optional<uint32_t> MetadataBlockReader::readBigEndian32() {
    std::array<unsigned char, 4> bytes{};
    if (!readInto(reinterpret_cast<char*>(bytes.data()), 4)) {
        return std::nullopt;
    }
    return uint32_t(bytes[0]) << 24 | uint32_t(bytes[1]) << 16 | uint32_t(bytes[2]) << 8 |
           uint32_t(bytes[3]);
}

std::optional<QByteArray> MetadataBlockReader::read(uint32_t size) {
    if (size > remaining()) {
        return std::nullopt;
    }
    QByteArray bytes(qsizetype(size), Qt::Uninitialized);
    if (!readInto(bytes.data(), size)) {
        return std::nullopt;
    }
    return bytes;
}

bool MetadataBlockReader::skip(uint32_t size) {
    if (size > remaining()) {
        return false;
    }
    next_ += size;
    return true;
}

} // namespace decant
