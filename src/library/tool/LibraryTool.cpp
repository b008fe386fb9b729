#include "library/tool/LibraryTool.h"

#include "library/Library.h"
#include "library/tool/CheckCommand.h"
#include "library/tool/LibraryChanges.h"
#include "library/tool/ToolOutput.h"
#include "library/tool/TrackDetails.h"
#include "library/verify/SoundCheck.h"
#include "platform/TextWidth.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>

#include <algorithm>
#include <optional>

namespace decant::library {
namespace {

const char* const description = QT_TRANSLATE_NOOP(
    "decant-library",
    "Shows and changes Decant's music library.\n\n"
    "Commands:\n"
    "  info      where the library is, its import settings and how many tracks it holds\n"
    "  list      a table of the library's tracks; --artist, --album and --search show\n"
    "            only those that match\n"
    "  show ID...\n"
    "            every property of the tracks with these IDs (see list), with the\n"
    "            identifiers, credits and release details taggers wrote\n"
    "  settings  the import settings; change them with --encoder, --bitrate and\n"
    "            --sound-check\n"
    "  check     a damaged or lost database, files no track lists, tracks without\n"
    "            their file, untagged tracks, tracks imported twice, leftovers of\n"
    "            interrupted imports; --verify decodes every file again against what\n"
    "            its import proved; --repair mends what is found and says what it\n"
    "            did, restoring a lost database from its newest backup or\n"
    "            rebuilding it from the media files' own tags\n"
    "  remove ID...\n"
    "            removes the tracks with these IDs (see list), moving their files to\n"
    "            the trash\n"
    "  organise  moves every file to where its tags say:\n"
    "            Media/<album artist or artist>/<album>/<disc->NN <title>.<extension>\n\n"
    "The library is the folder named by DECANT_LIBRARY, else \"Decant Library\" in\n"
    "your music folder.\n\n"
    "Exit status: 0 on success (check: nothing wrong, or all of it mended), 1 when\n"
    "the library cannot be read or changed (remove: a track or file that could not\n"
    "be removed; organise: a file that could not be moved), 2 for bad arguments, 3\n"
    "when check finds problems (with --repair: problems it could not mend).");

// The tracks list shows: those whose properties hold each text given, in
// any case.
struct TrackFilter {
    QString artist;
    QString album;
    QString search;

    bool matches(const TrackRecord& record) const {
        const auto holds = [&](const char* property, const QString& text) {
            return record.text(QLatin1String(property)).contains(text, Qt::CaseInsensitive);
        };
        return (artist.isEmpty() || holds("artist", artist) || holds("albumArtist", artist)) &&
               (album.isEmpty() || holds("album", album)) &&
               (search.isEmpty() || holds("name", search) || holds("artist", search) ||
                holds("album", search));
    }
};

struct Invocation {
    QString command;
    QString location;
    std::optional<ImportFormat> encoder;
    std::optional<int> bitRate;
    std::optional<bool> soundCheck;
    bool repair = false;
    bool verify = false;
    QList<qint64> trackIds; // for remove and show
    TrackFilter filter;     // for list
};

const QStringList commandNames{"info", "list", "show", "settings", "check", "remove", "organise"};

QString encoderNames() {
    QStringList names;
    for (const ImportFormat encoder : allFormats()) {
        names.append(formatName(encoder));
    }
    return names.join(QStringLiteral(", "));
}

// The arguments understood, or the reason they are not.
struct Options {
    QCommandLineOption library;
    QCommandLineOption encoder;
    QCommandLineOption bitRate;
    QCommandLineOption soundCheck;
    QCommandLineOption repair;
    QCommandLineOption verify;
    QCommandLineOption artist;
    QCommandLineOption album;
    QCommandLineOption search;
};

// The command and, for remove, its track ids; false, with the reason, for
// anything else.
bool understandCommand(const QStringList& arguments, Invocation& invocation, QString* problem) {
    const QString known = QCoreApplication::translate(
        "decant-library", "info, list, show, settings, check, remove or organise");
    if (arguments.isEmpty()) {
        *problem =
            QCoreApplication::translate("decant-library", "no command given (%1)").arg(known);
        return false;
    }
    invocation.command = arguments.first();
    if (!commandNames.contains(invocation.command)) {
        *problem = QCoreApplication::translate("decant-library", "unknown command \"%1\" (%2)")
                       .arg(invocation.command, known);
        return false;
    }
    const bool takesIds = invocation.command == QLatin1String("remove") ||
                          invocation.command == QLatin1String("show");
    if (takesIds && arguments.size() == 1) {
        *problem = QCoreApplication::translate("decant-library",
                                               "%1 needs the IDs of its tracks (see list)")
                       .arg(invocation.command);
        return false;
    }
    if (!takesIds && arguments.size() > 1) {
        *problem = QCoreApplication::translate("decant-library", "one command at a time, please");
        return false;
    }
    for (const QString& argument : arguments.mid(1)) {
        bool number = false;
        const qint64 id = argument.toLongLong(&number);
        if (!number || id <= 0) {
            *problem =
                QCoreApplication::translate("decant-library", "\"%1\" is not a track ID (see list)")
                    .arg(argument);
            return false;
        }
        invocation.trackIds.append(id);
    }
    return true;
}

std::optional<Invocation> understand(const QCommandLineParser& parser, const Options& options,
                                     QString* problem) {
    Invocation invocation;
    if (!understandCommand(parser.positionalArguments(), invocation, problem)) {
        return std::nullopt;
    }
    invocation.filter = {parser.value(options.artist), parser.value(options.album),
                         parser.value(options.search)};
    const bool filters =
        parser.isSet(options.artist) || parser.isSet(options.album) || parser.isSet(options.search);
    if (filters && invocation.command != QLatin1String("list")) {
        *problem = QCoreApplication::translate(
            "decant-library", "--artist, --album and --search go with the list command");
        return std::nullopt;
    }
    const QCommandLineOption& encoder = options.encoder;
    const QCommandLineOption& bitRate = options.bitRate;
    invocation.repair = parser.isSet(options.repair);
    invocation.verify = parser.isSet(options.verify);
    if ((invocation.repair || invocation.verify) && invocation.command != QLatin1String("check")) {
        *problem = QCoreApplication::translate("decant-library",
                                               "--repair and --verify go with the check command");
        return std::nullopt;
    }
    const bool changes =
        parser.isSet(encoder) || parser.isSet(bitRate) || parser.isSet(options.soundCheck);
    if (changes && invocation.command != QLatin1String("settings")) {
        *problem = QCoreApplication::translate(
            "decant-library",
            "--encoder, --bitrate and --sound-check go with the settings command");
        return std::nullopt;
    }
    if (parser.isSet(options.soundCheck)) {
        const QString value = parser.value(options.soundCheck);
        if (value != QLatin1String("on") && value != QLatin1String("off")) {
            *problem = QCoreApplication::translate("decant-library",
                                                   "--sound-check takes on or off, not \"%1\"")
                           .arg(value);
            return std::nullopt;
        }
        invocation.soundCheck = value == QLatin1String("on");
    }
    if (parser.isSet(encoder)) {
        invocation.encoder = formatNamed(parser.value(encoder));
        if (!invocation.encoder) {
            *problem = QCoreApplication::translate("decant-library", "unknown encoder \"%1\" (%2)")
                           .arg(parser.value(encoder), encoderNames());
            return std::nullopt;
        }
    }
    if (parser.isSet(bitRate)) {
        bool number = false;
        invocation.bitRate = parser.value(bitRate).toInt(&number);
        if (!number || *invocation.bitRate <= 0) {
            *problem = QCoreApplication::translate(
                           "decant-library", "the bit rate \"%1\" is not a whole number of kbit/s")
                           .arg(parser.value(bitRate));
            return std::nullopt;
        }
    }
    invocation.location =
        parser.isSet(options.library) ? parser.value(options.library) : Library::defaultLocation();
    return invocation;
}

QString numberAndCount(const TrackRecord& record, const char* number, const char* count) {
    const qint64 position = record.integer(QLatin1String(number));
    const qint64 total = record.integer(QLatin1String(count));
    if (total > 0) {
        return QStringLiteral("%1/%2").arg(position).arg(total);
    }
    return position > 0 ? QString::number(position) : QString();
}

// "-7.23 dB"; "too short" for a track no loudness can be measured of.
QString gainOf(const TrackRecord& record, const std::optional<Loudness>& loudness) {
    if (loudness) {
        return replayGainText(*loudness);
    }
    return record.duration < shortestMeasurableSeconds ? QStringLiteral("too short") : QString();
}

QStringList rowOf(const TrackRecord& record) {
    const qint64 year = record.integer(QStringLiteral("year"));
    return {QString::number(record.id),
            record.text(QStringLiteral("name")),
            record.text(QStringLiteral("artist")),
            record.text(QStringLiteral("album")),
            numberAndCount(record, "trackNumber", "trackCount"),
            numberAndCount(record, "discNumber", "discCount"),
            year > 0 ? QString::number(year) : QString(),
            record.kind,
            gainOf(record, record.loudness),
            record.albumLoudness ? replayGainText(*record.albumLoudness) : QString(),
            describeVerification(record.verification),
            record.artwork.isEmpty() ? (record.artworkNote.isEmpty() ? "" : "skipped") : "yes",
            record.file};
}

// Columns line up by the cells a terminal gives each text (CJK characters
// take two, combining marks none), not by its code units.
void printTable(const QList<QStringList>& rows, QTextStream& out) {
    QList<int> widths(rows.first().size(), 0);
    for (const QStringList& row : rows) {
        for (qsizetype column = 0; column < row.size(); ++column) {
            widths[column] = std::max(widths[column], displayWidth(row[column]));
        }
    }
    for (const QStringList& row : rows) {
        QString line;
        for (qsizetype column = 0; column < row.size(); ++column) {
            const bool last = column + 1 == row.size();
            // A tag's line break or tab would forge a row, its escapes
            // drive the terminal: shown as escapes, as wide as counted.
            const QString cell = escapeControlCharacters(row[column]);
            line += last ? cell : padToDisplayWidth(cell, widths[column] + 2);
        }
        out << line << '\n';
    }
}

int printList(const Library& library, const TrackFilter& filter, QTextStream& out,
              QTextStream& err) {
    QList<QStringList> rows{{"ID", "Name", "Artist", "Album", "Track", "Disc", "Year", "Kind",
                             "Gain", "Album gain", "Verified", "Artwork", "File"}};
    QStringList notes; // skipped images, dropped values
    const auto tracks = library.tracks();
    if (!tracks) {
        return cannotRead(tracks.error(), err);
    }
    for (const TrackRecord& record : *tracks) {
        if (!filter.matches(record)) {
            continue;
        }
        rows.append(rowOf(record));
        if (!record.artworkNote.isEmpty()) {
            notes.append(
                QCoreApplication::translate("decant-library", "Track %1: an image was skipped: %2.")
                    .arg(record.id)
                    .arg(record.artworkNote));
        }
        for (const QString& note : record.propertyNotes) {
            notes.append(QCoreApplication::translate("decant-library", "Track %1: %2")
                             .arg(record.id)
                             .arg(note));
        }
    }
    if (rows.size() == 1) {
        out << (tracks->isEmpty()
                    ? QCoreApplication::translate("decant-library", "The library holds no tracks.")
                    : QCoreApplication::translate("decant-library", "No track matches."))
            << '\n';
        return ToolSucceeded;
    }
    printTable(rows, out);
    for (const QString& note : std::as_const(notes)) {
        out << note << '\n';
    }
    return ToolSucceeded;
}

// The labels, each padded to one more cell than the widest, so that what
// follows them lines up in every language.
QStringList alignedLabels(QStringList labels) {
    int width = 0;
    for (const QString& label : std::as_const(labels)) {
        width = std::max(width, displayWidth(label));
    }
    for (QString& label : labels) {
        label = padToDisplayWidth(label, width + 1);
    }
    return labels;
}

// As --sound-check takes them, in every language.
QString onOrOff(bool on) {
    return on ? QStringLiteral("on") : QStringLiteral("off");
}

int printSettings(const Library& library, QTextStream& out, QTextStream& err) {
    const auto settings = library.importSettings();
    const auto soundCheck = library.soundCheck();
    if (!settings || !soundCheck) {
        return cannotRead(settings ? soundCheck.error() : settings.error(), err);
    }
    const QStringList labels =
        alignedLabels({QCoreApplication::translate("decant-library", "Encoder:"),
                       QCoreApplication::translate("decant-library", "Bit rate:")});
    out << labels[0] << formatName(settings->format) << " (" << kindOfFormat(settings->format)
        << ", ." << fileExtension(settings->format) << ")\n";
    out << labels[1]
        << (isLossless(settings->format)
                ? QCoreApplication::translate("decant-library", "none (lossless)")
                : QCoreApplication::translate("decant-library", "%1 kbit/s").arg(settings->bitRate))
        << '\n';
    out << QCoreApplication::translate("decant-library", "Sound Check:") << ' '
        << onOrOff(*soundCheck) << '\n';
    return ToolSucceeded;
}

// The newest backup, and why the last one failed if it did.
void printBackups(const Library& library, const QString& label, QTextStream& out) {
    const QDir folder(library.backupsPath());
    const QStringList backups =
        folder.entryList({QStringLiteral("Library-*.sqlite")}, QDir::Files, QDir::Name);
    out << label << library.backupsPath() << " ("
        << (backups.isEmpty() ? QCoreApplication::translate("decant-library", "none yet")
                              : QCoreApplication::translate("decant-library", "%1, the newest %2")
                                    .arg(backups.size())
                                    .arg(backups.last()))
        << ")\n";
    if (const QString failure = library.lastBackupFailure().valueOr(QString());
        !failure.isEmpty()) {
        out << QString(displayWidth(label), u' ')
            << QCoreApplication::translate("decant-library", "the last backup failed: %1")
                   .arg(failure)
            << '\n';
    }
}

int printInfo(const Library& library, QTextStream& out, QTextStream& err) {
    const auto version = library.schemaVersion();
    const auto settings = library.importSettings();
    const auto soundCheck = library.soundCheck();
    const auto count = library.trackCount();
    if (!version) {
        return cannotRead(version.error(), err);
    }
    if (!settings || !soundCheck) {
        return cannotRead(settings ? soundCheck.error() : settings.error(), err);
    }
    if (!count) {
        return cannotRead(count.error(), err);
    }
    const QStringList labels =
        alignedLabels({QCoreApplication::translate("decant-library", "Location:"),
                       QCoreApplication::translate("decant-library", "Database:"),
                       QCoreApplication::translate("decant-library", "Media:"),
                       QCoreApplication::translate("decant-library", "Import:"),
                       QCoreApplication::translate("decant-library", "Tracks:"),
                       QCoreApplication::translate("decant-library", "Backups:")});
    out << labels[0] << library.location() << '\n'
        << labels[1]
        << QCoreApplication::translate("decant-library", "%1 (schema version %2)")
               .arg(library.databasePath(), QString::number(*version))
        << '\n'
        << labels[2] << library.mediaPath() << '\n'
        << labels[3]
        << QCoreApplication::translate("decant-library", "%1, Sound Check %2")
               .arg(describeSettings(*settings), onOrOff(*soundCheck))
        << '\n'
        << labels[4] << *count << '\n';
    printBackups(library, labels[5], out);
    return ToolSucceeded;
}

// The library, or null after saying on `err` why it could not be opened.
std::shared_ptr<Library> openLibrary(const Invocation& invocation, const LibraryOptions& options,
                                     QTextStream& err) {
    auto library = Library::open(invocation.location, options);
    if (!library) {
        err << "decant-library: " << library.error().message << '\n';
        return nullptr;
    }
    return *library;
}

int changeSettings(const Invocation& invocation, QTextStream& out, QTextStream& err) {
    LibraryOptions options;
    options.writeTags = false;
    const auto library = openLibrary(invocation, options, err);
    if (!library) {
        return ToolLibraryFailed;
    }
    const auto current = library->importSettings();
    if (!invocation.encoder && !current) {
        return cannotRead(current.error(), err);
    }
    ImportSettings settings = invocation.encoder ? defaultSettings(*invocation.encoder) : *current;
    if (invocation.bitRate) {
        settings.bitRate = *invocation.bitRate;
    }
    if (const auto problem = settingsProblem(settings)) {
        err << "decant-library: " << *problem << '\n';
        return ToolUsageError;
    }
    const Status stored =
        invocation.encoder || invocation.bitRate ? library->setImportSettings(settings) : Status();
    const Status storedSoundCheck =
        stored && invocation.soundCheck ? library->setSoundCheck(*invocation.soundCheck) : stored;
    if (!storedSoundCheck) {
        err << "decant-library: "
            << QCoreApplication::translate("decant-library", "cannot store the settings: %1")
                   .arg(storedSoundCheck.error().message)
            << '\n';
        return ToolLibraryFailed;
    }
    return printSettings(*library, out, err);
}

int show(const Invocation& invocation, QTextStream& out, QTextStream& err) {
    LibraryOptions options;
    options.readOnly = true;
    const auto library = openLibrary(invocation, options, err);
    if (!library) {
        return ToolLibraryFailed;
    }
    if (invocation.command == QLatin1String("info")) {
        return printInfo(*library, out, err);
    }
    if (invocation.command == QLatin1String("list")) {
        return printList(*library, invocation.filter, out, err);
    }
    if (invocation.command == QLatin1String("show")) {
        return printTrackDetails(*library, invocation.trackIds, out, err);
    }
    return printSettings(*library, out, err);
}

// Without the tag writer, as for a repair: tags lagging behind are not this
// command's to write.
int change(const Invocation& invocation, QTextStream& out, QTextStream& err) {
    LibraryOptions options;
    options.writeTags = false;
    const auto library = openLibrary(invocation, options, err);
    if (!library) {
        return ToolLibraryFailed;
    }
    for (const QString& done : library->openingRepairs()) {
        out << escapeControlCharacters(done) << '\n';
    }
    for (const QString& failed : library->openingFailures()) {
        err << "decant-library: " << escapeControlCharacters(failed) << '\n';
    }
    const bool succeeded = invocation.command == QLatin1String("remove")
                               ? removeTracks(*library, invocation.trackIds, out, err)
                               : organiseFiles(*library, out, err);
    return succeeded ? ToolSucceeded : ToolLibraryFailed;
}

} // namespace

int runLibraryTool(const QStringList& arguments, QTextStream& out, QTextStream& err) {
    QCommandLineParser parser;
    parser.setApplicationDescription(QCoreApplication::translate("decant-library", description));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption library(
        QStringLiteral("library"),
        QCoreApplication::translate("decant-library", "Use the library in <folder>."),
        QStringLiteral("folder"));
    const QCommandLineOption encoder(
        QStringLiteral("encoder"),
        QCoreApplication::translate("decant-library", "Import with <name>: %1.")
            .arg(encoderNames()),
        QStringLiteral("name"));
    const QCommandLineOption bitRate(
        QStringLiteral("bitrate"),
        QCoreApplication::translate(
            "decant-library",
            "Import lossy formats at <kbps> kbit/s for stereo; more channels scale "
            "with their count (5.1 takes three times as much)."),
        QStringLiteral("kbps"));
    const QCommandLineOption soundCheck(
        QStringLiteral("sound-check"),
        QCoreApplication::translate(
            "decant-library",
            "Measure each import's loudness for Sound Check and ReplayGain: on or off."),
        QStringLiteral("on|off"));
    const QCommandLineOption repairOption(
        QStringLiteral("repair"),
        QCoreApplication::translate("decant-library",
                                    "With check: mend what is found, saying how."));
    const QCommandLineOption verifyOption(
        QStringLiteral("verify"),
        QCoreApplication::translate(
            "decant-library",
            "With check: decode every file again against what its import proved."));
    const QCommandLineOption artist(
        QStringLiteral("artist"),
        QCoreApplication::translate(
            "decant-library",
            "With list: only tracks whose artist or album artist holds <text>, in "
            "any case."),
        QStringLiteral("text"));
    const QCommandLineOption album(
        QStringLiteral("album"),
        QCoreApplication::translate(
            "decant-library", "With list: only tracks whose album holds <text>, in any case."),
        QStringLiteral("text"));
    const QCommandLineOption search(
        QStringLiteral("search"),
        QCoreApplication::translate(
            "decant-library",
            "With list: only tracks whose name, artist or album holds <text>, in any "
            "case."),
        QStringLiteral("text"));
    parser.addOptions(
        {library, encoder, bitRate, soundCheck, repairOption, verifyOption, artist, album, search});
    parser.addPositionalArgument(
        QStringLiteral("command"),
        QCoreApplication::translate("decant-library",
                                    "info, list, show ID..., settings, check, remove ID... or "
                                    "organise"));

    if (!parser.parse(arguments)) {
        err << "decant-library: " << parser.errorText() << '\n'
            << QCoreApplication::translate("decant-library", "Try --help.") << '\n';
        return ToolUsageError;
    }
    if (parser.isSet(help)) {
        out << parser.helpText();
        return ToolSucceeded;
    }
    QString problem;
    const auto invocation = understand(parser,
                                       Options{library, encoder, bitRate, soundCheck, repairOption,
                                               verifyOption, artist, album, search},
                                       &problem);
    if (!invocation) {
        err << "decant-library: " << problem << '\n'
            << QCoreApplication::translate("decant-library", "Try --help.") << '\n';
        return ToolUsageError;
    }
    if (invocation->command == QLatin1String("check")) {
        const CheckRequest request{invocation->location, invocation->verify, {}};
        return invocation->repair ? repairLibrary(request, out, err)
                                  : checkLibrary(request, out, err);
    }
    if (invocation->command == QLatin1String("remove") ||
        invocation->command == QLatin1String("organise")) {
        return change(*invocation, out, err);
    }
    const bool changes = invocation->encoder || invocation->bitRate || invocation->soundCheck;
    return changes ? changeSettings(*invocation, out, err) : show(*invocation, out, err);
}

} // namespace decant::library
