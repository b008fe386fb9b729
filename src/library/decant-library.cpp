// decant-library: shows and changes Decant's music library from a terminal.
#include "library/LibraryTool.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char** argv) {
    // Qt's usage line names the program as it was started
    // ("build/release/bin/decant-library"); a user types its name.
    static char programName[] = "decant-library";
    argv[0] = programName;
    const QCoreApplication application(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("decant-library"));
    QTextStream out(stdout);
    QTextStream err(stderr);
    return decant::library::runLibraryTool(QCoreApplication::arguments(), out, err);
}
