#include "library/check/MediaRecovery.h"

#include "library/Library.h"
#include "library/files/MediaFolder.h"
#include "library/import/FileImport.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>
#include <optional>
#include <thread>
#include <vector>

namespace decant::library {
namespace {

QString identityOf(const TrackRecord& record) {
    return record.source.isEmpty() ? QString() : record.source + u'/' + record.audioDigest;
}

// The oldest versions named each file after its source, the path hash of
// its WAV file: "<32 hex digits>.m4a", and " 2" and so on for copies.
QString sourceInName(const QString& file) {
    static const QRegularExpression pathHash(QStringLiteral("^([0-9a-f]{32})( [0-9]+)?$"));
    const auto match = pathHash.match(QFileInfo(file).completeBaseName());
    return match.hasMatch() ? match.captured(1) : QString();
}

struct ReadFile {
    QString file;
    Result<MediaFileContents> contents = Error{};
};

std::vector<ReadFile> readEveryFile(const Library& library) {
    std::vector<ReadFile> files;
    for (const QString& file : library.mediaFiles()) {
        if (!MediaFolder::isPendingName(QFileInfo(file).fileName())) {
            files.push_back({file, Error{}});
        }
    }
    forEachInParallel(qsizetype(files.size()),
                      int(std::max(1u, std::thread::hardware_concurrency())), [&](qsizetype index) {
                          ReadFile& read = files[std::size_t(index)];
                          read.contents =
                              readMediaFile(QDir(library.location()).filePath(read.file));
                      });
    return files;
}

// What one pass made of the files.
struct Tally {
    int refreshed = 0;
    int relinked = 0;
    int added = 0;
    int withoutSource = 0;
    QStringList notes; // one sentence for each file left, or that failed
};

void recover(Library& library, MediaIndex& index, const ReadFile& read, Tally& tally) {
    if (!read.contents) {
        tally.notes.append(
            QCoreApplication::translate("decant::MediaRecovery", "Could not read %1: %2")
                .arg(read.file, read.contents.error().message));
        return;
    }
    const FileVerdict verdict = index.judge(read.file, *read.contents);
    using Kind = FileVerdict::Kind;
    if (verdict.kind == Kind::Listed) {
        return;
    }
    if (verdict.kind == Kind::Copy) {
        tally.notes.append(
            QCoreApplication::translate("decant::MediaRecovery",
                                        "Left %1 where it is: it is a second copy of track %2.")
                .arg(read.file)
                .arg(verdict.trackId));
        return;
    }
    TrackRecord record = trackFromFile(read.file, *read.contents, verdict.trackId);
    if (const TrackRecord* known = index.track(verdict.trackId)) {
        record.artworkNote = known->artworkNote;
    }
    const auto id = library.restoreTrack(record, read.contents->artwork);
    if (!id) {
        tally.notes.append(
            QCoreApplication::translate("decant::MediaRecovery", "Could not recover %1: %2")
                .arg(read.file, id.error().message));
        return;
    }
    index.place(*id, read.file, *read.contents);
    tally.refreshed += verdict.kind == Kind::Refresh;
    tally.relinked += verdict.kind == Kind::Relink;
    tally.added += verdict.kind == Kind::Add || verdict.kind == Kind::Unknown;
    tally.withoutSource += record.source.isEmpty();
}

} // namespace

MediaIndex::MediaIndex(const Library& library, const QList<TrackRecord>& tracks)
    : library_(library) {
    for (const TrackRecord& track : tracks) {
        byId_.insert(track.id, track);
        byFile_.insert(track.file, track.id);
        if (const QString identity = identityOf(track); !identity.isEmpty()) {
            byIdentity_.insert(identity, track.id);
        }
    }
}

const TrackRecord* MediaIndex::track(qint64 id) const {
    const auto found = byId_.constFind(id);
    return found == byId_.constEnd() ? nullptr : &*found;
}

FileVerdict MediaIndex::judge(const QString& file, const MediaFileContents& contents) const {
    using Kind = FileVerdict::Kind;
    const auto lister = byFile_.constFind(file);
    const QString identity = contents.hasProvenance ? identityOf(contents.record) : QString();
    const auto holder =
        identity.isEmpty() ? byIdentity_.constEnd() : byIdentity_.constFind(identity);
    if (holder == byIdentity_.constEnd()) {
        if (lister != byFile_.constEnd()) {
            return {Kind::Listed, *lister};
        }
        return {identity.isEmpty() ? Kind::Unknown : Kind::Add, 0};
    }
    const TrackRecord held = byId_.value(*holder);
    if (held.file == file) {
        return {Kind::Refresh, held.id};
    }
    if (lister != byFile_.constEnd()) {
        return {Kind::Listed, *lister}; // another track's file: its row decides
    }
    const bool heldFileThere = QFileInfo::exists(QDir(library_.location()).filePath(held.file));
    return {heldFileThere ? Kind::Copy : Kind::Relink, held.id};
}

void MediaIndex::place(qint64 trackId, const QString& file, const MediaFileContents& contents) {
    TrackRecord record = trackFromFile(file, contents, trackId);
    if (const auto old = byId_.constFind(trackId); old != byId_.constEnd()) {
        byFile_.remove(old->file);
    }
    byId_.insert(trackId, record);
    byFile_.insert(file, trackId);
    if (const QString identity = identityOf(record); !identity.isEmpty()) {
        byIdentity_.insert(identity, trackId);
    }
}

TrackRecord trackFromFile(const QString& file, const MediaFileContents& contents, qint64 trackId) {
    TrackRecord record = contents.record;
    record.id = trackId;
    record.file = file;
    if (record.text(QStringLiteral("name")).isEmpty()) {
        record.properties.insert(QStringLiteral("name"), QFileInfo(file).completeBaseName());
    }
    if (!contents.hasProvenance) {
        record.source = sourceInName(file);
        // Its provenance is written, with what is known.
        record.tagsDirty = 1;
    }
    if (!record.dateAdded.isValid()) {
        record.dateAdded = QDateTime::currentDateTimeUtc();
    }
    return record;
}

Result<QStringList> recoverTracksFromMedia(Library& library) {
    const auto tracks = library.tracks();
    if (!tracks) {
        return tracks.error();
    }
    MediaIndex index(library, *tracks);
    Tally tally;
    for (const ReadFile& read : readEveryFile(library)) {
        recover(library, index, read, tally);
    }
    QStringList done = tally.notes;
    done.append(QCoreApplication::translate(
                    "decant::MediaRecovery",
                    "Recovered %n track(s) from their files' own tags: %1 added, %2 "
                    "brought up to date with their files, %3 given back a file that "
                    "had moved. Track IDs may differ from before.",
                    nullptr, tally.added + tally.refreshed + tally.relinked)
                    .arg(tally.added)
                    .arg(tally.refreshed)
                    .arg(tally.relinked));
    if (tally.withoutSource > 0) {
        done.append(QCoreApplication::translate(
            "decant::MediaRecovery",
            "%n of them came from files that do not say which FLAC file "
            "they were imported from (made by an older version, or put "
            "there by hand): importing that FLAC file again adds a second "
            "track.",
            nullptr, tally.withoutSource));
    }
    return done;
}

std::optional<QString> adoptImportSettingsOfTracks(Library& library) {
    QHash<QString, std::pair<ImportSettings, int>> counts;
    for (const TrackRecord& track : library.tracks().valueOr({})) {
        if (track.encodedWith) {
            const QString key = describeSettings(*track.encodedWith);
            counts[key] = {*track.encodedWith, counts.value(key).second + 1};
        }
    }
    const auto most =
        std::max_element(counts.cbegin(), counts.cend(),
                         [](const auto& a, const auto& b) { return a.second < b.second; });
    if (most == counts.cend()) {
        return std::nullopt;
    }
    if (const Status set = library.setImportSettings(most->first); !set) {
        return QCoreApplication::translate(
                   "decant::MediaRecovery",
                   "Could not set the import settings of the tracks (%1): %2")
            .arg(describeSettings(most->first), set.error().message);
    }
    return QCoreApplication::translate("decant::MediaRecovery",
                                       "Set the import settings to those of %n track(s): %1.",
                                       nullptr, most->second)
        .arg(describeSettings(most->first));
}

} // namespace decant::library
