#pragma once

#include "decode/DecodeOutcome.h"
#include "decode/SampleCheck.h"
#include "decode/WAVHeader.h"

#include <FLAC/stream_decoder.h>

#include <array>
#include <cstdint>

namespace decant {

class FLACSource;
class WAVOutputFile;

// The client record handed to every libFLAC callback of one decode. It
// lives on the decoding thread's stack for the length of the call.
struct WAVDecodeContext {
    // From STREAMINFO.
    uint32_t sampleRate = 0;
    uint16_t channels = 0;
    uint16_t bitsPerSample = 0;
    uint64_t totalSamples = 0;                 // per channel; 0 when the encoder did not know
    std::array<unsigned char, 16> signature{}; // the MD5 of the audio; all zero when unknown
    WAVOutputFile* file = nullptr;
    FLACSource* reader = nullptr; // what libFLAC reads

    bool hasStreamInfo = false;
    uint64_t dataBytesWritten = 0;
    SampleCheck check; // of the sample bytes written
    // Why the write callback aborted; libFLAC itself only reports that it did.
    DecodeOutcome failure = DecodeOutcome::Decoded;

    WAVFormat format() const { return {sampleRate, channels, bitsPerSample}; }
};

// libFLAC does not hold frames to STREAMINFO's format; the header already
// written does, and the packing reads exactly the frame's own buffers.
bool matchesStreamInfo(const WAVDecodeContext& context, const FLAC__FrameHeader& header);
// Notes why, and tells libFLAC to stop.
FLAC__StreamDecoderWriteStatus abortDecode(WAVDecodeContext& context, DecodeOutcome reason);

void wavMetadataCallback(const FLAC__StreamDecoder* decoder, const FLAC__StreamMetadata* metadata,
                         void* client);
FLAC__StreamDecoderWriteStatus wavWriteCallback(const FLAC__StreamDecoder* decoder,
                                                const FLAC__Frame* frame,
                                                const FLAC__int32* const buffers[], void* client);
void wavErrorCallback(const FLAC__StreamDecoder* decoder, FLAC__StreamDecoderErrorStatus status,
                      void* client);

} // namespace decant
