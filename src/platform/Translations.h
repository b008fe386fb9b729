#pragma once

class QCoreApplication;

namespace decant {

// Makes the application speak the user's language: Decant's translations
// and Qt's own (the buttons of standard dialogs, the parser's errors), for
// the languages LANGUAGE, LC_ALL, LC_MESSAGES and LANG name. English plural
// forms load whatever the language, since the source texts count with %n.
// Call once on the main thread, after the application exists and before
// any text is made; the translators live as long as the application.
void installTranslations(QCoreApplication& application);

} // namespace decant
