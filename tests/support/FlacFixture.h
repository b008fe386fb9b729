#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

namespace decant::test {

// A PICTURE block: its type (3 for a front cover) and bytes.
struct FlacPicture {
    unsigned type = 3;
    QByteArray data;
    QByteArray mimeType = "image/jpeg";
};

// A track of a CUESHEET block: its INDEX 01, in samples from the start.
struct FlacCueTrack {
    unsigned number = 1;
    uint64_t offset = 0;
    QByteArray isrc = {}; // up to 12 characters
};

// What a fixture FLAC file holds. The audio is a deterministic signal that
// spans most of the chosen depth's range, different on each channel.
struct FlacFixture {
    unsigned sampleRate = 44100;
    unsigned channels = 2;       // 1 to 8
    unsigned bitsPerSample = 16; // 4 to 32
    uint64_t samples = 4410;     // per channel
    unsigned blockSize = 0;      // samples per frame; 0 for the encoder's choice
    // Raw Vorbis comment entries, written byte for byte (no checks, so an
    // entry may lack "=", be empty or not be UTF-8). Nothing: no comment block.
    std::optional<QList<QByteArray>> comments = QList<QByteArray>{};
    QList<FlacPicture> pictures;          // after the comments, in this order
    QList<FlacCueTrack> cueTracks;        // a CD CUESHEET block, lead-out added; none when empty
    bool zeroMD5 = false;                 // STREAMINFO's MD5 all zero: not verified
    bool zeroTotalSamples = false;        // STREAMINFO's total samples 0: length unknown
    std::optional<unsigned> damagedFrame; // flips a byte inside this audio frame
};

// The file's bytes, or an empty array when libFLAC refuses the settings.
QByteArray encodeFlacFixture(const FlacFixture& fixture);

// Writes the file; false when it could not be encoded or written.
bool writeFlacFixture(const QString& path, const FlacFixture& fixture);
// The same at a path given as bytes, which may name files no text can.
bool writeFlacFixture(const QByteArray& path, const FlacFixture& fixture);

// The fixture's samples, interleaved (channel 0 first), as decoded.
std::vector<int32_t> fixtureSamples(const FlacFixture& fixture);

// Shorthand for tagged files: entries such as "TITLE=Song".
FlacFixture taggedFixture(const QList<QByteArray>& comments);

} // namespace decant::test
