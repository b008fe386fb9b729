#include "decode/WAVOutputFile.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>
#include <utility>

namespace decant {
namespace {

constexpr std::size_t bufferSize = 256 * 1024;

class Descriptor {
public:
    explicit Descriptor(int descriptor)
        : descriptor(descriptor) {}
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    ~Descriptor() {
        if (descriptor >= 0) {
            ::close(descriptor);
        }
    }

    int get() const { return descriptor; }
    int release() { return std::exchange(descriptor, -1); }

private:
    int descriptor;
};

// O_NONBLOCK only for the open itself: a FIFO without a reader then fails at
// once instead of blocking the worker thread forever.
int openWithoutFollowingLinks(const char* path, DestinationMode mode) {
    const int exclusive = mode == DestinationMode::CreateNew ? O_EXCL : 0;
    int descriptor = -1;
    do {
        descriptor = ::open(
            path, O_WRONLY | O_CREAT | exclusive | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK, 0600);
    } while (descriptor < 0 && errno == EINTR);
    return descriptor;
}

bool makeBlocking(int descriptor) {
    const int flags = fcntl(descriptor, F_GETFL);
    return flags >= 0 && fcntl(descriptor, F_SETFL, flags & ~O_NONBLOCK) == 0;
}

} // namespace

WAVOutputFile::WAVOutputFile(const char* path, const std::optional<FileIdentity>& source,
                             DestinationMode mode) {
    openOutcome_ = open(path, source, mode);
}

WAVOutputFile::~WAVOutputFile() {
    if (stream) {
        writeBuffer();
    }
}

DecodeOutcome WAVOutputFile::open(const char* path, const std::optional<FileIdentity>& source,
                                  DestinationMode mode) {
    Descriptor descriptor(openWithoutFollowingLinks(path, mode));
    if (descriptor.get() < 0 && errno == EEXIST && mode == DestinationMode::CreateNew) {
        return DecodeOutcome::DestinationExists;
    }
    struct stat info {};
    if (descriptor.get() < 0 || fstat(descriptor.get(), &info) != 0 ||
        !makeBlocking(descriptor.get())) {
        return DecodeOutcome::DestinationUnopenable;
    }
    if (source && identityOf(info) == *source) {
        return DecodeOutcome::DestinationIsSource;
    }
    // Truncating only now, not with O_TRUNC, is what keeps the source safe.
    // Only a file with content is truncated: ext4 takes a truncation to 0 for
    // a file being replaced and then flushes all of it to disk when it is
    // closed, which made close() alone cost 16 ms for 50 MB. Devices such as
    // /dev/full cannot be truncated and need not be.
    if (S_ISREG(info.st_mode) && info.st_size > 0 && ftruncate(descriptor.get(), 0) != 0) {
        return DecodeOutcome::DestinationUnopenable;
    }
    stream.reset(fdopen(descriptor.get(), "wb"));
    if (!stream) {
        return DecodeOutcome::DestinationUnopenable;
    }
    descriptor.release();
    // The buffer below is the only one: stdio's would just copy it again.
    setvbuf(stream.get(), nullptr, _IONBF, 0);
    buffer = std::make_unique_for_overwrite<unsigned char[]>(bufferSize);
    capacity = bufferSize;
    return DecodeOutcome::Decoded;
}

unsigned char* WAVOutputFile::reserve(std::size_t size) {
    if (!stream || (buffered + size > capacity && !writeBuffer())) {
        return nullptr;
    }
    // A frame larger than the whole buffer (up to 2 MiB) gets one of its size.
    if (size > capacity) {
        buffer = std::make_unique_for_overwrite<unsigned char[]>(size);
        capacity = size;
    }
    return buffer.get() + buffered;
}

bool WAVOutputFile::write(const unsigned char* bytes, std::size_t size) {
    unsigned char* space = reserve(size);
    if (space == nullptr) {
        return false;
    }
    std::memcpy(space, bytes, size);
    commit(size);
    return true;
}

bool WAVOutputFile::noteFailure(bool succeeded) {
    if (!succeeded && !failed) {
        failed = true;
        writeFailure_ = errno == ENOSPC || errno == EDQUOT ? DecodeOutcome::NoSpace
                                                           : DecodeOutcome::WriteFailed;
    }
    return !failed;
}

bool WAVOutputFile::writeBuffer() {
    if (!failed) {
        noteFailure(std::fwrite(buffer.get(), 1, buffered, stream.get()) == buffered);
    }
    buffered = 0;
    return !failed;
}

bool WAVOutputFile::rewriteHeader(const WAVHeader& header) {
    return stream && writeBuffer() &&
           noteFailure(std::fseek(stream.get(), 0, SEEK_SET) == 0 &&
                       std::fwrite(header.data(), 1, header.size(), stream.get()) == header.size());
}

bool WAVOutputFile::close() {
    if (!stream || !writeBuffer()) {
        return false;
    }
    // fclose reports a failed close: not to be ignored on file systems that
    // report errors only then (NFS, quotas).
    return noteFailure(std::fclose(stream.release()) == 0);
}

} // namespace decant
