#include "DecodeTestSupport.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace decant::test {
namespace {

uint32_t littleEndian(const QByteArray& bytes, qsizetype offset, int size) {
    uint32_t value = 0;
    for (int byte = size - 1; byte >= 0; --byte) {
        value = (value << 8) | uint8_t(bytes[offset + byte]);
    }
    return value;
}

// The body of the "data" chunk, wherever the file's other chunks put it.
QByteArray dataChunk(const QByteArray& wav) {
    qsizetype position = 12; // past "RIFF", its size and "WAVE"
    while (position + 8 <= wav.size()) {
        const qsizetype size = littleEndian(wav, position + 4, 4);
        if (wav.mid(position, 4) == "data") {
            return wav.mid(position + 8, size);
        }
        position += 8 + size + (size % 2);
    }
    return {};
}

} // namespace

std::optional<WAVContents> readWAV(const QString& path) {
    const QByteArray bytes = fileContents(path);
    if (bytes.size() < 44) {
        return std::nullopt;
    }
    WAVContents wav;
    wav.riff = bytes.mid(0, 4);
    wav.riffSize = littleEndian(bytes, 4, 4);
    wav.waveFmt = bytes.mid(8, 8);
    wav.fmtSize = littleEndian(bytes, 16, 4);
    wav.format = uint16_t(littleEndian(bytes, 20, 2));
    wav.channels = uint16_t(littleEndian(bytes, 22, 2));
    wav.sampleRate = littleEndian(bytes, 24, 4);
    wav.byteRate = littleEndian(bytes, 28, 4);
    wav.blockAlign = uint16_t(littleEndian(bytes, 32, 2));
    wav.bitsPerSample = uint16_t(littleEndian(bytes, 34, 2));
    wav.dataTag = bytes.mid(36, 4);
    wav.dataSize = littleEndian(bytes, 40, 4);
    wav.data = bytes.mid(44);
    return wav;
}

QByteArray fileContents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes) == bytes.size() && file.flush();
}

QByteArray referenceSampleData(const QString& flacPath) {
    const QString tool = QStandardPaths::findExecutable(QStringLiteral("flac"));
    QTemporaryDir folder;
    if (tool.isEmpty() || !folder.isValid()) {
        return {};
    }
    const QString output = folder.filePath(QStringLiteral("reference.wav"));
    QProcess process;
    process.start(tool, {"-d", "-s", "-f", "-o", output, flacPath});
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0) {
        return {};
    }
    return dataChunk(fileContents(output));
}

void setStreamInfoField(QByteArray& flac, unsigned firstBit, unsigned width, uint64_t value) {
    constexpr qsizetype streamInfoData = 8; // past "fLaC" and the block header
    for (unsigned bit = 0; bit < width; ++bit) {
        const unsigned position = firstBit + bit;
        const qsizetype byte = streamInfoData + position / 8;
        const int mask = 0x80 >> (position % 8);
        const bool set = (value >> (width - 1 - bit)) & 1;
        flac[byte] = char(set ? (flac[byte] | mask) : (flac[byte] & ~mask));
    }
}

QByteArray withoutMetadata(const QByteArray& flac) {
    qsizetype position = 4;
    for (bool last = false; !last;) {
        last = (uint8_t(flac[position]) & 0x80) != 0;
        const qsizetype length = (qsizetype(uint8_t(flac[position + 1])) << 16) |
                                 (uint8_t(flac[position + 2]) << 8) | uint8_t(flac[position + 3]);
        position += 4 + length;
    }
    return flac.mid(position);
}

} // namespace decant::test
