#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace decant {

// What a run of decant-cli is asked to do.
struct CommandLineOptions {
    QString libraryFolder; // empty: the library's default location
    std::optional<QString> storeURL;
    QStringList paths; // as given, in order
};

// The arguments read: a run, a text to print before leaving (help or
// version), or the reason they cannot be understood.
struct ParsedCommandLine {
    enum class Outcome { Run, Print, UsageError };

    Outcome outcome = Outcome::UsageError;
    CommandLineOptions options; // for Run
    QString text;               // for Print and UsageError
};

// Reads the arguments, the program's name first.
ParsedCommandLine parseCommandLine(const QStringList& arguments);

} // namespace decant
