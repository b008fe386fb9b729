#pragma once

#include "library/encode/EncodeWavFile.h"
#include "library/files/MediaFolder.h"
#include "library/model/ConversionError.h"
#include "library/model/ImportSettings.h"
#include "library/model/StepHook.h"
#include "library/model/Verification.h"

#include <QString>
#include <QUrl>

#include <functional>
#include <memory>
#include <optional>
#include <stop_token>

namespace decant::library {

// A WAV file given to the library, and what identifies its audio.
struct SourceFile {
    QString path;
    QString name;   // the file's base name: the source, and the track's first name
    QString digest; // see wavAudioDigest
    QString check;  // see ExpectedOutput::sourceCheck; empty for none
    QString leadIn; // see EncodeRequest::leadIn; empty for none
};

// A WAV file encoded into a synced pending file, decoded back and found to
// hold its source, not yet recorded.
struct EncodedTrack {
    std::unique_ptr<PendingFile> file;
    EncodedAudio audio;
    qint64 size = 0;
    Verification verification;
};

// Reads a local WAV file far enough to know its audio. A `digest` proven
// by the file's writer (the MD5 of its samples as it stores them, which a
// FLAC decode checks) is taken as it is, sparing a pass over the file; when
// it is empty the file is read to take it. Runs on the calling thread;
// nothing, with the reason, for a file that cannot be converted.
std::optional<SourceFile> identifySource(const QUrl& url, const QString& digest,
                                         std::stop_token stop, ConversionFailure* failure);

// Encodes WAV files into pending files of the media folder with fixed
// settings, and proves each against its source by decoding it back.
class FileImport {
public:
    // The hook is told of "verifying" once a file is written, before it is
    // decoded back.
    FileImport(const MediaFolder& media, ImportSettings settings, bool measureLoudness,
               StepHook hook = {});

    // Runs on the calling thread; several may run at once.
    std::optional<EncodedTrack> encode(const SourceFile& source, std::stop_token stop,
                                       ConversionFailure* failure) const;

private:
    const MediaFolder& media_;
    ImportSettings settings_;
    bool measureLoudness_;
    StepHook hook_;
};

// Calls work(index) for every index below `count`, `parallel` at a time, on
// the calling thread and threads started for the purpose. Returns when all
// are done.
void forEachInParallel(qsizetype count, int parallel, const std::function<void(qsizetype)>& work);

} // namespace decant::library
