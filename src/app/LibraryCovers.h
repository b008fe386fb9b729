#pragma once

#include "itunes/LibraryCatalogue.h"

#include <QHash>
#include <QObject>
#include <QPixmap>
#include <QSet>
#include <QThreadPool>

namespace decant {

// Small pictures of the tracks' covers for the Library window's table,
// read and scaled on a thread of their own when a row first shows one, and
// kept for as long as the window is open: an album's tracks share one. Main
// thread, but for that reading.
class LibraryCovers final : public QObject {
    Q_OBJECT

public:
    // Pictures fit in a square of `side` pixels.
    LibraryCovers(LibraryCatalogue catalogue, int side, QObject* parent = nullptr);
    ~LibraryCovers() override;

    // The picture, once read; until then a null one, and the cover is read.
    // A cover that cannot be read stays null.
    QPixmap picture(const QString& cover);
    int side() const { return side_; }

signals:
    // Pictures asked for before have been read.
    void picturesRead();

private:
    void readRequested();
    void showRead(const QHash<QString, QImage>& images, const QStringList& asked);

    LibraryCatalogue catalogue_;
    int side_;
    QHash<QString, QPixmap> pictures_;
    // Asked for and not read yet; those being read are in `reading_`.
    QStringList requested_;
    QSet<QString> reading_;
    // Last, so that it is destroyed first, waiting for a read under way.
    QThreadPool reader_;
};

} // namespace decant
