#include "app/LibraryCovers.h"

#include <QBuffer>
#include <QImage>
#include <QImageReader>
#include <QTimer>

#include <utility>

namespace decant {
namespace {

// The image scaled while it is decoded (JPEG decodes at a fraction of its
// size), so a large cover costs little.
QImage scaledPicture(QByteArray bytes, int side) {
    QBuffer buffer(&bytes);
    QImageReader reader(&buffer);
    QSize size = reader.size();
    if (size.isValid()) {
        reader.setScaledSize(size.scaled(side, side, Qt::KeepAspectRatio));
    }
    QImage image = reader.read();
    if (!image.isNull() && (image.width() > side || image.height() > side)) {
        image = image.scaled(side, side, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    }
    return image;
}

} // namespace

LibraryCovers::LibraryCovers(LibraryCatalogue catalogue, int side, QObject* parent)
    : QObject(parent)
    , catalogue_(std::move(catalogue))
    , side_(side) {
    reader_.setMaxThreadCount(1);
}

LibraryCovers::~LibraryCovers() = default;

QPixmap LibraryCovers::picture(const QString& cover) {
    if (cover.isEmpty()) {
        return {};
    }
    if (const auto found = pictures_.constFind(cover); found != pictures_.constEnd()) {
        return *found;
    }
    if (!reading_.contains(cover)) {
        // A screenful of rows asks at once: they are read in one go.
        if (requested_.isEmpty()) {
            QTimer::singleShot(0, this, &LibraryCovers::readRequested);
        }
        requested_.append(cover);
        reading_.insert(cover);
    }
    return {};
}

void LibraryCovers::readRequested() {
    if (requested_.isEmpty()) {
        return;
    }
    const QStringList asked = std::exchange(requested_, {});
    reader_.start([this, asked, catalogue = catalogue_, side = side_] {
        QHash<QString, QImage> images;
        const QHash<QString, QByteArray> read = catalogue.coverImages(asked);
        for (auto image = read.begin(); image != read.end(); ++image) {
            images.insert(image.key(), scaledPicture(image.value(), side));
        }
        QMetaObject::invokeMethod(
            this, [this, images = std::move(images), asked] { showRead(images, asked); },
            Qt::QueuedConnection);
    });
}

void LibraryCovers::showRead(const QHash<QString, QImage>& images, const QStringList& asked) {
    for (const QString& cover : asked) {
        reading_.remove(cover);
        // Kept even when null, so a cover that cannot be read is not read
        // again with every repaint.
        pictures_.insert(cover, QPixmap::fromImage(images.value(cover)));
    }
    emit picturesRead();
}

} // namespace decant
