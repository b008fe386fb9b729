#include "cli/CommandLine.h"

#include <QCoreApplication>

#include <cstdio>
#include <unistd.h>

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("decant-cli"));
    QCoreApplication::setApplicationVersion(QStringLiteral(DECANT_VERSION));
    QTextStream out(stdout);
    QTextStream err(stderr);
    return decant::runCommandLine(QCoreApplication::arguments(),
                                  {out, err, isatty(STDOUT_FILENO) == 1, {}});
}
