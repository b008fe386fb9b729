#pragma once

#include <QFile>
#include <QIODevice>
#include <QStringDecoder>

#include <cstdio>

namespace decant {

// A standard stream for text that carries tags and file names: whatever a
// QTextStream writes through it reaches the stream with its control
// characters shown as escapes (escapeControlCharacters, line breaks kept),
// so that no output of a tool needs to remember which of its pieces came
// from a file. Table cells, whose line breaks would forge rows, are escaped
// whole before they get here. Written to on one thread.
class EscapingOutput final : public QIODevice {
public:
    // Opened for writing, on a stream that outlives it.
    explicit EscapingOutput(std::FILE* stream);

protected:
    qint64 readData(char* data, qint64 maximumSize) override;
    qint64 writeData(const char* data, qint64 size) override;

private:
    QFile stream_;
    // Keeps the start of a character split between two writes.
    QStringDecoder decoder_{QStringDecoder::Utf8};
};

} // namespace decant
