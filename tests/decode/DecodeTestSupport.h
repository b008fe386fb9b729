#pragma once

#include "FlacFixture.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <optional>

namespace decant::test {

// A WAV file split into the fields of its 44-byte header and its data.
struct WAVContents {
    QByteArray riff;
    uint32_t riffSize = 0;
    QByteArray waveFmt;
    uint32_t fmtSize = 0;
    uint16_t format = 0;
    uint16_t channels = 0;
    uint32_t sampleRate = 0;
    uint32_t byteRate = 0;
    uint16_t blockAlign = 0;
    uint16_t bitsPerSample = 0;
    QByteArray dataTag;
    uint32_t dataSize = 0;
    QByteArray data; // everything after the header
};

// Nothing when the file is missing or shorter than a header.
std::optional<WAVContents> readWAV(const QString& path);

QByteArray fileContents(const QString& path);
bool writeFile(const QString& path, const QByteArray& bytes);

// The sample data that the reference `flac` tool decodes from `flacPath`
// into a WAV file of its own. Its header differs (it uses the extensible
// format above 16 bits or 2 channels) but its samples are laid out as WAV
// wants: 8-bit unsigned, other depths shifted to fill whole bytes. Empty when
// the tool fails or is missing.
QByteArray referenceSampleData(const QString& flacPath);

// Overwrites a field of STREAMINFO in an encoded file, counting bits from
// the start of its data, most significant first.
void setStreamInfoField(QByteArray& flac, unsigned firstBit, unsigned width, uint64_t value);
constexpr unsigned sampleRateBit = 80, sampleRateWidth = 20;
constexpr unsigned channelsBit = 100, channelsWidth = 3;           // channels - 1
constexpr unsigned bitsPerSampleBit = 103, bitsPerSampleWidth = 5; // bits - 1
constexpr unsigned totalSamplesBit = 108, totalSamplesWidth = 36;

// The encoded fixture without its signature and metadata: bare frames.
QByteArray withoutMetadata(const QByteArray& flac);

} // namespace decant::test
