#pragma once

#include "cli/CommandLineOptions.h"
#include "cli/Console.h"
#include "cli/ConsoleBadge.h"
#include "cli/ConsoleTable.h"
#include "cli/ProgressReporter.h"
#include "platform/SignalWatcher.h"
#include "itunes/LibraryApplication.h"
#include "queue/FilesController.h"

#include <QEventLoop>

#include <memory>

namespace decant {

// One import from the command line on a controller of its own: queueing the
// paths, the store page, decoding, the hand-off to the library and the
// summary. The library is closed, its pending tags written, when the run is
// destroyed. Main thread only.
class ImportRun {
public:
    ImportRun(Console& console, CommandLineOptions options,
              FilesController::AlbumReader albumReader);
    ~ImportRun();
    ImportRun(const ImportRun&) = delete;
    ImportRun& operator=(const ImportRun&) = delete;

    // Imports the FLAC files among the paths (existing, absolute); the exit
    // status.
    int exec(const QList<QByteArray>& paths);

private:
    // What intake passed over, with why.
    void reportSkippedPaths();
    void applyStorePage();
    void decodeAndHandOff();
    // Decoded audio that did not reach the library, and what failed decodes
    // left behind.
    void removeLeftoverDecodedFiles() const;
    // A signal asked to stop: no new decodes; what runs is finished.
    void stop(int signalNumber);
    bool stopRequested();
    void printSummary();
    // Each file that failed, with why.
    void printFailureReasons();
    void explainFilesNotImported(qsizetype count);
    int exitStatus() const;
    QString libraryLocation() const;

    Console& console_;
    const CommandLineOptions options_;
    FilesController::AlbumReader albumReader_;
    qsizetype songsRead_ = 0;
    // Declared first so it goes last: a signal during the final tag writes
    // must not end the process before they are on disk.
    SignalWatcher signals_;
    std::shared_ptr<LibraryApplication> library_;
    std::shared_ptr<ConsoleBadge> badge_;
    std::unique_ptr<FilesController> controller_;
    std::shared_ptr<ConsoleTable> table_;
    ProgressReporter progress_;
    QEventLoop loop_;
    bool handOffFinished_ = false;
    int stopSignal_ = 0;
};

} // namespace decant
