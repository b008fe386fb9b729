#include "library/tool/CheckCommand.h"

#include "library/Library.h"
#include "library/check/DamagedFiles.h"
#include "library/check/DatabaseRecovery.h"
#include "library/check/LibraryCheck.h"
#include "library/check/MediaRecovery.h"
#include "library/tool/ToolOutput.h"
#include "platform/TextWidth.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace decant::library {
namespace {

QString problemsFound(qsizetype count) {
    return QCoreApplication::translate(
        "decant::CheckCommand", "%n problem(s) found; decant-library check --repair mends them.",
        nullptr, int(count));
}

QString noProblems(qsizetype tracks) {
    return QCoreApplication::translate("decant::CheckCommand", "No problems in %n track(s).",
                                       nullptr, int(tracks));
}

Result<QList<LibraryProblem>> problemsOf(const Library& library, const CheckRequest& request) {
    auto problems = findLibraryProblems(library);
    if (problems && request.verify) {
        const auto damaged = findDamagedFiles(library, request.progress);
        if (!damaged) {
            return damaged.error();
        }
        problems->append(*damaged);
    }
    return problems;
}

// The database as SQLite's own check finds it, before anything is read
// from it; the exit status when that is the problem, or it cannot be told.
std::optional<int> checkDatabase(const CheckRequest& request, QTextStream& out, QTextStream& err) {
    if (!QFileInfo(request.location).isDir()) {
        return std::nullopt; // opening says there is no library
    }
    const auto lost = findLostDatabase(request.location, request.verify);
    if (!lost) {
        return cannotRead(lost.error(), err);
    }
    if (!*lost) {
        return std::nullopt;
    }
    out << describeLostDatabase(**lost) << '\n' << problemsFound(1) << '\n';
    return ToolProblemsFound;
}

// Set aside, restored or made anew, then filled from the files: nothing
// once the library can be opened for the rest of the repair, else the exit
// status.
std::optional<int> recoverDatabase(const CheckRequest& request, QTextStream& out, QTextStream& err,
                                   bool& rebuilt, bool& restored) {
    const auto lost = findLostDatabase(request.location, request.verify);
    if (!lost) {
        return cannotRead(lost.error(), err);
    }
    if (!*lost) {
        return std::nullopt;
    }
    const auto replaced = replaceLostDatabase(request.location, **lost);
    if (!replaced) {
        err << "decant-library: "
            << QCoreApplication::translate("decant::CheckCommand",
                                           "cannot replace the library's database: %1")
                   .arg(replaced.error().message)
            << '\n';
        return ToolLibraryFailed;
    }
    for (const QString& done : replaced->done) {
        out << done << '\n';
    }
    rebuilt = true;
    restored = replaced->restored;
    return std::nullopt;
}

} // namespace

int checkLibrary(const CheckRequest& request, QTextStream& out, QTextStream& err) {
    if (const auto status = checkDatabase(request, out, err)) {
        return *status;
    }
    LibraryOptions options;
    options.readOnly = true;
    const auto opened = Library::open(request.location, options);
    if (!opened) {
        err << "decant-library: " << opened.error().message << '\n';
        if (opened.error().kind == Error::Kind::NeedsUpgrade) {
            err << "decant-library: "
                << QCoreApplication::translate("decant::CheckCommand",
                                               "check --repair upgrades it first.")
                << '\n';
        }
        return ToolLibraryFailed;
    }
    const Library& library = **opened;
    const auto problems = problemsOf(library, request);
    const auto count = library.trackCount();
    if (!problems || !count) {
        return cannotRead(problems ? count.error() : problems.error(), err);
    }
    for (const LibraryProblem& problem : *problems) {
        out << escapeControlCharacters(problem.description) << '\n';
    }
    if (problems->isEmpty()) {
        out << (request.verify
                    ? QCoreApplication::translate(
                          "decant::CheckCommand",
                          "No problems in %n track(s); every verified file decodes as it did "
                          "when it was imported.",
                          nullptr, int(*count))
                    : noProblems(*count))
            << '\n';
        return ToolSucceeded;
    }
    out << problemsFound(problems->size()) << '\n';
    return ToolProblemsFound;
}

// Opening the library for writing already finishes interrupted imports and
// removes their leftovers; what is left is mended problem by problem. Without
// the tag writer, which would write lagging tags unasked, and unreported.
int repairLibrary(const CheckRequest& request, QTextStream& out, QTextStream& err) {
    bool rebuilt = false;
    bool restored = false;
    if (const auto status = recoverDatabase(request, out, err, rebuilt, restored)) {
        return *status;
    }
    LibraryOptions options;
    options.writeTags = false;
    const auto opened = Library::open(request.location, options);
    if (!opened) {
        err << "decant-library: " << opened.error().message << '\n';
        return ToolLibraryFailed;
    }
    Library& library = **opened;
    qsizetype mended = rebuilt ? 1 : 0;
    qsizetype left = 0;
    for (const QString& done : library.openingRepairs()) {
        out << escapeControlCharacters(done) << '\n';
        ++mended;
    }
    for (const QString& failed : library.openingFailures()) {
        out << escapeControlCharacters(failed) << '\n';
        ++left;
    }
    if (rebuilt) {
        const auto recovered = recoverTracksFromMedia(library);
        if (!recovered) {
            return cannotRead(recovered.error(), err);
        }
        for (const QString& done : *recovered) {
            out << escapeControlCharacters(done) << '\n';
        }
        if (const auto settings = restored ? std::nullopt : adoptImportSettingsOfTracks(library)) {
            out << *settings << '\n';
        }
    }
    const auto problems = problemsOf(library, request);
    if (!problems) {
        return cannotRead(problems.error(), err);
    }
    for (const LibraryProblem& problem : *problems) {
        const Repair result = repairLibraryProblem(library, problem, rebuilt);
        out << escapeControlCharacters(result.description) << '\n';
        if (result.mended) {
            ++mended;
        } else {
            ++left;
        }
    }
    if (mended == 0 && left == 0) {
        const auto count = library.trackCount();
        if (!count) {
            return cannotRead(count.error(), err);
        }
        out << noProblems(*count) << '\n';
        return ToolSucceeded;
    }
    if (rebuilt) {
        static_cast<void>(library.backUp());
    }
    out << QCoreApplication::translate("decant::CheckCommand", "%n problem(s) mended, %1 left.",
                                       nullptr, int(mended))
               .arg(left)
        << '\n';
    return left == 0 ? ToolSucceeded : ToolProblemsFound;
}

} // namespace decant::library
