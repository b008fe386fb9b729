#pragma once

#include <FLAC/stream_decoder.h>

#include <cstddef>
#include <vector>

namespace decant {

// The FLAC file a decode reads, through a buffer of its own. libFLAC's own
// file reading asks the system for a few kilobytes at a time and for the
// position after every frame: some 8,000 calls for a four-minute track,
// each a trip into the kernel. This asks for 256 kB at a time, and never
// for the position, which a decode from start to end does not need.
class FLACSource {
public:
    explicit FLACSource(const char* path); // read-only
    ~FLACSource();
    FLACSource(const FLACSource&) = delete;
    FLACSource& operator=(const FLACSource&) = delete;

    bool isOpen() const { return descriptor_ >= 0; }

    // libFLAC's read callback: up to `*bytes` bytes, `*bytes` set to how
    // many were given.
    FLAC__StreamDecoderReadStatus read(FLAC__byte* out, std::size_t* bytes);

private:
    int descriptor_;
    std::vector<FLAC__byte> buffer_;
    std::size_t next_ = 0; // the first byte of buffer_ not yet given
    std::size_t end_ = 0;  // the end of what buffer_ holds
};

// Starts `decoder` on `source`, each callback given `client` (a
// WAVDecodeContext, whose `reader` is the source to read).
FLAC__StreamDecoderInitStatus initDecoderFromSource(FLAC__StreamDecoder* decoder,
                                                    FLAC__StreamDecoderWriteCallback write,
                                                    void* client);

} // namespace decant
