#include "cli/CommandLineOptions.h"

#include "cli/Console.h"

#include <QCommandLineParser>
#include <QCoreApplication>

namespace decant {
namespace {

const char* const description = QT_TRANSLATE_NOOP(
    "decant-cli", "Brings FLAC files into Decant's music library with their tags.\n\n"
                  "Folders are searched for FLAC files at every depth. The library is the\n"
                  "folder given with --library, else the one named by DECANT_LIBRARY, else\n"
                  "\"Decant Library\" in your music folder.\n\n"
                  "Ctrl-C stops once the files under way are decoded and imported; a\n"
                  "second Ctrl-C stops the library too, which drops the file it is\n"
                  "converting.\n\n"
                  "Exit status: 0 when every file was imported, 1 when a file failed or was\n"
                  "not imported (or the store gave no songs), 2 for bad arguments, 130 when\n"
                  "stopped with Ctrl-C (143 with SIGTERM).");

// QCommandLineParser works on text. Each argument goes in with one
// character per byte (Latin-1), so that option names, all ASCII, parse as
// usual and every argument comes back out byte for byte: a path named in
// Latin-1 survives, which text decoded as UTF-8 would not.
QStringList characterPerByte(const QList<QByteArray>& arguments) {
    QStringList texts;
    texts.reserve(arguments.size());
    for (const QByteArray& argument : arguments) {
        texts.append(QString::fromLatin1(argument));
    }
    return texts;
}

// What the user typed, as text: the bytes read as UTF-8.
QString typedText(const QString& characterPerByte) {
    return QString::fromUtf8(characterPerByte.toLatin1());
}

// Qt's usage line names the program by the path it was started with
// ("build/release/bin/decant-cli"); a user types its name.
QString helpNamingTheProgram(const QString& helpText) {
    const qsizetype usageEnd = helpText.indexOf(u'\n');
    return QCoreApplication::translate("decant-cli", "Usage: %1 [options] PATH...")
               .arg(QLatin1String(programName)) +
           helpText.mid(usageEnd < 0 ? helpText.size() : usageEnd);
}

} // namespace

ParsedCommandLine parseCommandLine(const QList<QByteArray>& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(QCoreApplication::translate("decant-cli", description));
    // Not addHelpOption(): its --help-all lists Qt's own options, which a
    // tool without a window does not take.
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QCoreApplication::translate("decant-cli", "Show this help."));
    parser.addOption(help);
    const QCommandLineOption version = parser.addVersionOption();
    const QCommandLineOption library(
        QStringLiteral("library"),
        QCoreApplication::translate("decant-cli", "Import into the library in <folder>."),
        QStringLiteral("folder"));
    const QCommandLineOption storeURL(
        QStringLiteral("store-url"),
        QCoreApplication::translate(
            "decant-cli", "Tag the files, in order, with the songs of this iTunes Store album "
                          "(https://music.apple.com/... or https://itunes.apple.com/...). When "
                          "the store gives no songs, nothing is imported."),
        QStringLiteral("url"));
    const QCommandLineOption keepTags(
        QStringLiteral("keep-tags"),
        QCoreApplication::translate(
            "decant-cli", "With --store-url: when the store gives no songs, import the files "
                          "with their own tags instead of importing nothing."));
    parser.addOption(library);
    parser.addOption(storeURL);
    parser.addOption(keepTags);
    parser.addPositionalArgument(
        QStringLiteral("paths"),
        QCoreApplication::translate("decant-cli", "FLAC files and folders to import."),
        QStringLiteral("PATH..."));

    ParsedCommandLine parsed;
    if (!parser.parse(characterPerByte(arguments))) {
        // English words around the arguments the parser quotes.
        parsed.text = typedText(parser.errorText());
        return parsed;
    }
    if (parser.isSet(help)) {
        return {ParsedCommandLine::Outcome::Print, {}, helpNamingTheProgram(parser.helpText())};
    }
    if (parser.isSet(version)) {
        return {ParsedCommandLine::Outcome::Print,
                {},
                QStringLiteral("%1 %2\n").arg(QLatin1String(programName),
                                              QStringLiteral(DECANT_VERSION))};
    }
    if (parser.positionalArguments().isEmpty()) {
        parsed.text = QCoreApplication::translate("decant-cli", "No FLAC files or folders given.");
        return parsed;
    }
    parsed.outcome = ParsedCommandLine::Outcome::Run;
    parsed.options.libraryFolder = typedText(parser.value(library));
    if (parser.isSet(storeURL)) {
        parsed.options.storeURL = typedText(parser.value(storeURL));
    }
    parsed.options.keepTags = parser.isSet(keepTags);
    for (const QString& path : parser.positionalArguments()) {
        parsed.options.paths.append(path.toLatin1());
    }
    return parsed;
}

} // namespace decant
