// Any bytes as a CUE sheet, decoded, parsed and cut against a fixed stream
// (as a sheet beside album.flac and as one inside the file): a reason or
// slices that follow each other inside the stream, never a crash or hang.
#include "queue/CueSlices.h"

#include <cstdlib>

namespace {

void checkSlices(const decant::CueSheet& sheet, const decant::CueStream& stream) {
    const auto slices = decant::cutCueSheet(sheet, stream);
    if (!slices.value) {
        if (slices.reason.isEmpty()) {
            std::abort();
        }
        return;
    }
    uint64_t end = 0;
    for (const decant::CueSlice& slice : *slices.value) {
        if (slice.firstSample < end || slice.endSample <= slice.firstSample ||
            slice.endSample > stream.totalSamples) {
            std::abort();
        }
        end = slice.endSample;
        decant::cueSliceComments(sheet, slice, int(slices.value->size()), {});
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const decant::CueResult<decant::CueSheet> sheet = decant::parseCueSheet(bytes);
    if (!sheet.value) {
        if (sheet.reason.isEmpty()) {
            std::abort();
        }
        return 0;
    }
    // Ten minutes at 44.1 kHz.
    checkSlices(*sheet.value, {QStringLiteral("album.flac"), 44100, 44100ull * 600});
    checkSlices(*sheet.value, {std::nullopt, 44100, 44100ull * 600});
    return 0;
}
