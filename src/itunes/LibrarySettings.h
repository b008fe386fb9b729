#pragma once

#include <QList>
#include <QString>

#include <chrono>

namespace decant {

// One encoder the library can import with, as a chooser lists it.
struct ImportFormatChoice {
    QString name;        // "aac", "alac", ...: what the settings store
    QString extension;   // "m4a"
    QList<int> bitRates; // kbit/s, lowest first; empty for a lossless encoder
    int defaultBitRate = 0;
};

// What an import does: the encoder, its bit rate (0 for a lossless one) and
// whether each track's loudness is measured for Sound Check.
struct ImportPreferences {
    QString format;
    int bitRate = 0;
    bool soundCheck = true;

    friend bool operator==(const ImportPreferences&, const ImportPreferences&) = default;
};

// The settings as read, and whether they can be changed.
struct ImportPreferencesReading {
    ImportPreferences preferences;
    // False while no import has made the library: the settings shown are
    // those its first import takes, and saving them makes it.
    bool exists = true;
    // Why the settings cannot be read or changed now (another program holds
    // the library locked, a newer Decant made it); empty when they can.
    QString problem;
};

// The import settings of the library in one folder, read and stored as
// decant-library settings does, through a library opened for that alone:
// an import under way in this process reads them again at its next batch,
// never in the middle of one. Blocks the calling thread for as long as the
// database takes to answer, at most `busyTimeout` while another program
// holds it.
class LibrarySettings {
public:
    explicit LibrarySettings(QString location,
                             std::chrono::milliseconds busyTimeout = std::chrono::seconds(1));

    QString location() const { return location_; }
    static QList<ImportFormatChoice> formats();

    ImportPreferencesReading read() const;
    // Why they could not be stored; empty once they are.
    QString save(const ImportPreferences& preferences) const;

private:
    QString location_;
    std::chrono::milliseconds busyTimeout_;
};

} // namespace decant
