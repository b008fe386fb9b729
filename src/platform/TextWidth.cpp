#include "platform/TextWidth.h"

#include <QChar>
#include <QList>

#include <unicode/uchar.h>

namespace decant {
namespace {

// Qt knows each character's general category but not its East Asian width,
// which ICU (already loaded with Qt) gives from the Unicode data itself.
int cellsOf(char32_t character) {
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

QString padToDisplayWidth(const QString& text, int width) {
    const int missing = width - displayWidth(text);
    return missing > 0 ? text + QString(missing, u' ') : text;
}

} // namespace decant
