#pragma once

#include "library/files/FileMoves.h"
#include "library/files/MediaFolder.h"
#include "library/import/AlbumLoudness.h"
#include "library/import/FileImport.h"
#include "library/model/ConversionOutcome.h"
#include "library/model/ImportSettings.h"
#include "library/model/TrackRecord.h"
#include "library/store/Database.h"
#include "library/store/NewTrack.h"

#include <QList>
#include <QUrl>

#include <functional>
#include <stop_token>

namespace decant::library {

// One convert of the library: every file is identified by its source and
// audio, and only what the library does not hold is encoded, each into a
// pending file that is recorded and put in place in one crash-safe step.
class ImportBatch {
public:
    // What the batch works on, all owned by the library.
    struct Parts {
        Database& database;
        const MediaFolder& media;
        FileMoves& moves;
        // A track's lock is held while its file is replaced, so that no tag
        // writer, of this process or another, writes into a file on its way
        // out.
        TrackLocks& locks;
        StepHook hook;
        // Called once a track is in place for good: its file lacks the tags
        // the track has (its provenance, its loudness, those of a replaced
        // track).
        std::function<void(qint64 trackId)> tagsChanged;
    };
    // Called as each file is done, on the thread that finished it.
    using Finished = std::function<void(qsizetype index, const ConversionOutcome& outcome)>;

    ImportBatch(Parts library, ImportSettings settings, bool measureLoudness, std::stop_token stop,
                int parallel);

    // One result per file, in the order of `urls`. What the files' writer
    // proved of each (see Library::convertFiles); none, or one per file.
    struct Proofs {
        QStringList digests; // see identifySource
        QStringList checks;  // see ExpectedOutput::sourceCheck
        QList<QUrl> leadIns; // see EncodeRequest::leadIn
    };
    QList<ConversionOutcome> run(const QList<QUrl>& urls, const Finished& finished,
                                 const Proofs& proofs = {});
    // The meters of the files encoded with loudness measured, by track, for
    // their albums'. Once `run` is done.
    AlbumLoudness::Meters takeMeters() { return std::move(meters_); }

private:
    struct Group;
    struct Prepared;

    std::optional<ConversionFailure> libraryProblem() const;
    QList<Group> identify(const QList<QUrl>& urls, const Proofs& proofs,
                          QList<ConversionOutcome>& results, const Finished& finished) const;
    void encodeAndRecord(const QList<Group>& groups, const Finished& finish);
    Prepared prepare(const Group& group) const;
    bool isReusable(const TrackRecord& track, const SourceFile& source) const;
    ConversionOutcome record(const Group& group, Prepared& prepared);
    void finishMoves();
    NewTrack newTrack(const SourceFile& source, const EncodedTrack& encoded) const;

    Parts library_;
    ImportSettings settings_;
    FileImport fileImport_;
    std::stop_token stop_;
    int parallel_;
    // The files put in place, whose journal entries end with the batch;
    // written by one recording thread at a time.
    QList<qint64> placed_;
    QStringList placedFolders_;
    QList<qint64> lackingTags_;
    AlbumLoudness::Meters meters_;
};

} // namespace decant::library
