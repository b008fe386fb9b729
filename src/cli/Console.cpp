#include "cli/Console.h"

#include "platform/TextWidth.h"

namespace decant {
namespace {

// Carriage return, then ANSI "erase to the end of the line": the next text
// starts at the left edge of an empty line.
constexpr auto eraseLine = "\r\033[K";

} // namespace

Console::Console(QTextStream& out, QTextStream& err, bool terminal)
    : out_(out)
    , err_(err)
    , terminal_(terminal) {}

void Console::printLine(const QString& line) {
    eraseStatusLine();
    out_ << escapeControlCharacters(line, LineBreaks::Keep) << '\n';
    redrawStatusLine();
}

void Console::printProblem(const QString& message) {
    eraseStatusLine();
    err_ << programName << ": " << escapeControlCharacters(message, LineBreaks::Keep) << '\n';
    err_.flush();
    redrawStatusLine();
}

void Console::showStatusLine(const QString& text) {
    const QString shown = escapeControlCharacters(text);
    if (!terminal_ || shown == statusLine_) {
        return;
    }
    statusLine_ = shown;
    out_ << eraseLine << statusLine_;
    out_.flush();
}

void Console::endStatusLine() {
    if (statusLine_.isEmpty()) {
        return;
    }
    statusLine_.clear();
    out_ << '\n';
    out_.flush();
}

void Console::eraseStatusLine() {
    if (!statusLine_.isEmpty()) {
        out_ << eraseLine;
        // Standard error may be the same terminal: the erase must land first.
        out_.flush();
    }
}

void Console::redrawStatusLine() {
    if (!statusLine_.isEmpty()) {
        out_ << statusLine_;
    }
    // Lines go out as they happen, so a log or a pipe reader sees each one.
    out_.flush();
}

} // namespace decant
