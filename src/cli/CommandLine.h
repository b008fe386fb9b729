#pragma once

#include "store/MetadataFetchCommand.h"

#include <QByteArray>
#include <QList>
#include <QTextStream>

namespace decant {

// What a run of decant-cli writes to and reads from besides its arguments.
struct CommandLineEnvironment {
    QTextStream& out;
    QTextStream& err;
    // Standard output is a terminal: progress is one line redrawn in place.
    bool terminal = false;
    // Reads the store's album pages; the store itself when empty.
    MetadataFetchCommand::AlbumReader albumReader;
};

// decant-cli [--library DIR] [--store-url URL] PATH...: imports the FLAC
// files among the paths and prints what became of each. The arguments are
// the process's own bytes, the program's name first; returns the exit
// status. Needs a QCoreApplication, and runs its event loop until the import
// is over.
int runCommandLine(const QList<QByteArray>& arguments, const CommandLineEnvironment& environment);

} // namespace decant
