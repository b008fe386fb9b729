#include "WavFixture.h"

#include "FlacFixture.h"

#include <QFile>

#include <cmath>

namespace decant::test {
namespace {

void appendLittleEndian(QByteArray& bytes, uint32_t value, int size) {
    for (int byte = 0; byte < size; ++byte) {
        bytes.append(char((value >> (8 * byte)) & 0xff));
    }
}

QByteArray header(const WavFixture& fixture) {
    const uint32_t bytesPerSample = fixture.bitsPerSample / 8;
    const uint32_t blockAlign = bytesPerSample * fixture.channels;
    const uint32_t dataBytes = fixture.zeroDataSize ? 0 : uint32_t(fixture.frames * blockAlign);
    QByteArray bytes = "RIFF";
    appendLittleEndian(bytes, dataBytes + 36, 4);
    bytes.append("WAVEfmt ");
    appendLittleEndian(bytes, 16, 4);
    appendLittleEndian(bytes, 1, 2);
    appendLittleEndian(bytes, fixture.channels, 2);
    appendLittleEndian(bytes, fixture.sampleRate, 4);
    appendLittleEndian(bytes, fixture.sampleRate * blockAlign, 4);
    appendLittleEndian(bytes, blockAlign, 2);
    appendLittleEndian(bytes, fixture.bitsPerSample, 2);
    bytes.append("data");
    appendLittleEndian(bytes, dataBytes, 4);
    return bytes;
}

std::vector<int32_t> noiseSamples(const WavFixture& fixture) {
    const double fullScale = std::ldexp(1.0, int(fixture.bitsPerSample) - 1);
    std::vector<int32_t> samples(fixture.frames * fixture.channels);
    uint64_t noise = 0x9e3779b97f4a7c15ull;
    for (int32_t& sample : samples) {
        noise = noise * 6364136223846793005ull + 1442695040888963407ull;
        const double value = (double(noise >> 11) / double(uint64_t(1) << 53) - 0.5) / 2;
        sample = int32_t(std::lround(value * fullScale));
    }
    return samples;
}

std::vector<int32_t> toneSamples(const WavFixture& fixture) {
    const double amplitude = std::ldexp(fixture.toneLevel, int(fixture.bitsPerSample) - 1);
    std::vector<int32_t> samples(fixture.frames * fixture.channels);
    for (uint64_t index = 0; index < fixture.frames; ++index) {
        const double time = double(index) / fixture.sampleRate;
        for (unsigned channel = 0; channel < fixture.channels; ++channel) {
            const double hertz = fixture.toneHertz > 0 ? fixture.toneHertz : toneFrequency(channel);
            samples[index * fixture.channels + channel] =
                int32_t(std::lround(amplitude * std::sin(2 * M_PI * hertz * time)));
        }
    }
    return samples;
}

} // namespace

double toneFrequency(unsigned channel) {
    return 40 + 10 * channel;
}

std::vector<int32_t> wavFixtureSamples(const WavFixture& fixture) {
    if (fixture.signal == WavFixture::Signal::Noise) {
        return noiseSamples(fixture);
    }
    if (fixture.signal == WavFixture::Signal::Tones) {
        return toneSamples(fixture);
    }
    if (fixture.signal == WavFixture::Signal::Silence) {
        return std::vector<int32_t>(fixture.frames * fixture.channels, 0);
    }
    const unsigned bits = fixture.significantBits ? fixture.significantBits : fixture.bitsPerSample;
    FlacFixture shape;
    shape.sampleRate = fixture.sampleRate;
    shape.channels = fixture.channels;
    shape.bitsPerSample = bits;
    shape.samples = fixture.frames;
    std::vector<int32_t> samples = fixtureSamples(shape);
    for (int32_t& sample : samples) {
        sample = int32_t(uint32_t(sample) << (fixture.bitsPerSample - bits));
    }
    return samples;
}

QByteArray encodeWavFixture(const WavFixture& fixture) {
    QByteArray bytes = header(fixture);
    const int bytesPerSample = int(fixture.bitsPerSample / 8);
    bytes.reserve(bytes.size() + qsizetype(fixture.frames * fixture.channels) * bytesPerSample);
    for (const int32_t sample : wavFixtureSamples(fixture)) {
        // 8-bit WAV is unsigned; every other depth is two's complement.
        const uint32_t stored =
            fixture.bitsPerSample == 8 ? uint32_t(sample + 128) : uint32_t(sample);
        appendLittleEndian(bytes, stored, bytesPerSample);
    }
    return bytes;
}

bool writeWavFixture(const QString& path, const WavFixture& fixture) {
    const QByteArray bytes = encodeWavFixture(fixture);
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes) == bytes.size() && file.flush();
}

} // namespace decant::test
