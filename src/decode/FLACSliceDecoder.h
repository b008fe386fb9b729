#pragma once

#include "decode/DecodeOutcome.h"

#include <QByteArray>
#include <QList>

#include <cstdint>
#include <string>
#include <vector>

namespace decant {

// One track to cut out of a stream: samples [firstSample, endSample), per
// channel, counted from the stream's start, written as a WAV file of its own.
struct WAVSlice {
    uint64_t firstSample = 0;
    uint64_t endSample = 0;
    QByteArray destination;
};

struct SlicedDecodeResult {
    // The whole stream's outcome: one bad frame fails every slice.
    DecodeResult stream;
    // Once decoded, each slice's MD5 of the samples its WAV file stores, in
    // lower-case hex, in the order the slices were given.
    std::vector<std::string> audioDigests;
    // And each slice's XXH3-128 digest of the same bytes (see SampleCheck).
    std::vector<std::string> sampleChecks;
};

// Decodes the FLAC file at `source` once, checks the whole stream against
// STREAMINFO's MD5 signature as decodeFLACToWAV does, and writes each slice
// into its destination in the same pass. Samples outside every slice are
// decoded and checked, and written nowhere. The slices must come in order
// and not overlap; each must hold samples and lie within the stream
// (SliceOutsideStream otherwise).
//
// Each destination is created by this call (DestinationMode::CreateNew) and
// opened only when its first sample is decoded; once opened it stays on disk
// whatever the result, as with decodeFLACToWAV. Re-entrant.
SlicedDecodeResult decodeFLACToWAVSlices(const char* source, const QList<WAVSlice>& slices);

} // namespace decant
