#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

namespace decant {

// What a run of decant-cli is asked to do.
struct CommandLineOptions {
    QString libraryFolder; // empty: the library's default location
    std::optional<QString> storeURL;
    // When the store gives no songs: import with the files' own tags
    // instead of importing nothing.
    bool keepTags = false;
    QList<QByteArray> paths; // as given, in order, the bytes of the arguments
};

// The arguments read: a run, a text to print before leaving (help or
// version), or the reason they cannot be understood.
struct ParsedCommandLine {
    enum class Outcome { Run, Print, UsageError };

    Outcome outcome = Outcome::UsageError;
    CommandLineOptions options; // for Run
    QString text;               // for Print and UsageError
};

// Reads the arguments as the process got them (bytes), the program's name
// first.
ParsedCommandLine parseCommandLine(const QList<QByteArray>& arguments);

} // namespace decant
