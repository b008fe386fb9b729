#include "itunes/LibraryInspection.h"

#include "library/tool/CheckCommand.h"
#include "library/tool/LibraryTool.h"

#include <QTextStream>

#include <utility>

namespace decant {
namespace {

using Command = int (*)(const library::CheckRequest&, QTextStream&, QTextStream&);

InspectionReport run(Command command, const QString& location,
                     const LibraryInspection::Progress& progress) {
    QString said;
    QString failed;
    int status = 0;
    {
        QTextStream out(&said);
        QTextStream err(&failed);
        status = command({location, true, progress}, out, err);
    }
    InspectionReport report;
    report.outcome = status == library::ToolSucceeded ? InspectionReport::Outcome::Sound
                     : status == library::ToolProblemsFound
                         ? InspectionReport::Outcome::ProblemsFound
                         : InspectionReport::Outcome::Failed;
    report.lines = said.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    // The tool's name begins its messages on a terminal; here the window
    // says whose they are.
    for (QString line : failed.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        report.lines.append(line.remove(QStringLiteral("decant-library: ")));
    }
    return report;
}

} // namespace

LibraryInspection::LibraryInspection(QString location)
    : location_(std::move(location)) {}

InspectionReport LibraryInspection::check(const Progress& progress) const {
    return run(&library::checkLibrary, location_, progress);
}

InspectionReport LibraryInspection::repair(const Progress& progress) const {
    return run(&library::repairLibrary, location_, progress);
}

} // namespace decant
