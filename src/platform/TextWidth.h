#pragma once

#include <QString>
#include <QStringView>

namespace decant {

// The cells a terminal gives the text in its monospaced font: two for each
// East Asian wide or fullwidth character (CJK ideographs, kana, Hangul
// syllables, fullwidth forms, most emoji), none for combining marks,
// zero-width and control characters, one for any other. What terminals
// agree on, as wcwidth() does, without depending on the process's locale.
int displayWidth(QStringView text);

// The text followed by as many spaces as make it `width` cells wide;
// unchanged when it is that wide already.
QString padToDisplayWidth(const QString& text, int width);

} // namespace decant
