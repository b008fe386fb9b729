#include "queue/FileEntries.h"

#include "queue/CueSheetFinder.h"
#include "queue/CueSlices.h"
#include "queue/FLACMetadata.h"
#include "queue/FilePath.h"
#include "queue/VorbisComments.h"

#include <QCoreApplication>
#include <QFile>
#include <QSet>

namespace decant {
namespace {

QString notUsedNote(const QString& reason) {
    return QCoreApplication::translate("decant::CueSheet", "The CUE sheet was not used: %1")
        .arg(reason);
}

bool namesSeveralFiles(const CueSheet& sheet) {
    QSet<QString> names;
    for (const CueTrack& track : sheet.tracks) {
        names.insert(track.fileName.toLower());
    }
    return names.size() > 1;
}

QueueEntryPointer wholeFile(const QByteArray& path, const FLACMetadata& metadata,
                            const QString& note,
                            std::optional<CommentsDictionary> comments = std::nullopt) {
    auto entry = QueueEntry::entryForFile(path, metadata);
    if (!note.isEmpty()) {
        entry->addNote(note);
    }
    if (comments) {
        entry->setComments(std::move(*comments));
    }
    return entry;
}

} // namespace

QList<QueueEntryPointer> entriesForFile(const QByteArray& path) {
    const FLACMetadata metadata = readFLACMetadata(path);
    if (!metadata.format) {
        return {QueueEntry::entryForFile(path, metadata)};
    }
    const CueSheetSearch search = findCueSheet(path, metadata);
    if (!search.found) {
        return {wholeFile(path, metadata,
                          search.reason.isEmpty() ? QString() : notUsedNote(search.reason))};
    }
    const CueSheet& sheet = search.found->sheet;
    CueStream stream{std::nullopt, metadata.format->sampleRate, metadata.totalSamples};
    if (search.found->origin == CueSheetOrigin::BesideFile) {
        stream.fileName = QFile::decodeName(path.mid(path.lastIndexOf('/') + 1));
    }
    const CueResult<QList<CueSlice>> slices = cutCueSheet(sheet, stream);
    if (!slices.value) {
        return {wholeFile(path, metadata, notUsedNote(slices.reason))};
    }
    const CommentsDictionary fileComments =
        commentsFromEntries(metadata.commentEntries.value_or(QStringList()));
    const int trackTotal = int(sheet.tracks.size());
    if (slices.value->size() == 1 && namesSeveralFiles(sheet)) {
        return {
            wholeFile(path, metadata, {},
                      cueSliceComments(sheet, slices.value->first(), trackTotal, fileComments))};
    }
    QList<QueueEntryPointer> entries;
    for (const CueSlice& slice : *slices.value) {
        const QueueEntryTrack track{slice.track.number, slice.track.title, slice.firstSample,
                                    slice.endSample};
        entries.append(QueueEntry::entryForTrack(
            path, metadata, track, cueSliceComments(sheet, slice, trackTotal, fileComments)));
    }
    return entries;
}

} // namespace decant
