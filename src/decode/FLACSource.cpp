#include "decode/FLACSource.h"

#include "decode/WAVDecodeContext.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace decant {
namespace {

constexpr std::size_t bufferBytes = 256 * 1024;

FLAC__StreamDecoderReadStatus readFromSource(const FLAC__StreamDecoder*, FLAC__byte buffer[],
                                             std::size_t* bytes, void* client) {
    return static_cast<WAVDecodeContext*>(client)->reader->read(buffer, bytes);
}

} // namespace

FLACSource::FLACSource(const char* path)
    : descriptor_(::open(path, O_RDONLY | O_CLOEXEC)) {}

FLACSource::~FLACSource() {
    if (descriptor_ >= 0) {
        ::close(descriptor_);
    }
}

FLAC__StreamDecoderReadStatus FLACSource::read(FLAC__byte* out, std::size_t* bytes) {
    if (next_ == end_) {
        buffer_.resize(bufferBytes);
        ssize_t got;
        do {
            got = ::read(descriptor_, buffer_.data(), buffer_.size());
        } while (got < 0 && errno == EINTR);
        if (got <= 0) {
            *bytes = 0;
            return got == 0 ? FLAC__STREAM_DECODER_READ_STATUS_END_OF_STREAM
                            : FLAC__STREAM_DECODER_READ_STATUS_ABORT;
        }
        next_ = 0;
        end_ = std::size_t(got);
    }
    *bytes = std::min(*bytes, end_ - next_);
    std::memcpy(out, buffer_.data() + next_, *bytes);
    next_ += *bytes;
    return FLAC__STREAM_DECODER_READ_STATUS_CONTINUE;
}

FLAC__StreamDecoderInitStatus initDecoderFromSource(FLAC__StreamDecoder* decoder,
                                                    FLAC__StreamDecoderWriteCallback write,
                                                    void* client) {
    return FLAC__stream_decoder_init_stream(decoder, readFromSource, nullptr, nullptr, nullptr,
                                            nullptr, write, wavMetadataCallback, wavErrorCallback,
                                            client);
}

} // namespace decant
