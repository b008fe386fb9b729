// Any bytes as a FLAC file: the decoder must give an outcome, never crash,
// hang, leak or touch memory it does not own. The WAV data goes to
// /dev/null, so that a tiny input that decodes to gigabytes of silence costs
// time, not disk. The same bytes are then cut into two short tracks, as an
// album's sheet cuts it, whose files hold a few kilobytes at most.
#include "FuzzInputFile.h"
#include "decode/FLACSliceDecoder.h"
#include "decode/FLACToWAVDecoder.h"

#include <cstdlib>
#include <unistd.h>

namespace {

// Nothing but the input's own content can fail a decode whose destinations
// are free.
void abortOnOutsideFailure(decant::DecodeOutcome outcome) {
    switch (outcome) {
    case decant::DecodeOutcome::DestinationUnopenable:
    case decant::DecodeOutcome::DestinationIsSource:
    case decant::DecodeOutcome::DestinationExists:
    case decant::DecodeOutcome::SourceUnreadable:
    case decant::DecodeOutcome::SourceNotRegularFile:
    case decant::DecodeOutcome::WriteFailed:
    case decant::DecodeOutcome::NoSpace:
        std::abort();
    default:
        break;
    }
}

void decodeTwoTracks(const std::string& source) {
    const QByteArray first = QByteArray::fromStdString(source) + ".1.wav";
    const QByteArray second = QByteArray::fromStdString(source) + ".2.wav";
    const decant::SlicedDecodeResult result =
        decant::decodeFLACToWAVSlices(source.c_str(), {{100, 700, first}, {700, 1500, second}});
    ::unlink(first.constData());
    ::unlink(second.constData());
    abortOnOutsideFailure(result.stream.outcome);
    const bool decoded = result.stream.outcome == decant::DecodeOutcome::Decoded;
    if (decoded != (result.audioDigests.size() == 2)) {
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string& source = decant::fuzz::writeInputFile(data, size);
    abortOnOutsideFailure(decant::decodeFLACToWAVWithOutcome(source.c_str(), "/dev/null"));
    decodeTwoTracks(source);
    return 0;
}
