#pragma once

#include <QString>
#include <QTextStream>

namespace decant {

// decant-cli's name, which begins every problem it reports.
inline constexpr auto programName = "decant-cli";

// Where decant-cli writes: results and progress to standard output, problems
// to standard error, each after the program's name. On a terminal one status line may stand at the
// bottom of standard output and be redrawn in place; every other line is written above it, so the
// two never garble each other. Every text it is given is shown with its control characters escaped
// (escapeControlCharacters): only the line breaks of a message stay, so callers escape a name or a
// tag whole where a line break in it could pass for a line of the output. Main thread only.
class Console {
public:
    Console(QTextStream& out, QTextStream& err, bool terminal);
    Console(const Console&) = delete;
    Console& operator=(const Console&) = delete;

    bool isTerminal() const { return terminal_; }

    void printLine(const QString& line);
    // "decant-cli: " and the message.
    void printProblem(const QString& message);

    // Replaces the status line; does nothing when not on a terminal.
    void showStatusLine(const QString& text);
    // Leaves the status line as it stands and moves below it.
    void endStatusLine();

private:
    void eraseStatusLine();
    void redrawStatusLine();

    QTextStream& out_;
    QTextStream& err_;
    const bool terminal_;
    QString statusLine_;
};

} // namespace decant
