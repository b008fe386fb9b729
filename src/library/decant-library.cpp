// decant-library: shows and changes Decant's music library from a terminal.
#include "library/LibraryTool.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char** argv) {
    const QCoreApplication application(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("decant-library"));
    QTextStream out(stdout);
    QTextStream err(stderr);
    return decant::library::runLibraryTool(QCoreApplication::arguments(), out, err);
}
