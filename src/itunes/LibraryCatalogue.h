#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <chrono>
#include <optional>

namespace decant {

// One track of the library as the Library window lists it.
struct CatalogueTrack {
    qint64 id = 0;
    QString name;
    QString artist;
    QString album;
    int trackNumber = 0; // 0: none
    int discNumber = 0;
    int year = 0;
    QString kind; // "AAC audio file"
    // The ReplayGain gain in dB its loudness asks for; nothing when it was
    // not measured.
    std::optional<double> gain;
    // What decoding its file back proved ("lossless, MD5 ..."); empty when
    // nothing was.
    QString verified;
    QString file; // absolute path of its media file
    // The key of its artwork for coverImages; empty when it has none.
    QString cover;
};

struct CatalogueReading {
    QList<CatalogueTrack> tracks;
    // False while no import has made the library.
    bool exists = true;
    // Why the tracks cannot be read now; empty when they were.
    QString problem;
};

// The tracks of the library in one folder, for a window to browse, and the
// one change it makes to them: moving a track to the trash, as
// decant-library remove does. Reading opens the library read-only, so it
// goes on while an import in this or another process writes; it blocks the
// calling thread for as long as the database takes, and any thread may call
// it.
class LibraryCatalogue {
public:
    explicit LibraryCatalogue(QString location,
                              std::chrono::milliseconds busyTimeout = std::chrono::seconds(2));

    QString location() const { return location_; }
    CatalogueReading read() const;
    // The images of these covers (CatalogueTrack::cover), read in one
    // opening; a cover the library no longer has, or cannot read now, is
    // left out.
    QHash<QString, QByteArray> coverImages(const QStringList& covers) const;
    // Removes the track and moves its file to the desktop's trash: the
    // reason when the track is still there, or when its file could not go
    // to the trash; empty when all went well.
    QString moveToTrash(qint64 id) const;

private:
    QString location_;
    std::chrono::milliseconds busyTimeout_;
};

} // namespace decant
