#include "cli/CommandLine.h"
#include "platform/Translations.h"

#include <QCoreApplication>

#include <csignal>
#include <cstdio>
#include <unistd.h>

namespace {

// Only a terminal that understands "erase to the end of the line" gets the
// progress line redrawn in place.
bool isCapableTerminal() {
    const QByteArray terminalType = qgetenv("TERM");
    return isatty(STDOUT_FILENO) == 1 && !terminalType.isEmpty() && terminalType != "dumb";
}

} // namespace

int main(int argc, char** argv) {
    // A reader that closes the pipe early ("decant-cli ... | head") must not
    // cut an import short: the writes fail quietly and the run completes.
    std::signal(SIGPIPE, SIG_IGN);
    QCoreApplication application(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("decant-cli"));
    QCoreApplication::setApplicationVersion(QStringLiteral(DECANT_VERSION));
    decant::installTranslations(application);
    QTextStream out(stdout);
    QTextStream err(stderr);
    // The arguments' own bytes: QCoreApplication::arguments() decodes them
    // as UTF-8, and a path named in another encoding would name no file.
    const QList<QByteArray> arguments(argv, argv + argc);
    return decant::runCommandLine(arguments, {out, err, isCapableTerminal(), {}});
}
