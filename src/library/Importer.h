#pragma once

#include "library/ConversionError.h"
#include "library/Encoder.h"
#include "library/ImportSettings.h"
#include "library/MediaFolder.h"

#include <QList>
#include <QUrl>

#include <functional>

namespace decant::library {

// A file that has been encoded into the media folder.
struct ImportedFile {
    QString name;     // the track's name: the source's base name
    QString fileName; // in the media folder
    EncodedAudio audio;
    qint64 size = 0;
};

struct ImportResult {
    std::optional<ImportedFile> file;
    ConversionFailure failure; // when there is no file
};

// Encodes WAV files into the media folder with fixed settings.
class Importer {
public:
    Importer(const MediaFolder& media, ImportSettings settings);

    // Encodes one file. Runs on the calling thread.
    ImportResult importFile(const QUrl& url) const;

    // Encodes every file, `parallel` at a time, each on a thread of its own
    // started for the purpose; the results in the order of `urls`. Returns
    // when all are done.
    QList<ImportResult> importAll(const QList<QUrl>& urls, int parallel) const;

private:
    const MediaFolder& media_;
    ImportSettings settings_;
};

} // namespace decant::library
