#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

namespace decant::test {

// What a run of decant-library gave: its exit status (-1 when it crashed or
// hung) and what it wrote.
struct ToolRun {
    int status = -1;
    QString out;
    QString err;
};

// The tool as a user runs it; DECANT_LIBRARY names the scratch library.
inline ToolRun runTool(const QStringList& arguments) {
    QProcess process;
    process.start(QStringLiteral(DECANT_LIBRARY_TOOL), arguments);
    ToolRun run;
    if (process.waitForFinished(30000) && process.exitStatus() == QProcess::NormalExit) {
        run.status = process.exitCode();
    }
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

} // namespace decant::test
