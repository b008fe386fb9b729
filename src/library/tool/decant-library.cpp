// decant-library: shows and changes Decant's music library from a terminal.
#include "library/tool/LibraryTool.h"
#include "platform/EscapingOutput.h"
#include "platform/Translations.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char** argv) {
    // Qt's usage line names the program as it was started
    // ("build/release/bin/decant-library"); a user types its name.
    static char programName[] = "decant-library";
    argv[0] = programName;
    QCoreApplication application(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("decant-library"));
    decant::installTranslations(application);
    // Tags and file names reach both streams: their control characters are
    // shown, not obeyed.
    decant::EscapingOutput outStream(stdout);
    decant::EscapingOutput errStream(stderr);
    QTextStream out(&outStream);
    QTextStream err(&errStream);
    return decant::library::runLibraryTool(QCoreApplication::arguments(), out, err);
}
