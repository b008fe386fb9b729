#include "library/model/ImportSettings.h"

#include <QCoreApplication>
#include <QStringList>

#include <algorithm>
#include <array>

namespace decant::library {
namespace {

struct FormatFacts {
    ImportFormat format;
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
    FormatFacts{ImportFormat::Aac, "aac", "m4a", "AAC audio file", 256, 16, 320},
    FormatFacts{ImportFormat::Alac, "alac", "m4a", "Apple Lossless audio file", 0, 0, 0},
    FormatFacts{ImportFormat::Mp3, "mp3", "mp3", "MPEG audio file", 320, 32, 320},
    FormatFacts{ImportFormat::Opus, "opus", "opus", "Opus audio file", 160, 6, 510},
    FormatFacts{ImportFormat::Flac, "flac", "flac", "FLAC audio file", 0, 0, 0},
    FormatFacts{ImportFormat::Wav, "wav", "wav", "WAV audio file", 0, 0, 0},
};

// LAME writes constant bit rate frames, which exist only at these rates.
constexpr std::array mp3BitRates{32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320};

const FormatFacts& factsOf(ImportFormat format) {
    return *std::find_if(facts.begin(), facts.end(),
                         [&](const auto& entry) { return entry.format == format; });
}

} // namespace

QList<ImportFormat> allFormats() {
    QList<ImportFormat> formats;
    for (const auto& entry : facts) {
        formats.append(entry.format);
    }
    return formats;
}

QString formatName(ImportFormat format) {
    return QString::fromLatin1(factsOf(format).name);
}

std::optional<ImportFormat> formatNamed(const QString& name) {
    for (const auto& entry : facts) {
        if (name == QLatin1String(entry.name)) {
            return entry.format;
        }
    }
    return std::nullopt;
}

QString fileExtension(ImportFormat format) {
    return QString::fromLatin1(factsOf(format).extension);
}

QString kindOfFormat(ImportFormat format) {
    return QString::fromLatin1(factsOf(format).kind);
}

bool isLossless(ImportFormat format) {
    return factsOf(format).defaultBitRate == 0;
}

int defaultBitRate(ImportFormat format) {
    return factsOf(format).defaultBitRate;
}

QList<int> bitRateChoices(ImportFormat format) {
    if (format == ImportFormat::Mp3) {
        return {mp3BitRates.begin(), mp3BitRates.end()};
    }
    // The steps encoders are usually offered at, within what this one takes.
    constexpr std::array usual{32, 48, 64, 96, 128, 160, 192, 224, 256, 320, 384, 448, 510};
    const FormatFacts& entry = factsOf(format);
    QList<int> choices;
    for (const int rate : usual) {
        if (!isLossless(format) && rate >= entry.lowestBitRate && rate <= entry.highestBitRate) {
            choices.append(rate);
        }
    }
    return choices;
}

ImportSettings defaultSettings(ImportFormat format) {
    return {format, defaultBitRate(format)};
}

std::optional<QString> settingsProblem(const ImportSettings& settings) {
    const FormatFacts& entry = factsOf(settings.format);
    const QString name = QString::fromLatin1(entry.name);
    if (isLossless(settings.format)) {
        if (settings.bitRate != 0) {
            return QCoreApplication::translate("decant::ImportSettings",
                                               "%1 is lossless and takes no bit rate")
                .arg(name);
        }
        return std::nullopt;
    }
    if (settings.format == ImportFormat::Mp3 &&
        std::find(mp3BitRates.begin(), mp3BitRates.end(), settings.bitRate) == mp3BitRates.end()) {
        QStringList rates;
        for (const int rate : mp3BitRates) {
            rates.append(QString::number(rate));
        }
        return QCoreApplication::translate("decant::ImportSettings",
                                           "mp3 takes one of these bit rates (kbit/s): %1")
            .arg(rates.join(QStringLiteral(", ")));
    }
    if (settings.bitRate < entry.lowestBitRate || settings.bitRate > entry.highestBitRate) {
        return QCoreApplication::translate("decant::ImportSettings",
                                           "%1 takes a bit rate from %2 to %3 kbit/s")
            .arg(name)
            .arg(entry.lowestBitRate)
            .arg(entry.highestBitRate);
    }
    return std::nullopt;
}

QString describeSettings(const ImportSettings& settings) {
    if (isLossless(settings.format)) {
        return QCoreApplication::translate("decant::ImportSettings", "%1 (lossless)")
            .arg(formatName(settings.format));
    }
    return QCoreApplication::translate("decant::ImportSettings", "%1, %2 kbit/s")
        .arg(formatName(settings.format))
        .arg(settings.bitRate);
}

} // namespace decant::library
