#include "library/files/OrganisedName.h"

#include <QFileInfo>
#include <QTextBoundaryFinder>

#include <algorithm>
#include <array>

namespace decant::library {
namespace {

// The " 100000" of the last copy the database numbers.
constexpr qsizetype copyNumberBytes = 7;
// Leaves room for " 99999.extension" within the usual 255-byte name limit.
constexpr qsizetype longestStemBytes = 200;

// NTFS, exFAT and FAT refuse these in a name; "/" and NUL no file system
// takes.
bool isReserved(QChar character) {
    static constexpr std::u16string_view reserved = u"/\\:*?\"<>|";
    return character.unicode() < 0x20 || character.unicode() == 0x7f ||
           reserved.find(character.unicode()) != std::u16string_view::npos;
}

bool isTrimmed(QChar character) {
    return character == u'.' || character.isSpace();
}

QString trimmed(const QString& text) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isTrimmed(text[begin])) {
        ++begin;
    }
    while (end > begin && isTrimmed(text[end - 1])) {
        --end;
    }
    return text.mid(begin, end - begin);
}

// The longest start of `text` that fits, ending between two characters as a
// reader sees them (a letter and its accents stay together).
QString cutToBytes(const QString& text, qsizetype mostBytes) {
    if (text.toUtf8().size() <= mostBytes) {
        return text;
    }
    QTextBoundaryFinder characters(QTextBoundaryFinder::Grapheme, text);
    qsizetype kept = 0;
    qsizetype bytes = 0;
    for (qsizetype next = characters.toNextBoundary(); next > 0;
         next = characters.toNextBoundary()) {
        bytes += QStringView(text).sliced(kept, next - kept).toUtf8().size();
        if (bytes > mostBytes) {
            break;
        }
        kept = next;
    }
    return text.left(kept);
}

// Windows opens a device for these names, whatever follows the first dot.
bool namesADevice(const QString& name) {
    static const std::array devices{
        QStringLiteral("CON"),  QStringLiteral("PRN"),  QStringLiteral("AUX"),
        QStringLiteral("NUL"),  QStringLiteral("COM1"), QStringLiteral("COM2"),
        QStringLiteral("COM3"), QStringLiteral("COM4"), QStringLiteral("COM5"),
        QStringLiteral("COM6"), QStringLiteral("COM7"), QStringLiteral("COM8"),
        QStringLiteral("COM9"), QStringLiteral("LPT1"), QStringLiteral("LPT2"),
        QStringLiteral("LPT3"), QStringLiteral("LPT4"), QStringLiteral("LPT5"),
        QStringLiteral("LPT6"), QStringLiteral("LPT7"), QStringLiteral("LPT8"),
        QStringLiteral("LPT9")};
    const QString stem = trimmed(name.section(u'.', 0, 0));
    return std::any_of(devices.begin(), devices.end(), [&](const QString& device) {
        return stem.compare(device, Qt::CaseInsensitive) == 0;
    });
}

QString firstNonEmpty(const QString& first, const QString& second) {
    return first.isEmpty() ? second : first;
}

// "2-03 " on the third track of an album's second disc, "03 " on a
// single-disc album, nothing without a track number.
QString positionPrefix(const TrackRecord& record) {
    const qint64 track = record.integer(QStringLiteral("trackNumber"));
    const qint64 disc = record.integer(QStringLiteral("discNumber"));
    const bool severalDiscs = record.integer(QStringLiteral("discCount")) > 1 && disc > 0;
    QString prefix = severalDiscs ? QStringLiteral("%1-").arg(disc) : QString();
    if (track > 0) {
        prefix += QStringLiteral("%1 ").arg(track, 2, 10, QChar(u'0'));
    }
    return prefix;
}

} // namespace

QString safeNameComponent(const QString& text, const QString& fallback, qsizetype mostBytes) {
    QString name = text;
    for (QChar& character : name) {
        if (isReserved(character)) {
            character = u'_';
        }
    }
    name = trimmed(cutToBytes(trimmed(name), mostBytes));
    if (!name.isEmpty() && namesADevice(name)) {
        const qsizetype dot = name.indexOf(u'.');
        name.insert(dot < 0 ? name.size() : dot, u'_');
        name = trimmed(cutToBytes(name, mostBytes));
    }
    return name.isEmpty() ? fallback : name;
}

QString organisedFile(const TrackRecord& record) {
    const QString artist = firstNonEmpty(record.text(QStringLiteral("albumArtist")),
                                         record.text(QStringLiteral("artist")));
    const QString extension = QFileInfo(record.file).suffix();
    const QString prefix = positionPrefix(record);
    const qsizetype reservedBytes =
        prefix.toUtf8().size() + 1 + extension.toUtf8().size() + copyNumberBytes;
    const QString title =
        safeNameComponent(record.text(QStringLiteral("name")), QStringLiteral("Untitled"),
                          mostNameBytes - reservedBytes);
    QString file =
        safeNameComponent(artist, QStringLiteral("Unknown Artist")) + u'/' +
        safeNameComponent(record.text(QStringLiteral("album")), QStringLiteral("Unknown Album")) +
        u'/' + prefix + title;
    return extension.isEmpty() ? file : file + u'.' + extension;
}

QString usableStem(const QString& name) {
    QString stem = name;
    // A hidden media file would be taken for a pending one, or missed.
    while (stem.startsWith(u'.')) {
        stem.remove(0, 1);
    }
    while (stem.toUtf8().size() > longestStemBytes) {
        stem.chop(stem.size() > 1 && stem.back().isLowSurrogate() ? 2 : 1);
    }
    return stem.isEmpty() ? QStringLiteral("Untitled") : stem;
}

} // namespace decant::library
