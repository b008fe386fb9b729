// Any bytes as a FLAC file: the decoder must give an outcome, never crash,
// hang, leak or touch memory it does not own. The WAV data goes to
// /dev/null, so that a tiny input that decodes to gigabytes of silence costs
// time, not disk.
#include "FuzzInputFile.h"
#include "decode/FLACToWAVDecoder.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string& source = decant::fuzz::writeInputFile(data, size);
    const decant::DecodeOutcome outcome =
        decant::decodeFLACToWAVWithOutcome(source.c_str(), "/dev/null");
    // Nothing but the input's own content can fail a decode into /dev/null.
    switch (outcome) {
    case decant::DecodeOutcome::DestinationUnopenable:
    case decant::DecodeOutcome::DestinationIsSource:
    case decant::DecodeOutcome::SourceUnreadable:
    case decant::DecodeOutcome::SourceNotRegularFile:
    case decant::DecodeOutcome::WriteFailed:
    case decant::DecodeOutcome::NoSpace:
        std::abort();
    default:
        break;
    }
    return 0;
}
