#include "library/ImportSettings.h"

#include <QStringList>

#include <algorithm>
#include <array>

namespace decant::library {
namespace {

struct EncoderFacts {
    Encoder encoder;
    const char* name;
    const char* extension;
    const char* kind;
    int defaultBitRate; // kbit/s; 0: lossless
    int lowestBitRate;
    int highestBitRate;
};

// The ranges are what the FFmpeg encoders behind these names accept for a
// stereo stream; Opus is clamped per channel when a file is encoded.
constexpr std::array facts{
    EncoderFacts{Encoder::Aac, "aac", "m4a", "AAC audio file", 256, 16, 320},
    EncoderFacts{Encoder::Alac, "alac", "m4a", "Apple Lossless audio file", 0, 0, 0},
    EncoderFacts{Encoder::Mp3, "mp3", "mp3", "MPEG audio file", 320, 32, 320},
    EncoderFacts{Encoder::Opus, "opus", "opus", "Opus audio file", 160, 6, 510},
    EncoderFacts{Encoder::Flac, "flac", "flac", "FLAC audio file", 0, 0, 0},
    EncoderFacts{Encoder::Wav, "wav", "wav", "WAV audio file", 0, 0, 0},
};

// LAME writes constant bit rate frames, which exist only at these rates.
constexpr std::array mp3BitRates{32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320};

const EncoderFacts& factsOf(Encoder encoder) {
    return *std::find_if(facts.begin(), facts.end(),
                         [&](const auto& entry) { return entry.encoder == encoder; });
}

} // namespace

QList<Encoder> allEncoders() {
    QList<Encoder> encoders;
    for (const auto& entry : facts) {
        encoders.append(entry.encoder);
    }
    return encoders;
}

QString encoderName(Encoder encoder) {
    return QString::fromLatin1(factsOf(encoder).name);
}

std::optional<Encoder> encoderNamed(const QString& name) {
    for (const auto& entry : facts) {
        if (name == QLatin1String(entry.name)) {
            return entry.encoder;
        }
    }
    return std::nullopt;
}

QString fileExtension(Encoder encoder) {
    return QString::fromLatin1(factsOf(encoder).extension);
}

QString kindOfEncoder(Encoder encoder) {
    return QString::fromLatin1(factsOf(encoder).kind);
}

bool isLossless(Encoder encoder) {
    return factsOf(encoder).defaultBitRate == 0;
}

int defaultBitRate(Encoder encoder) {
    return factsOf(encoder).defaultBitRate;
}

ImportSettings defaultSettings(Encoder encoder) {
    return {encoder, defaultBitRate(encoder)};
}

std::optional<QString> settingsProblem(const ImportSettings& settings) {
    const EncoderFacts& entry = factsOf(settings.encoder);
    const QString name = QString::fromLatin1(entry.name);
    if (isLossless(settings.encoder)) {
        if (settings.bitRate != 0) {
            return QStringLiteral("%1 is lossless and takes no bit rate").arg(name);
        }
        return std::nullopt;
    }
    if (settings.encoder == Encoder::Mp3 &&
        std::find(mp3BitRates.begin(), mp3BitRates.end(), settings.bitRate) == mp3BitRates.end()) {
        QStringList rates;
        for (const int rate : mp3BitRates) {
            rates.append(QString::number(rate));
        }
        return QStringLiteral("mp3 takes one of these bit rates (kbit/s): %1")
            .arg(rates.join(QStringLiteral(", ")));
    }
    if (settings.bitRate < entry.lowestBitRate || settings.bitRate > entry.highestBitRate) {
        return QStringLiteral("%1 takes a bit rate from %2 to %3 kbit/s")
            .arg(name)
            .arg(entry.lowestBitRate)
            .arg(entry.highestBitRate);
    }
    return std::nullopt;
}

QString describeSettings(const ImportSettings& settings) {
    if (isLossless(settings.encoder)) {
        return QStringLiteral("%1 (lossless)").arg(encoderName(settings.encoder));
    }
    return QStringLiteral("%1, %2 kbit/s").arg(encoderName(settings.encoder)).arg(settings.bitRate);
}

} // namespace decant::library
