#include "platform/Translations.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace decant {
namespace {

// Beside the executable's folder both once installed (/usr/bin and
// /usr/share) and in a build folder, where CMake puts them the same way.
QString decantTranslationsFolder() {
    return QDir(QCoreApplication::applicationDirPath())
        .absoluteFilePath(QStringLiteral("../share/decant/translations"));
}

// The last one installed is asked first.
void install(QCoreApplication& application, const QLocale& locale, const QString& name,
             const QString& folder) {
    auto* translator = new QTranslator(&application);
    if (translator->load(locale, name, QStringLiteral("_"), folder)) {
        QCoreApplication::installTranslator(translator);
    } else {
        delete translator;
    }
}

} // namespace

void installTranslations(QCoreApplication& application) {
    const QString folder = decantTranslationsFolder();
    install(application, QLocale(QLocale::English), QStringLiteral("decant"), folder);
    const QLocale locale;
    install(application, locale, QStringLiteral("qtbase"),
            QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    install(application, locale, QStringLiteral("decant"), folder);
}

} // namespace decant
