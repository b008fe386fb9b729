#include "decode/WAVDecodeContext.h"

#include "decode/SamplePacking.h"
#include "decode/WAVOutputFile.h"

#include <algorithm>
#include <span>

namespace decant {
namespace {

WAVDecodeContext& contextOf(void* client) {
    return *static_cast<WAVDecodeContext*>(client);
}

} // namespace

bool matchesStreamInfo(const WAVDecodeContext& context, const FLAC__FrameHeader& header) {
    return context.hasStreamInfo && header.channels == context.channels &&
           header.bits_per_sample == context.bitsPerSample &&
           header.sample_rate == context.sampleRate;
}

FLAC__StreamDecoderWriteStatus abortDecode(WAVDecodeContext& context, DecodeOutcome reason) {
    context.failure = reason;
    return FLAC__STREAM_DECODER_WRITE_STATUS_ABORT;
}

void wavMetadataCallback(const FLAC__StreamDecoder*, const FLAC__StreamMetadata* metadata,
                         void* client) {
    if (metadata->type != FLAC__METADATA_TYPE_STREAMINFO) {
        return;
    }
    const auto& info = metadata->data.stream_info;
    auto& context = contextOf(client);
    context.sampleRate = info.sample_rate;
    context.channels = static_cast<uint16_t>(info.channels);
    context.bitsPerSample = static_cast<uint16_t>(info.bits_per_sample);
    context.totalSamples = info.total_samples;
    std::copy(std::begin(info.md5sum), std::end(info.md5sum), context.signature.begin());
    context.hasStreamInfo = true;
}

FLAC__StreamDecoderWriteStatus wavWriteCallback(const FLAC__StreamDecoder*,
                                                const FLAC__Frame* frame,
                                                const FLAC__int32* const buffers[], void* client) {
    auto& context = contextOf(client);
    if (!matchesStreamInfo(context, frame->header)) {
        return abortDecode(context, context.hasStreamInfo ? DecodeOutcome::FrameFormatMismatch
                                                          : DecodeOutcome::MissingStreamInfo);
    }
    const std::size_t samples = frame->header.blocksize;
    const std::size_t bytes = samples * blockAlign(context.format());
    if (context.dataBytesWritten + bytes > maximumWAVDataBytes) {
        return abortDecode(context, DecodeOutcome::TooLargeForWAV);
    }
    // Each frame is packed straight into the output's buffer: one pass over
    // the samples, and no copy before the file system gets them.
    unsigned char* output = context.file->reserve(bytes);
    if (output == nullptr) {
        return abortDecode(context, context.file->writeFailure());
    }
    packSamples(std::span(buffers, context.channels), samples, context.bitsPerSample, output);
    context.check.add(output, bytes);
    context.file->commit(bytes);
    context.dataBytesWritten += bytes;
    return FLAC__STREAM_DECODER_WRITE_STATUS_CONTINUE;
}

// Stream errors need no action of ours: libFLAC resynchronises and delivers
// a damaged frame as silence, and the MD5 check at the end then fails.
void wavErrorCallback(const FLAC__StreamDecoder*, FLAC__StreamDecoderErrorStatus, void*) {}

} // namespace decant
