#include "queue/CueSheetLines.h"

#include <QCoreApplication>
#include <QHash>
#include <QRegularExpression>
#include <QStringList>

#include <utility>

namespace decant {
namespace {

enum class Argument {
    Track, // a number and a mode
    Index, // a number and a time
    Text,  // free text: quoted, or libcue keeps its first word only
    File,  // a quoted name and a file type
};

// The keywords libcue is given. PREGAP and POSTGAP stand for silence that is
// not in the file, so leaving them out changes no position in it; FLAGS
// changes nothing we read, and libcue refuses flags it does not know (and
// codes it does not like: CATALOG and ISRC are read here).
const QHash<QString, Argument>& libcueKeywords() {
    static const QHash<QString, Argument> keywords{
        {QStringLiteral("FILE"), Argument::File},
        {QStringLiteral("TRACK"), Argument::Track},
        {QStringLiteral("INDEX"), Argument::Index},
        {QStringLiteral("TITLE"), Argument::Text},
        {QStringLiteral("PERFORMER"), Argument::Text},
        {QStringLiteral("SONGWRITER"), Argument::Text},
    };
    return keywords;
}

bool isQuoted(const QString& value) {
    return value.size() >= 2 && value.startsWith(u'"') && value.endsWith(u'"');
}

// libcue reads a backslash as an escape only before a quote, and then runs
// on into the lines below; it keeps every other character as it is. So no
// backslash or quote inside a value reaches it: each stands in for itself as
// a private-use character until restoredCueValue.
constexpr QChar backslashStandIn = QChar(0xE000);
constexpr QChar quoteStandIn = QChar(0xE001);

QString quoted(const QString& value) {
    QString text = unquotedCueValue(value);
    text.replace(u'\\', backslashStandIn);
    text.replace(u'"', quoteStandIn);
    return u'"' + text + u'"';
}

// Rippers write the type of the file they ripped to (WAVE, BINARY, MP3),
// which says nothing about the FLAC file it became; libcue knows fewer types
// than rippers write, so every file is given to it as WAVE.
QString fileName(const QString& argument) {
    if (argument.startsWith(u'"')) {
        const qsizetype end = argument.lastIndexOf(u'"');
        return end > 0 ? argument.mid(1, end - 1) : argument.mid(1);
    }
    static const QStringList types{"WAVE", "BINARY", "MOTOROLA", "AIFF", "MP3", "FLAC"};
    const qsizetype space = argument.lastIndexOf(u' ');
    if (space > 0 && types.contains(argument.mid(space + 1), Qt::CaseInsensitive)) {
        return argument.left(space).trimmed();
    }
    return argument;
}

// libcue stops at a line its grammar does not allow, and leaks what it had
// read: a line it would refuse is never given to it. Every track is given as
// AUDIO, the one mode a FLAC file holds.
QString trackLine(const QString& argument) {
    static const QRegularExpression shape(QStringLiteral("^([0-9]{1,2})\\s+\\S+$"));
    const QRegularExpressionMatch match = shape.match(argument);
    return match.hasMatch()
               ? QStringLiteral("TRACK ") + match.captured(1) + QStringLiteral(" AUDIO")
               : QString();
}

QString indexLine(const QString& argument) {
    static const QRegularExpression shape(
        QStringLiteral("^([0-9]{1,2})\\s+([0-9]{1,4}:[0-9]{1,2}:[0-9]{1,2})$"));
    const QRegularExpressionMatch match = shape.match(argument);
    return match.hasMatch()
               ? QStringLiteral("INDEX ") + match.captured(1) + u' ' + match.captured(2)
               : QString();
}

QString libcueLine(const QString& keyword, Argument kind, const QString& argument) {
    switch (kind) {
    case Argument::Track:
        return trackLine(argument);
    case Argument::Index:
        return indexLine(argument);
    case Argument::Text:
        return keyword + u' ' + quoted(argument);
    case Argument::File:
        break;
    }
    return keyword + u' ' + quoted(fileName(argument)) + QStringLiteral(" WAVE\n");
}

// Where the first word of a trimmed line ends.
qsizetype wordEnd(const QString& text) {
    qsizetype end = 0;
    while (end < text.size() && !text.at(end).isSpace()) {
        ++end;
    }
    return end;
}

void readRemark(const QString& argument, QMap<QString, QString>& remarks) {
    const qsizetype end = wordEnd(argument);
    const QString value = unquotedCueValue(argument.mid(end));
    if (end > 0 && !value.isEmpty()) {
        remarks.insert(argument.left(end).toUpper(), value);
    }
}

QString refusal(const char* text) {
    return QCoreApplication::translate("decant::CueSheet", text);
}

class LineSplitter {
public:
    void read(const QString& line) {
        const QString trimmed = line.trimmed();
        const qsizetype end = wordEnd(trimmed);
        const QString keyword = trimmed.left(end).toUpper();
        const QString argument = trimmed.mid(end).trimmed();
        if (keyword == u"REM") {
            readRemark(argument, remarks());
        } else if (keyword == u"CATALOG") {
            lines.sheet.catalog = unquotedCueValue(argument);
        } else if (keyword == u"ISRC" && !lines.sheet.tracks.isEmpty()) {
            lines.sheet.tracks.last().isrc = unquotedCueValue(argument);
        } else if (const auto kind = libcueKeywords().constFind(keyword);
                   kind != libcueKeywords().cend() && !argument.isEmpty()) {
            readForLibcue(keyword, *kind, argument);
        }
    }

    // Refuses a track that ends without an INDEX line.
    void endTrack() {
        if (!lines.sheet.tracks.isEmpty() && !trackHasIndex && lines.refusal.isEmpty()) {
            lines.refusal = refusal(QT_TRANSLATE_NOOP("decant::CueSheet",
                                                      "Track %1 of the CUE sheet has no INDEX 01."))
                                .arg(lines.sheet.tracks.last().number);
        }
    }

    CueSheetLines lines;

private:
    // libcue refuses a FILE line that no TRACK follows before the next FILE,
    // and an INDEX outside a track: a FILE line waits for the line that
    // needs it, and an INDEX outside a track is left out.
    void readForLibcue(const QString& keyword, Argument kind, const QString& argument) {
        const QString line = libcueLine(keyword, kind, argument);
        if (kind == Argument::File) {
            fileSeen = true;
            pendingFile = line;
            return;
        }
        if (kind == Argument::Track) {
            startTrack(argument, line);
        }
        if (kind == Argument::Index) {
            if (line.isEmpty() || lines.sheet.tracks.isEmpty()) {
                return;
            }
            trackHasIndex = true;
        }
        if (kind != Argument::Text) {
            lines.libcueText += std::exchange(pendingFile, QString());
        }
        if (!line.isEmpty()) {
            lines.libcueText += line + u'\n';
        }
    }

    void startTrack(const QString& argument, const QString& line) {
        endTrack();
        trackHasIndex = false;
        lines.sheet.tracks.emplace_back().number = argument.left(wordEnd(argument)).toInt();
        if ((line.isEmpty() || !fileSeen) && lines.refusal.isEmpty()) {
            lines.refusal = refusal(QT_TRANSLATE_NOOP(
                "decant::CueSheet", "The file is not a CUE sheet that can be read: a TRACK "
                                    "line is incomplete or comes before any FILE line."));
        }
    }

    QMap<QString, QString>& remarks() {
        return lines.sheet.tracks.isEmpty() ? lines.sheet.remarks
                                            : lines.sheet.tracks.last().remarks;
    }

    QString pendingFile;
    bool fileSeen = false;
    bool trackHasIndex = false;
};

} // namespace

CueSheetLines splitCueSheetLines(const QString& text) {
    LineSplitter splitter;
    for (const QString& line : text.split(u'\n')) {
        splitter.read(line);
    }
    splitter.endTrack();
    return std::move(splitter.lines);
}

QString unquotedCueValue(QString value) {
    value = value.trimmed();
    if (isQuoted(value)) {
        value = value.mid(1, value.size() - 2);
    }
    value.replace(QStringLiteral("\\\""), QStringLiteral("\""));
    return value.trimmed();
}

QString restoredCueValue(const char* value) {
    QString text = QString::fromUtf8(value);
    text.replace(backslashStandIn, u'\\');
    text.replace(quoteStandIn, u'"');
    return text.trimmed();
}

} // namespace decant
