#pragma once

#include <QList>
#include <QString>

#include <optional>

namespace decant::library {

// The formats the library can store its tracks in.
enum class ImportFormat { Aac, Alac, Mp3, Opus, Flac, Wav };

// What the user can choose when importing: the encoder, and its bit rate in
// kbit/s where it has one (0 for the lossless encoders).
struct ImportSettings {
    ImportFormat format = ImportFormat::Aac;
    int bitRate = 256;

    friend bool operator==(const ImportSettings&, const ImportSettings&) = default;
};

QList<ImportFormat> allFormats();

// "aac", "alac", "mp3", "opus", "flac", "wav": the names the settings use.
QString formatName(ImportFormat format);
std::optional<ImportFormat> formatNamed(const QString& name);

// The media file's extension, without the dot: "m4a", "mp3", ...
QString fileExtension(ImportFormat format);

// How a track of this format is described: "AAC audio file", ...
QString kindOfFormat(ImportFormat format);

bool isLossless(ImportFormat format);

// The bit rate a lossy encoder starts with; 0 for lossless encoders.
int defaultBitRate(ImportFormat format);

// The bit rates (kbit/s) a user picks from for a lossy encoder, lowest
// first, all of them accepted by settingsProblem; empty for a lossless one.
QList<int> bitRateChoices(ImportFormat format);

// The encoder's settings with its own default bit rate.
ImportSettings defaultSettings(ImportFormat format);

// Why these settings cannot be used, or nothing when they can.
std::optional<QString> settingsProblem(const ImportSettings& settings);

// "aac, 256 kbit/s" or "flac (lossless)".
QString describeSettings(const ImportSettings& settings);

} // namespace decant::library
