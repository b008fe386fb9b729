#include "decode/FLACToWAVDecoder.h"

#include "decode/FLACSource.h"
#include "decode/FLACStreamSteps.h"
#include "decode/WAVOutputFile.h"

#include <FLAC/stream_decoder.h>

#include <algorithm>
#include <memory>
#include <optional>
#include <string>
#include <sys/stat.h>

namespace decant {

std::optional<struct stat> statusOf(const char* path) {
    struct stat info {};
    if (stat(path, &info) != 0) {
        return std::nullopt;
    }
    return info;
}

DecodeOutcome checkSource(const std::optional<struct stat>& source) {
    if (!source) {
        return DecodeOutcome::SourceUnreadable;
    }
    return S_ISREG(source->st_mode) ? DecodeOutcome::Decoded : DecodeOutcome::SourceNotRegularFile;
}

DecodeOutcome abortReason(const WAVDecodeContext& context) {
    return context.failure != DecodeOutcome::Decoded ? context.failure
                                                     : DecodeOutcome::DecodeFailed;
}

uint64_t announcedDataBytes(const WAVDecodeContext& context) {
    return context.totalSamples * blockAlign(context.format());
}

// libFLAC reaches the end of a file that holds no FLAC at all without an
// error, and takes a file that begins with a frame sync pattern (an MP3, for
// one) for bare frames: neither brings a STREAMINFO.
DecodeOutcome readStreamInfo(FLAC__StreamDecoder* decoder, const WAVDecodeContext& context) {
    const bool read = FLAC__stream_decoder_process_until_end_of_metadata(decoder);
    const FLAC__StreamDecoderState state = FLAC__stream_decoder_get_state(decoder);
    if (!read || state > FLAC__STREAM_DECODER_END_OF_STREAM) {
        return context.hasStreamInfo ? abortReason(context) : DecodeOutcome::NotFLAC;
    }
    if (!context.hasStreamInfo) {
        return state == FLAC__STREAM_DECODER_END_OF_STREAM ? DecodeOutcome::NotFLAC
                                                           : DecodeOutcome::MissingStreamInfo;
    }
    if (context.sampleRate == 0 || context.bitsPerSample == 0 || context.bitsPerSample > 32 ||
        context.channels == 0) {
        return DecodeOutcome::UnsupportedFormat;
    }
    // No overflow here: STREAMINFO's total has 36 bits, and a sample instant
    // takes at most 8 channels of 4 bytes.
    if (announcedDataBytes(context) > maximumWAVDataBytes) {
        return DecodeOutcome::TooLargeForWAV;
    }
    return DecodeOutcome::Decoded;
}

namespace {

DecodeOutcome writeAudio(FLAC__StreamDecoder* decoder, WAVDecodeContext& context,
                         WAVOutputFile& file) {
    const WAVHeader header =
        wavHeader(context.format(), static_cast<uint32_t>(announcedDataBytes(context)));
    if (!file.write(header.data(), header.size())) {
        return file.writeFailure();
    }
    if (!FLAC__stream_decoder_process_until_end_of_stream(decoder)) {
        return abortReason(context);
    }
    return DecodeOutcome::Decoded;
}

// libFLAC ends a stream cut short without an error, and with no signature to
// compare nothing else would notice the missing audio.
bool endsEarly(const WAVDecodeContext& context) {
    return context.totalSamples != 0 && context.dataBytesWritten < announcedDataBytes(context);
}

// The header announced STREAMINFO's length before any audio was decoded; when
// that was unknown (0) or too short, the sizes are made to describe what
// follows.
DecodeOutcome completeFile(const WAVDecodeContext& context, WAVOutputFile& file) {
    const auto dataBytes = static_cast<uint32_t>(context.dataBytesWritten);
    const unsigned char pad = 0;
    if (padBytes(dataBytes) != 0 && !file.write(&pad, 1)) {
        return file.writeFailure();
    }
    if (context.dataBytesWritten != announcedDataBytes(context) &&
        !file.rewriteHeader(wavHeader(context.format(), dataBytes))) {
        return file.writeFailure();
    }
    return file.close() ? DecodeOutcome::Decoded : file.writeFailure();
}

DecodeOutcome decodeStream(FLAC__StreamDecoder* decoder, const char* sourcePath,
                           WAVDecodeContext& context, WAVOutputFile& file) {
    FLACSource source(sourcePath);
    context.reader = &source;
    if (!source.isOpen() || initDecoderFromSource(decoder, wavWriteCallback, &context) !=
                                FLAC__STREAM_DECODER_INIT_STATUS_OK) {
        return DecodeOutcome::SourceUnreadable;
    }
    if (const auto outcome = readStreamInfo(decoder, context); outcome != DecodeOutcome::Decoded) {
        return outcome;
    }
    if (const auto outcome = writeAudio(decoder, context, file);
        outcome != DecodeOutcome::Decoded) {
        return outcome;
    }
    // Finishing is where libFLAC compares the decoded audio with the signature.
    const bool signatureMatches = FLAC__stream_decoder_finish(decoder);
    if (const auto outcome = completeFile(context, file); outcome != DecodeOutcome::Decoded) {
        return outcome;
    }
    // Checked before the signature: a stream cut short fails that too, and
    // its length says more.
    if (endsEarly(context)) {
        return DecodeOutcome::StreamTruncated;
    }
    return signatureMatches ? DecodeOutcome::Decoded : DecodeOutcome::MD5Mismatch;
}

std::string provenDigest(const WAVDecodeContext& context) {
    const auto& signature = context.signature;
    const bool wholeBytes = context.bitsPerSample % 8 == 0 && context.bitsPerSample >= 16;
    if (!wholeBytes ||
        std::all_of(signature.begin(), signature.end(), [](auto b) { return b == 0; })) {
        return {};
    }
    return hexDigest(signature.data(), signature.size());
}

DecodeResult decodeInto(FLAC__StreamDecoder* decoder, const char* sourcePath, WAVOutputFile& file) {
    WAVDecodeContext context;
    context.file = &file;
    const DecodeOutcome outcome = decodeStream(decoder, sourcePath, context, file);
    const uint32_t align = blockAlign(context.format());
    DecodeResult result{
        outcome, align == 0 ? 0 : context.dataBytesWritten / align, context.totalSamples, {}, {}};
    if (outcome == DecodeOutcome::Decoded) {
        result.audioDigest = provenDigest(context);
        if (!result.audioDigest.empty()) {
            result.sampleCheck = context.check.result();
        }
    }
    return result;
}

} // namespace

std::string hexDigest(const unsigned char* bytes, std::size_t size) {
    static constexpr char digits[] = "0123456789abcdef";
    std::string hex;
    hex.reserve(size * 2);
    for (std::size_t index = 0; index < size; ++index) {
        hex += digits[bytes[index] >> 4];
        hex += digits[bytes[index] & 15];
    }
    return hex;
}

DecodeOutcome decodeFLACToWAVWithOutcome(const char* source, const char* destination) {
    return decodeFLACToWAVWithResult(source, destination).outcome;
}

DecodeResult decodeFLACToWAVWithResult(const char* source, const char* destination) {
    return decodeFLACToWAVWithResult(source, destination, DestinationMode::ReplaceExisting);
}

DecodeResult decodeFLACToWAVWithResult(const char* source, const char* destination,
                                       DestinationMode mode) {
    const Decoder decoder(FLAC__stream_decoder_new());
    if (!decoder) {
        return {DecodeOutcome::DecoderUnavailable};
    }
    FLAC__stream_decoder_set_md5_checking(decoder.get(), true);

    const std::optional<struct stat> sourceStatus = statusOf(source);
    std::optional<FileIdentity> sourceIdentity;
    if (sourceStatus) {
        sourceIdentity = identityOf(*sourceStatus);
    }
    // Opened before the source is looked at, so that a destination file exists
    // after every call that got this far, as callers expect.
    WAVOutputFile file(destination, sourceIdentity, mode);
    if (file.openOutcome() != DecodeOutcome::Decoded) {
        return {file.openOutcome()};
    }
    if (const auto outcome = checkSource(sourceStatus); outcome != DecodeOutcome::Decoded) {
        return {outcome};
    }
    return decodeInto(decoder.get(), source, file);
}

} // namespace decant
