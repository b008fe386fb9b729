#pragma once

#include "cli/CommandLineOptions.h"
#include "cli/Console.h"
#include "cli/ConsoleTable.h"
#include "cli/ProgressReporter.h"
#include "itunes/LibraryApplication.h"
#include "platform/SignalWatcher.h"
#include "queue/FilesController.h"
#include "store/MetadataFetchCommand.h"

#include <QEventLoop>
#include <QTimer>

#include <memory>

namespace decant {

// One import from the command line on a controller of its own: queueing the
// paths, the store page, decoding, the hand-off to the library and the
// summary. Everything it shows of a file comes from the file's queue entry.
// The library is closed, its pending tags written, when the run is
// destroyed. Main thread only.
class ImportRun {
public:
    ImportRun(Console& console, CommandLineOptions options,
              MetadataFetchCommand::AlbumReader albumReader);
    ~ImportRun();
    ImportRun(const ImportRun&) = delete;
    ImportRun& operator=(const ImportRun&) = delete;

    // Imports the FLAC files among the paths (existing, absolute); the exit
    // status.
    int exec(const QList<QByteArray>& paths);

private:
    // Decoded audio that no live Decant process holds: what a crash or a
    // kill left, and the files of failed decodes, kept until now.
    void removeAbandonedDecodedFiles();
    // What intake passed over, with why.
    void reportSkippedPaths();
    // Gives the files the store's songs; false when there were none and the
    // run must import nothing.
    bool applyStorePage();
    void decodeAndHandOff();
    // Decoded audio that did not reach the library; a failed decode's file
    // stays for inspection.
    void removeLeftoverDecodedFiles() const;
    void signalCaught(int signalNumber);
    // The first signal: no new decodes; what runs is finished.
    void stop(int signalNumber);
    // The second: the library drops the file it is converting too, and the
    // run ends as soon as its convert has returned.
    void stopNow();
    bool stopRequested();
    void printSummary();
    // Each file that failed or that the library did not take, with why,
    // then what reading the files left out.
    void printReasons();
    void printSection(const QString& heading, const QStringList& lines);
    void explainFilesNotTaken();
    int exitStatus() const;

    Console& console_;
    const CommandLineOptions options_;
    MetadataFetchCommand::AlbumReader albumReader_;
    // Declared first so it goes last: a signal during the final tag writes
    // must not end the process before they are on disk (a third one does).
    SignalWatcher signals_;
    // The library behind the hand-off, which also tells where it is.
    std::shared_ptr<LibraryApplication> library_;
    std::unique_ptr<FilesController> controller_;
    // The same store command as the window's, on this run's queue.
    MetadataFetchCommand fetch_;
    std::shared_ptr<ConsoleTable> table_;
    ProgressReporter progress_;
    QEventLoop loop_;
    // After a second signal: ends the wait once nothing runs any more.
    QTimer stoppedCheck_;
    bool handOffFinished_ = false;
    int stopSignal_ = 0;
    bool stoppingNow_ = false;
};

} // namespace decant
