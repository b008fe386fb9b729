#pragma once

#include "library/ConversionError.h"
#include "library/Database.h"
#include "library/FileMoves.h"
#include "library/ImportSettings.h"
#include "library/Importer.h"
#include "library/MediaFolder.h"

#include <QList>
#include <QUrl>

#include <functional>
#include <mutex>
#include <stop_token>

namespace decant::library {

// How a file became a track.
enum class Conversion {
    Failed,
    Added,    // a new track
    Held,     // the library held its source and audio already
    Replaced, // a held track, encoded again with the current settings
};

// What became of one file of a batch.
struct ImportedFile {
    Conversion how = Conversion::Failed;
    qint64 trackId = 0;
    ConversionFailure failure; // when it failed
    // The meter of a file encoded with loudness measured, for its album's.
    std::shared_ptr<const LoudnessMeter> meter;
};

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
        // Held while a track's file is replaced, so that the tag writer never
        // writes into a file on its way out.
        std::mutex& filesMutex;
        StepHook hook;
        // Called once a track whose file lacks tags it has (a replaced
        // track, or a new one with a loudness) is in place for good.
        std::function<void(qint64 trackId)> tagsChanged;
    };
    // Called as each file is done, on the thread that finished it.
    using Finished = std::function<void(qsizetype index, const ImportedFile& file)>;

    ImportBatch(Parts library, ImportSettings settings, bool measureLoudness, std::stop_token stop,
                int parallel);

    // One result per file, in the order of `urls`.
    QList<ImportedFile> run(const QList<QUrl>& urls, const Finished& finished);

private:
    struct Group;
    struct Prepared;

    std::optional<ConversionFailure> libraryProblem() const;
    QList<Group> identify(const QList<QUrl>& urls, QList<ImportedFile>& results,
                          const Finished& finished) const;
    void encodeAndRecord(const QList<Group>& groups, const Finished& finish);
    Prepared prepare(const Group& group) const;
    bool isReusable(const TrackRecord& track, const SourceFile& source) const;
    ImportedFile record(const Group& group, Prepared& prepared);
    void finishMoves();
    NewTrack newTrack(const SourceFile& source, const EncodedTrack& encoded) const;

    Parts library_;
    ImportSettings settings_;
    Importer importer_;
    std::stop_token stop_;
    int parallel_;
    // The files put in place, whose journal entries end with the batch;
    // written by one recording thread at a time.
    QList<qint64> placed_;
    QStringList placedFolders_;
    QList<qint64> lackingTags_;
};

} // namespace decant::library
