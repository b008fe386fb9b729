#include "queue/CueSheetLines.h"

#include <QHash>
#include <QStringList>

namespace decant {
namespace {

enum class Argument {
    Words, // codes and numbers: upper case, as libcue's grammar spells them
    Text,  // free text: quoted, or libcue keeps its first word only
    File,  // a quoted name and a file type
};

// The keywords libcue is given. PREGAP and POSTGAP stand for silence that is
// not in the file, so leaving them out changes no position in it.
const QHash<QString, Argument>& libcueKeywords() {
    static const QHash<QString, Argument> keywords{
        {QStringLiteral("FILE"), Argument::File},
        {QStringLiteral("TRACK"), Argument::Words},
        {QStringLiteral("INDEX"), Argument::Words},
        {QStringLiteral("ISRC"), Argument::Words},
        {QStringLiteral("FLAGS"), Argument::Words},
        {QStringLiteral("TITLE"), Argument::Text},
        {QStringLiteral("PERFORMER"), Argument::Text},
        {QStringLiteral("SONGWRITER"), Argument::Text},
    };
    return keywords;
}

bool isQuoted(const QString& value) {
    return value.size() >= 2 && value.startsWith(u'"') && value.endsWith(u'"');
}

QString quoted(const QString& value) {
    if (isQuoted(value)) {
        return value;
    }
    QString escaped = value;
    escaped.replace(QStringLiteral("\""), QStringLiteral("\\\""));
    return u'"' + escaped + u'"';
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

QString libcueLine(const QString& keyword, Argument kind, const QString& argument) {
    switch (kind) {
    case Argument::Words:
        return keyword + u' ' + argument.toUpper();
    case Argument::Text:
        return keyword + u' ' + quoted(argument);
    case Argument::File:
        break;
    }
    QString name = fileName(argument);
    name.replace(u'"', u'\'');
    return keyword + QStringLiteral(" \"") + name + QStringLiteral("\" WAVE");
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
        } else if (const auto kind = libcueKeywords().constFind(keyword);
                   kind != libcueKeywords().cend() && !argument.isEmpty()) {
            if (keyword == u"TRACK") {
                lines.sheet.tracks.emplace_back().number = argument.left(wordEnd(argument)).toInt();
            }
            lines.libcueText += libcueLine(keyword, *kind, argument) + u'\n';
        }
    }

    CueSheetLines lines;

private:
    QMap<QString, QString>& remarks() {
        return lines.sheet.tracks.isEmpty() ? lines.sheet.remarks
                                            : lines.sheet.tracks.last().remarks;
    }
};

} // namespace

CueSheetLines splitCueSheetLines(const QString& text) {
    LineSplitter splitter;
    for (const QString& line : text.split(u'\n')) {
        splitter.read(line);
    }
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

} // namespace decant
