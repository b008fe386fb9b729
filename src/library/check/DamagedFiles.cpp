#include "library/check/DamagedFiles.h"

#include "library/Library.h"
#include "library/encode/EncodingPlan.h"
#include "library/import/FileImport.h"
#include "library/verify/DecodeBack.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <atomic>
#include <thread>
#include <vector>

namespace decant::library {
namespace {

// By its kind, which stays when a repair has the settings forgotten.
std::optional<ImportFormat> encoderOf(const TrackRecord& track) {
    for (const ImportFormat encoder : allFormats()) {
        if (kindOfFormat(encoder) == track.kind) {
            return encoder;
        }
    }
    return std::nullopt;
}

std::optional<LibraryProblem> damage(const Library& library, const TrackRecord& track) {
    const QString path = QDir(library.location()).filePath(track.file);
    const auto encoder = encoderOf(track);
    // A missing file is a problem of its own.
    if (track.verification.proof == Verification::Proof::None || !encoder ||
        !QFileInfo::exists(path)) {
        return std::nullopt;
    }
    QString error;
    const auto digest = digestEncodedFile(path, demuxerName(*encoder), track.verification.proof,
                                          track.sourceFormat, &error);
    if (digest == track.verification.digest) {
        return std::nullopt;
    }
    const QString now =
        digest ? QCoreApplication::translate("decant::DamagedFiles", "it now gives MD5 %1")
                     .arg(*digest)
               : QCoreApplication::translate("decant::DamagedFiles", "it no longer decodes: %1")
                     .arg(error);
    return LibraryProblem{
        LibraryProblem::Kind::DamagedFile, track.id, 0, track.file,
        QCoreApplication::translate(
            "decant::DamagedFiles",
            "Damaged file: %1 of track %2 \"%3\" changed since it was verified on %4 "
            "(%5); %6.")
            .arg(track.file)
            .arg(track.id)
            .arg(track.text(QStringLiteral("name")),
                 track.verification.when.toLocalTime().toString(Qt::ISODate),
                 track.verification.proof == Verification::Proof::Lossless
                     ? describeVerification(track.verification)
                     : QCoreApplication::translate("decant::DamagedFiles", "its packets' MD5 %1")
                           .arg(track.verification.digest),
                 now)};
}

} // namespace

Result<QList<LibraryProblem>> findDamagedFiles(const Library& library,
                                               const CheckProgress& progress) {
    const auto read = library.tracks();
    if (!read) {
        return read.error();
    }
    const QList<TrackRecord>& tracks = *read;
    std::vector<std::optional<LibraryProblem>> found(std::size_t(tracks.size()));
    std::atomic<qsizetype> done = 0;
    std::atomic<bool> stopped = false;
    forEachInParallel(tracks.size(), int(std::max(1u, std::thread::hardware_concurrency())),
                      [&](qsizetype index) {
                          if (stopped.load()) {
                              return;
                          }
                          found[std::size_t(index)] = damage(library, tracks[index]);
                          if (progress && !progress(++done, tracks.size())) {
                              stopped.store(true);
                          }
                      });
    if (stopped.load()) {
        return Error{Error::Kind::Other,
                     QCoreApplication::translate("decant::DamagedFiles", "the check was stopped")};
    }
    QList<LibraryProblem> problems;
    for (const auto& problem : found) {
        if (problem) {
            problems.append(*problem);
        }
    }
    return problems;
}

} // namespace decant::library
