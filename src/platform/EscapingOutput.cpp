#include "platform/EscapingOutput.h"

#include "platform/TextWidth.h"

namespace decant {

EscapingOutput::EscapingOutput(std::FILE* stream) {
    stream_.open(stream, QIODevice::WriteOnly | QIODevice::Unbuffered);
    open(QIODevice::WriteOnly | QIODevice::Unbuffered);
}

qint64 EscapingOutput::readData(char*, qint64) {
    return -1;
}

qint64 EscapingOutput::writeData(const char* data, qint64 size) {
    const QString text = decoder_(QByteArrayView(data, size));
    const QByteArray shown = escapeControlCharacters(text, LineBreaks::Keep).toUtf8();
    // A reader that went away (a closed pipe) must not make the tool report
    // a failure of its own: what could not be written is dropped.
    stream_.write(shown);
    return size;
}

} // namespace decant
