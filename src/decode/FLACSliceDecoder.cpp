#include "decode/FLACSliceDecoder.h"

#include "decode/FLACSource.h"
#include "decode/FLACStreamSteps.h"
#include "decode/SamplePacking.h"
#include "decode/WAVOutputFile.h"

#include <QCryptographicHash>

#include <algorithm>
#include <memory>
#include <span>

namespace decant {
namespace {

// The decode's record for libFLAC's callbacks: the one-file decode's, which
// the metadata callback fills, and where the cut has got to.
struct SliceDecodeContext : WAVDecodeContext {
    const QList<WAVSlice>* slices = nullptr;
    std::optional<FileIdentity> source;
    qsizetype next = 0; // the slice being written, or the next to be
    std::unique_ptr<WAVOutputFile> output;
    QCryptographicHash digest{QCryptographicHash::Md5};
    std::vector<std::string> digests;
    std::vector<std::string> checks;
    std::vector<unsigned char> frame;
    uint64_t samplesDecoded = 0;

    const WAVSlice& slice() const { return (*slices)[next]; }
};

SliceDecodeContext& sliceContextOf(void* client) {
    return static_cast<SliceDecodeContext&>(*static_cast<WAVDecodeContext*>(client));
}

DecodeOutcome openSlice(SliceDecodeContext& context) {
    const WAVSlice& slice = context.slice();
    context.output = std::make_unique<WAVOutputFile>(slice.destination.constData(), context.source,
                                                     DestinationMode::CreateNew);
    if (context.output->openOutcome() != DecodeOutcome::Decoded) {
        return context.output->openOutcome();
    }
    const uint64_t dataBytes = (slice.endSample - slice.firstSample) * blockAlign(context.format());
    const WAVHeader header = wavHeader(context.format(), static_cast<uint32_t>(dataBytes));
    context.digest.reset();
    context.check.restart();
    return context.output->write(header.data(), header.size()) ? DecodeOutcome::Decoded
                                                               : context.output->writeFailure();
}

DecodeOutcome closeSlice(SliceDecodeContext& context) {
    const WAVSlice& slice = context.slice();
    const uint64_t dataBytes = (slice.endSample - slice.firstSample) * blockAlign(context.format());
    const unsigned char pad = 0;
    WAVOutputFile& output = *context.output;
    if ((padBytes(dataBytes) != 0 && !output.write(&pad, 1)) || !output.close()) {
        return output.writeFailure();
    }
    const QByteArray digest = context.digest.result();
    context.digests.push_back(
        hexDigest(reinterpret_cast<const unsigned char*>(digest.constData()), digest.size()));
    context.checks.push_back(context.check.result());
    context.output.reset();
    ++context.next;
    return DecodeOutcome::Decoded;
}

// Writes the part of the frame (samples [begin, end) of the stream, packed)
// that falls in the current slices.
DecodeOutcome distributeFrame(SliceDecodeContext& context, uint64_t begin, uint64_t end) {
    const uint32_t align = blockAlign(context.format());
    while (context.next < context.slices->size() && context.slice().firstSample < end) {
        const WAVSlice& slice = context.slice();
        const uint64_t from = std::max(begin, slice.firstSample);
        const uint64_t to = std::min(end, slice.endSample);
        if (!context.output) {
            if (const DecodeOutcome opened = openSlice(context); opened != DecodeOutcome::Decoded) {
                return opened;
            }
        }
        const unsigned char* bytes = context.frame.data() + (from - begin) * align;
        const std::size_t size = (to - from) * align;
        if (!context.output->write(bytes, size)) {
            return context.output->writeFailure();
        }
        context.digest.addData(QByteArrayView(bytes, qsizetype(size)));
        context.check.add(bytes, size);
        if (slice.endSample > end) {
            break;
        }
        if (const DecodeOutcome closed = closeSlice(context); closed != DecodeOutcome::Decoded) {
            return closed;
        }
    }
    return DecodeOutcome::Decoded;
}

FLAC__StreamDecoderWriteStatus sliceWriteCallback(const FLAC__StreamDecoder*,
                                                  const FLAC__Frame* frame,
                                                  const FLAC__int32* const buffers[],
                                                  void* client) {
    auto& context = sliceContextOf(client);
    if (!matchesStreamInfo(context, frame->header)) {
        return abortDecode(context, context.hasStreamInfo ? DecodeOutcome::FrameFormatMismatch
                                                          : DecodeOutcome::MissingStreamInfo);
    }
    const std::size_t samples = frame->header.blocksize;
    // Counted, not read from the frame header: a damaged stream's frame
    // numbers cannot be trusted, and its MD5 check fails anyway.
    const uint64_t begin = context.samplesDecoded;
    context.samplesDecoded += samples;
    if (context.next >= context.slices->size()) {
        return FLAC__STREAM_DECODER_WRITE_STATUS_CONTINUE;
    }
    context.frame.resize(samples * blockAlign(context.format()));
    packSamples(std::span(buffers, context.channels), samples, context.bitsPerSample,
                context.frame.data());
    const DecodeOutcome written = distributeFrame(context, begin, context.samplesDecoded);
    return written == DecodeOutcome::Decoded ? FLAC__STREAM_DECODER_WRITE_STATUS_CONTINUE
                                             : abortDecode(context, written);
}

bool slicesFitStream(const QList<WAVSlice>& slices, uint64_t totalSamples) {
    uint64_t previousEnd = 0;
    for (const WAVSlice& slice : slices) {
        if (slice.firstSample < previousEnd || slice.endSample <= slice.firstSample ||
            slice.endSample > totalSamples) {
            return false;
        }
        previousEnd = slice.endSample;
    }
    return true;
}

DecodeOutcome decodeSlices(FLAC__StreamDecoder* decoder, const char* source,
                           SliceDecodeContext& context) {
    FLACSource file(source);
    context.reader = &file;
    if (!file.isOpen() || initDecoderFromSource(decoder, sliceWriteCallback,
                                                static_cast<WAVDecodeContext*>(&context)) !=
                              FLAC__STREAM_DECODER_INIT_STATUS_OK) {
        return DecodeOutcome::SourceUnreadable;
    }
    if (const auto outcome = readStreamInfo(decoder, context); outcome != DecodeOutcome::Decoded) {
        return outcome;
    }
    // A stream of unknown length cannot be cut with any confidence.
    if (!slicesFitStream(*context.slices, context.totalSamples)) {
        return DecodeOutcome::SliceOutsideStream;
    }
    if (!FLAC__stream_decoder_process_until_end_of_stream(decoder)) {
        return abortReason(context);
    }
    // Finishing is where libFLAC compares the decoded audio with the signature.
    const bool signatureMatches = FLAC__stream_decoder_finish(decoder);
    if (context.samplesDecoded < context.totalSamples) {
        return DecodeOutcome::StreamTruncated;
    }
    return signatureMatches ? DecodeOutcome::Decoded : DecodeOutcome::MD5Mismatch;
}

} // namespace

SlicedDecodeResult decodeFLACToWAVSlices(const char* source, const QList<WAVSlice>& slices) {
    const Decoder decoder(FLAC__stream_decoder_new());
    if (!decoder) {
        return {{DecodeOutcome::DecoderUnavailable}, {}, {}};
    }
    FLAC__stream_decoder_set_md5_checking(decoder.get(), true);
    const std::optional<struct stat> sourceStatus = statusOf(source);
    if (const auto outcome = checkSource(sourceStatus); outcome != DecodeOutcome::Decoded) {
        return {{outcome}, {}, {}};
    }
    SliceDecodeContext context;
    context.slices = &slices;
    context.source = identityOf(*sourceStatus);
    const DecodeOutcome outcome = decodeSlices(decoder.get(), source, context);
    SlicedDecodeResult result{
        {outcome, context.samplesDecoded, context.totalSamples, {}, {}}, {}, {}};
    if (outcome == DecodeOutcome::Decoded) {
        result.audioDigests = std::move(context.digests);
        result.sampleChecks = std::move(context.checks);
    }
    return result;
}

} // namespace decant
