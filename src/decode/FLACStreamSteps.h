#pragma once

// The steps every decode of a FLAC file takes, whatever it writes to: the
// one-file decode and the decode that cuts a stream into tracks share them.

#include "decode/DecodeOutcome.h"
#include "decode/WAVDecodeContext.h"

#include <FLAC/stream_decoder.h>

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <sys/stat.h>

namespace decant {

struct DecoderDeleter {
    // Deleting also finishes the decoder.
    void operator()(FLAC__StreamDecoder* decoder) const { FLAC__stream_decoder_delete(decoder); }
};
using Decoder = std::unique_ptr<FLAC__StreamDecoder, DecoderDeleter>;

std::optional<struct stat> statusOf(const char* path);

// A decode opens whatever it is given, and reading a FIFO or a terminal can
// block forever: only regular files (links followed) are handed to it.
DecodeOutcome checkSource(const std::optional<struct stat>& source);

// Why libFLAC stopped: what a callback noted, else DecodeFailed.
DecodeOutcome abortReason(const WAVDecodeContext& context);

// The data bytes STREAMINFO's length makes.
uint64_t announcedDataBytes(const WAVDecodeContext& context);

// Reads the metadata and decides whether the stream can become WAV audio.
DecodeOutcome readStreamInfo(FLAC__StreamDecoder* decoder, const WAVDecodeContext& context);

// Lower-case hexadecimal.
std::string hexDigest(const unsigned char* bytes, std::size_t size);

} // namespace decant
