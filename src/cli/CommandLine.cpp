#include "cli/CommandLine.h"

#include "cli/CommandLineOptions.h"
#include "cli/Console.h"
#include "cli/ExitStatus.h"
#include "cli/ImportRun.h"
#include "queue/FilePath.h"
#include "store/StoreAlbumURL.h"

#include <QCoreApplication>

#include <cerrno>
#include <sys/stat.h>
#include <system_error>

namespace decant {
namespace {

// The paths that exist, made absolute as a drop would give them; each
// unusable one is reported.
QList<QByteArray> existingPaths(const QList<QByteArray>& paths, Console& console) {
    QList<QByteArray> existing;
    for (const QByteArray& path : paths) {
        const QByteArray absolute = absolutePath(path);
        struct stat item {};
        if (stat(absolute.constData(), &item) == 0) {
            existing.append(absolute);
            continue;
        }
        const int error = errno;
        if (error == ENOENT || error == ENOTDIR) {
            console.printProblem(
                QCoreApplication::translate("decant-cli", "no such file or folder: %1")
                    .arg(displayPath(path)));
        } else {
            console.printProblem(
                QCoreApplication::translate("decant-cli", "cannot examine %1: %2")
                    .arg(displayPath(path),
                         QString::fromStdString(std::generic_category().message(error))));
        }
    }
    return existing;
}

// Refused before anything is queued or decoded, so a mistyped address
// costs nothing. Nothing when the address is taken.
std::optional<QString> storeURLProblem(const std::optional<QString>& text) {
    if (!text) {
        return std::nullopt;
    }
    const StoreAlbumURL album = admitStoreAlbumURL(*text);
    if (album.admitted()) {
        return std::nullopt;
    }
    return QCoreApplication::translate("decant-cli", "the store URL \"%1\" is refused. %2")
        .arg(*text, describeStoreURLCheck(album.check));
}

} // namespace

int runCommandLine(const QList<QByteArray>& arguments, const CommandLineEnvironment& environment) {
    Console console(environment.out, environment.err, environment.terminal);
    const ParsedCommandLine parsed = parseCommandLine(arguments);
    switch (parsed.outcome) {
    case ParsedCommandLine::Outcome::Print:
        environment.out << parsed.text;
        environment.out.flush();
        return ExitSucceeded;
    case ParsedCommandLine::Outcome::UsageError:
        console.printProblem(
            QCoreApplication::translate("decant-cli", "%1\nTry '%2 --help' for more information.")
                .arg(parsed.text, QLatin1String(programName)));
        return ExitUsageError;
    case ParsedCommandLine::Outcome::Run:
        break;
    }

    if (const auto problem = storeURLProblem(parsed.options.storeURL)) {
        console.printProblem(*problem);
        return ExitUsageError;
    }
    const QList<QByteArray> paths = existingPaths(parsed.options.paths, console);
    if (paths.isEmpty()) {
        console.printProblem(
            QCoreApplication::translate("decant-cli", "none of the paths exists."));
        return ExitUsageError;
    }
    // The run's controller and library go before this returns: the library
    // writes its pending tags as it closes.
    ImportRun run(console, parsed.options, environment.albumReader);
    return run.exec(paths);
}

} // namespace decant
