#include "itunes/LibrarySettings.h"

#include "library/Library.h"
#include "library/model/ImportSettings.h"

#include <QCoreApplication>

#include <utility>

namespace decant {

using library::Error;
using library::ImportFormat;

LibrarySettings::LibrarySettings(QString location, std::chrono::milliseconds busyTimeout)
    : location_(std::move(location))
    , busyTimeout_(busyTimeout) {}

QList<ImportFormatChoice> LibrarySettings::formats() {
    QList<ImportFormatChoice> choices;
    for (const ImportFormat format : library::allFormats()) {
        choices.append({library::formatName(format), library::fileExtension(format),
                        library::bitRateChoices(format), library::defaultBitRate(format)});
    }
    return choices;
}

ImportPreferencesReading LibrarySettings::read() const {
    library::LibraryOptions options;
    options.readOnly = true;
    options.busyTimeout = busyTimeout_;
    const library::ImportSettings fresh;
    ImportPreferencesReading reading;
    reading.preferences = {library::formatName(fresh.format), fresh.bitRate, true};
    const auto opened = library::Library::open(location_, options);
    if (!opened) {
        reading.exists = opened.error().kind != Error::Kind::NotFound;
        reading.problem = reading.exists ? opened.error().message : QString();
        return reading;
    }
    const auto settings = (*opened)->importSettings();
    const auto soundCheck = (*opened)->soundCheck();
    if (!settings || !soundCheck) {
        reading.problem = (settings ? soundCheck.error() : settings.error()).message;
        return reading;
    }
    reading.preferences = {library::formatName(settings->format), settings->bitRate, *soundCheck};
    return reading;
}

QString LibrarySettings::save(const ImportPreferences& preferences) const {
    const auto format = library::formatNamed(preferences.format);
    if (!format) {
        return QCoreApplication::translate("decant::LibrarySettings", "no such encoder: %1")
            .arg(preferences.format);
    }
    const library::ImportSettings settings{*format, preferences.bitRate};
    if (const auto problem = library::settingsProblem(settings)) {
        return *problem;
    }
    // The tags are the importing process's to write, as for the command.
    library::LibraryOptions options;
    options.writeTags = false;
    options.busyTimeout = busyTimeout_;
    const auto opened = library::Library::open(location_, options);
    if (!opened) {
        return opened.error().message;
    }
    library::Status stored = (*opened)->setImportSettings(settings);
    if (stored) {
        stored = (*opened)->setSoundCheck(preferences.soundCheck);
    }
    return stored ? QString() : stored.error().message;
}

} // namespace decant
