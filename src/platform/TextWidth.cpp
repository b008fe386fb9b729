#include "platform/TextWidth.h"

#include <QChar>
#include <QList>

#include <unicode/uchar.h>

namespace decant {
namespace {

bool isControl(char32_t character) {
    return character < 0x20 || (character >= 0x7f && character <= 0x9f);
}

bool isLineOrParagraphSeparator(char32_t character) {
    return character == U'\u2028' || character == U'\u2029';
}

// How escapeControlCharacters shows the character; empty for one shown as it is.
QString escapeOf(char32_t character) {
    if (isLineOrParagraphSeparator(character)) {
        return QStringLiteral("\\u%1").arg(uint(character), 4, 16, QChar(u'0'));
    }
    if (!isControl(character)) {
        return {};
    }
    switch (character) {
    case 0x07:
        return QStringLiteral("\\a");
    case 0x08:
        return QStringLiteral("\\b");
    case 0x09:
        return QStringLiteral("\\t");
    case 0x0a:
        return QStringLiteral("\\n");
    case 0x0b:
        return QStringLiteral("\\v");
    case 0x0c:
        return QStringLiteral("\\f");
    case 0x0d:
        return QStringLiteral("\\r");
    case 0x1b:
        return QStringLiteral("\\e");
    default:
        return QStringLiteral("\\x%1").arg(uint(character), 2, 16, QChar(u'0'));
    }
}

// Qt knows each character's general category but not its East Asian width,
// which ICU (already loaded with Qt) gives from the Unicode data itself.
int cellsOf(char32_t character) {
    if (isControl(character) || isLineOrParagraphSeparator(character)) {
        return int(escapeOf(character).size());
    }
    switch (QChar::category(character)) {
    case QChar::Mark_NonSpacing:
    case QChar::Mark_Enclosing:
    case QChar::Other_Control:
        return 0;
    case QChar::Other_Format:
        // The soft hyphen is drawn where a terminal shows it at all.
        return character == U'\u00AD' ? 1 : 0;
    default:
        break;
    }
    // Medial vowels and final consonants join the leading consonant's cells.
    switch (u_getIntPropertyValue(UChar32(character), UCHAR_HANGUL_SYLLABLE_TYPE)) {
    case U_HST_VOWEL_JAMO:
    case U_HST_TRAILING_JAMO:
        return 0;
    default:
        break;
    }
    switch (u_getIntPropertyValue(UChar32(character), UCHAR_EAST_ASIAN_WIDTH)) {
    case U_EA_WIDE:
    case U_EA_FULLWIDTH:
        return 2;
    default:
        return 1;
    }
}

} // namespace

int displayWidth(QStringView text) {
    int width = 0;
    for (const char32_t character : text.toUcs4()) {
        width += cellsOf(character);
    }
    return width;
}

QString escapeControlCharacters(QStringView text, LineBreaks lineBreaks) {
    // Every character that is escaped is one UTF-16 unit: no surrogate is a
    // control character.
    QString shown;
    shown.reserve(text.size());
    for (const QChar character : text) {
        const QString escape = character == u'\n' && lineBreaks == LineBreaks::Keep
                                   ? QString()
                                   : escapeOf(character.unicode());
        if (escape.isEmpty()) {
            shown += character;
        } else {
            shown += escape;
        }
    }
    return shown;
}

QString padToDisplayWidth(const QString& text, int width) {
    const int missing = width - displayWidth(text);
    return missing > 0 ? text + QString(missing, u' ') : text;
}

} // namespace decant
