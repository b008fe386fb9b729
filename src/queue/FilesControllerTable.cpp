#include "queue/FilePath.h"
#include "queue/FilesController.h"
#include "queue/TrackNumberText.h"

#include <QCoreApplication>
#include <QLocale>

namespace decant {
namespace {

QString textOfValue(const QVariant& value) {
    if (value.isNull()) {
        return {};
    }
    if (value.typeId() == QMetaType::Double) {
        // Shortest text that reads back as the same number: 2.5, not 2.50000.
        return QString::number(value.toDouble(), 'g', QLocale::FloatingPointShortest);
    }
    // Several values of one field, as taggers show them.
    return value.toString().replace(commentValueSeparator, QStringLiteral("; "));
}

QString cellText(const QueueEntry& entry, const QString& columnIdentifier) {
    if (columnIdentifier == QLatin1String("path")) {
        return entry.fileName();
    }
    if (columnIdentifier == QLatin1String("status")) {
        return displayTextForStatus(entry.status());
    }
    if (columnIdentifier == QLatin1String("tracknumber")) {
        return trackNumberText(entry.comments());
    }
    return textOfValue(entry.comments().value(columnIdentifier.toUpper()));
}

} // namespace

int FilesController::numberOfRowsInTableView() const {
    std::lock_guard lock(filesLock_);
    return int(files_.size());
}

QueueEntryPointer FilesController::entryAtRow(int row) const {
    std::lock_guard lock(filesLock_);
    return row >= 0 && row < files_.size() ? files_.at(row) : nullptr;
}

QString FilesController::tableViewObjectValueForTableColumnRow(const QString& columnIdentifier,
                                                               int row) const {
    const QueueEntryPointer entry = entryAtRow(row);
    return entry ? cellText(*entry, columnIdentifier) : QString();
}

QString FilesController::tableViewToolTipForTableColumnRow(const QString& columnIdentifier,
                                                           int row) const {
    const QueueEntryPointer entry = entryAtRow(row);
    if (!entry) {
        return {};
    }
    // Two albums' "01 - Intro.flac" look alike until their folders show:
    // the File cell's tip is the whole path.
    QString tip = cellText(*entry, columnIdentifier);
    if (columnIdentifier == QLatin1String("path")) {
        // A track's name adds its number and title to the file's.
        tip = displayPath(entry->path()) +
              entry->fileName().mid(displayFileName(entry->path()).size());
    } else if (columnIdentifier == QLatin1String("status")) {
        const QString reason = entry->failureReason();
        tip = reason.isEmpty() ? displayTextForStatus(entry->status()) : reason;
    }
    // What the library proved of the track, and what reading the file left
    // out, wherever the pointer rests.
    if (const QString verification = entry->verification(); !verification.isEmpty()) {
        tip += u'\n' + QCoreApplication::translate("decant::FilesController", "Verified: %1")
                           .arg(verification);
    }
    for (const QString& note : entry->notes()) {
        tip += u'\n' + note;
    }
    return tip;
}

DropTarget
FilesController::tableViewValidateDropProposedRowProposedDropOperation(int, DropOperation) const {
    return {numberOfRowsInTableView(), DropOperation::Above, DragOperation::Generic};
}

bool FilesController::tableViewAcceptDropRowDropOperation(const QList<QUrl>& items, int,
                                                          DropOperation) {
    QList<QByteArray> paths;
    for (const QUrl& item : items) {
        if (const auto path = pathOfFileURL(item)) {
            paths.append(*path);
        } else {
            skipPath(item.toEncoded(), QCoreApplication::translate("decant::FilesController",
                                                                   "not a file on this machine"));
        }
    }
    // A folder dropped from a file manager may hold an archive's worth of
    // files: the table stays live while they are read.
    beginAddingFiles(paths);
    return true;
}

} // namespace decant
