#include "decode/WAVOutputFile.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>
#include <utility>

namespace decant {
namespace {

// Large enough that a file system sees few, large writes (ext4 takes about
// half the time for 256 KiB writes as for 16 KiB ones), small enough to
// keep memory flat with several decodes running at once.
constexpr std::size_t streamBufferSize = 256 * 1024;

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
int openWithoutFollowingLinks(const QByteArray& path) {
    int descriptor = -1;
    do {
        descriptor = ::open(path.constData(),
                            O_WRONLY | O_CREAT | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK, 0600);
    } while (descriptor < 0 && errno == EINTR);
    return descriptor;
}

bool makeBlocking(int descriptor) {
    const int flags = fcntl(descriptor, F_GETFL);
    return flags >= 0 && fcntl(descriptor, F_SETFL, flags & ~O_NONBLOCK) == 0;
}

} // namespace

WAVOutputFile::WAVOutputFile(const QByteArray& path, const std::optional<FileIdentity>& source)
    : openOutcome_(open(path, source)) {}

DecodeOutcome WAVOutputFile::open(const QByteArray& path,
                                  const std::optional<FileIdentity>& source) {
    Descriptor descriptor(openWithoutFollowingLinks(path));
    struct stat info {};
    if (descriptor.get() < 0 || fstat(descriptor.get(), &info) != 0 ||
        !makeBlocking(descriptor.get())) {
        return DecodeOutcome::DestinationUnopenable;
    }
    if (source && identityOf(info) == *source) {
        return DecodeOutcome::DestinationIsSource;
    }
    // Truncating only now, not with O_TRUNC, is what keeps the source safe.
    // Devices such as /dev/full cannot be truncated and need not be.
    if (S_ISREG(info.st_mode) && ftruncate(descriptor.get(), 0) != 0) {
        return DecodeOutcome::DestinationUnopenable;
    }
    stream.reset(fdopen(descriptor.get(), "wb"));
    if (!stream) {
        return DecodeOutcome::DestinationUnopenable;
    }
    descriptor.release();
    buffer = std::make_unique<char[]>(streamBufferSize);
    setvbuf(stream.get(), buffer.get(), _IOFBF, streamBufferSize);
    return DecodeOutcome::Decoded;
}

bool WAVOutputFile::write(const unsigned char* bytes, std::size_t size) {
    failed = failed || !stream || std::fwrite(bytes, 1, size, stream.get()) != size;
    return !failed;
}

bool WAVOutputFile::rewriteHeader(const WAVHeader& header) {
    failed = failed || !stream || std::fseek(stream.get(), 0, SEEK_SET) != 0 ||
             std::fwrite(header.data(), 1, header.size(), stream.get()) != header.size();
    return !failed;
}

bool WAVOutputFile::close() {
    if (!stream) {
        return false;
    }
    const bool closed = std::fclose(stream.release()) == 0;
    return closed && !failed;
}

} // namespace decant
