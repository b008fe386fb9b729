#pragma once

#include <QString>
#include <QStringView>

namespace decant {

// The cells a terminal gives the text in its monospaced font: two for each
// East Asian wide or fullwidth character (CJK ideographs, kana, Hangul
// syllables, fullwidth forms, most emoji), none for combining marks and
// zero-width characters, one for any other. What terminals agree on, as
// wcwidth() does, without depending on the process's locale. A control
// character counts as the escape escapeControlCharacters shows it as, so a
// text and its escaped form are equally wide.
int displayWidth(QStringView text);

enum class LineBreaks {
    // "\n": for a table cell or a line that must stay one line.
    Escape,
    // Kept: for a message of several lines that is Decant's own.
    Keep,
};

// The text as a terminal shows it without obeying it. Tags and file names
// may hold control characters: an ESC sequence would retitle or recolour
// the terminal, a BEL ring it, a line break or a tab forge a table row.
// Each C0 control character, DEL and each C1 control character becomes a
// visible escape: \e, \a, \b, \t, \n, \v, \f, \r as in C, \xHH for
// the others (\x9b, the one-character CSI, for one); the line and paragraph
// separators become \u2028 and \u2029. Backslashes stay as they are. Only
// what is shown is escaped: the data is never changed.
QString escapeControlCharacters(QStringView text, LineBreaks lineBreaks = LineBreaks::Escape);

// The text followed by as many spaces as make it `width` cells wide;
// unchanged when it is that wide already.
QString padToDisplayWidth(const QString& text, int width);

} // namespace decant
