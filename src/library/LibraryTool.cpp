#include "library/LibraryTool.h"

#include "library/Library.h"
#include "library/LibraryChanges.h"
#include "library/LibraryCheck.h"
#include "platform/TextWidth.h"

#include <QCommandLineParser>

#include <algorithm>
#include <optional>

namespace decant::library {
namespace {

const auto description = QStringLiteral(
    "Shows and changes Decant's music library.\n\n"
    "Commands:\n"
    "  info      where the library is, its import settings and how many tracks it holds\n"
    "  list      a table of the library's tracks; --artist, --album and --search show\n"
    "            only those that match\n"
    "  settings  the import settings; change them with --encoder, --bitrate and\n"
    "            --sound-check\n"
    "  check     files no track lists, tracks without their file, untagged tracks,\n"
    "            tracks imported twice, leftovers of interrupted imports; --verify\n"
    "            decodes every file again against what its import proved; --repair\n"
    "            mends what is found and says what it did\n"
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
    std::optional<Encoder> encoder;
    std::optional<int> bitRate;
    std::optional<bool> soundCheck;
    bool repair = false;
    bool verify = false;
    QList<qint64> trackIds; // for remove
    TrackFilter filter;     // for list
};

const QStringList commandNames{"info", "list", "settings", "check", "remove", "organise"};

QString encoderNames() {
    QStringList names;
    for (const Encoder encoder : allEncoders()) {
        names.append(encoderName(encoder));
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
    const QString known = QStringLiteral("info, list, settings, check, remove or organise");
    if (arguments.isEmpty()) {
        *problem = QStringLiteral("no command given (%1)").arg(known);
        return false;
    }
    invocation.command = arguments.first();
    if (!commandNames.contains(invocation.command)) {
        *problem = QStringLiteral("unknown command \"%1\" (%2)").arg(invocation.command, known);
        return false;
    }
    const bool remove = invocation.command == QLatin1String("remove");
    if (remove && arguments.size() == 1) {
        *problem = QStringLiteral("remove needs the IDs of the tracks to remove (see list)");
        return false;
    }
    if (!remove && arguments.size() > 1) {
        *problem = QStringLiteral("one command at a time, please");
        return false;
    }
    for (const QString& argument : arguments.mid(1)) {
        bool number = false;
        const qint64 id = argument.toLongLong(&number);
        if (!number || id <= 0) {
            *problem = QStringLiteral("\"%1\" is not a track ID (see list)").arg(argument);
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
        *problem = QStringLiteral("--artist, --album and --search go with the list command");
        return std::nullopt;
    }
    const QCommandLineOption& encoder = options.encoder;
    const QCommandLineOption& bitRate = options.bitRate;
    invocation.repair = parser.isSet(options.repair);
    invocation.verify = parser.isSet(options.verify);
    if ((invocation.repair || invocation.verify) && invocation.command != QLatin1String("check")) {
        *problem = QStringLiteral("--repair and --verify go with the check command");
        return std::nullopt;
    }
    const bool changes =
        parser.isSet(encoder) || parser.isSet(bitRate) || parser.isSet(options.soundCheck);
    if (changes && invocation.command != QLatin1String("settings")) {
        *problem =
            QStringLiteral("--encoder, --bitrate and --sound-check go with the settings command");
        return std::nullopt;
    }
    if (parser.isSet(options.soundCheck)) {
        const QString value = parser.value(options.soundCheck);
        if (value != QLatin1String("on") && value != QLatin1String("off")) {
            *problem = QStringLiteral("--sound-check takes on or off, not \"%1\"").arg(value);
            return std::nullopt;
        }
        invocation.soundCheck = value == QLatin1String("on");
    }
    if (parser.isSet(encoder)) {
        invocation.encoder = encoderNamed(parser.value(encoder));
        if (!invocation.encoder) {
            *problem = QStringLiteral("unknown encoder \"%1\" (%2)")
                           .arg(parser.value(encoder), encoderNames());
            return std::nullopt;
        }
    }
    if (parser.isSet(bitRate)) {
        bool number = false;
        invocation.bitRate = parser.value(bitRate).toInt(&number);
        if (!number || *invocation.bitRate <= 0) {
            *problem = QStringLiteral("the bit rate \"%1\" is not a whole number of kbit/s")
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
            line += last ? row[column] : padToDisplayWidth(row[column], widths[column] + 2);
        }
        out << line << '\n';
    }
}

void printList(const Library& library, const TrackFilter& filter, QTextStream& out) {
    QList<QStringList> rows{{"ID", "Name", "Artist", "Album", "Track", "Disc", "Year", "Kind",
                             "Gain", "Album gain", "Verified", "Artwork", "File"}};
    QStringList skippedArtwork;
    const QList<TrackRecord> tracks = library.tracks();
    for (const TrackRecord& record : tracks) {
        if (!filter.matches(record)) {
            continue;
        }
        rows.append(rowOf(record));
        if (!record.artworkNote.isEmpty()) {
            skippedArtwork.append(QStringLiteral("Track %1: an image was skipped: %2.")
                                      .arg(record.id)
                                      .arg(record.artworkNote));
        }
    }
    if (rows.size() == 1) {
        out << (tracks.isEmpty() ? "The library holds no tracks.\n" : "No track matches.\n");
        return;
    }
    printTable(rows, out);
    for (const QString& skipped : skippedArtwork) {
        out << skipped << '\n';
    }
}

QString onOrOff(bool on) {
    return on ? QStringLiteral("on") : QStringLiteral("off");
}

void printSettings(const Library& library, QTextStream& out) {
    const ImportSettings settings = library.importSettings();
    out << "Encoder:  " << encoderName(settings.encoder) << " (" << kindOfEncoder(settings.encoder)
        << ", ." << fileExtension(settings.encoder) << ")\n";
    if (isLossless(settings.encoder)) {
        out << "Bit rate: none (lossless)\n";
    } else {
        out << "Bit rate: " << settings.bitRate << " kbit/s\n";
    }
    out << "Sound Check: " << onOrOff(library.soundCheck()) << '\n';
}

void printInfo(const Library& library, QTextStream& out) {
    out << "Location: " << library.location() << '\n'
        << "Database: " << library.databasePath() << " (schema version " << library.schemaVersion()
        << ")\n"
        << "Media:    " << library.mediaPath() << '\n'
        << "Import:   " << describeSettings(library.importSettings()) << ", Sound Check "
        << onOrOff(library.soundCheck()) << '\n'
        << "Tracks:   " << library.trackCount() << '\n';
}

// The library, or null after saying on `err` why it could not be opened.
std::shared_ptr<Library> openLibrary(const Invocation& invocation, const LibraryOptions& options,
                                     QTextStream& err) {
    QString error;
    auto library = Library::open(invocation.location, options, &error);
    if (!library) {
        err << "decant-library: " << error << '\n';
    }
    return library;
}

int changeSettings(const Invocation& invocation, QTextStream& out, QTextStream& err) {
    LibraryOptions options;
    options.writeTags = false;
    const auto library = openLibrary(invocation, options, err);
    if (!library) {
        return ToolLibraryFailed;
    }
    ImportSettings settings =
        invocation.encoder ? defaultSettings(*invocation.encoder) : library->importSettings();
    if (invocation.bitRate) {
        settings.bitRate = *invocation.bitRate;
    }
    if (const auto problem = settingsProblem(settings)) {
        err << "decant-library: " << *problem << '\n';
        return ToolUsageError;
    }
    QString error;
    if ((invocation.encoder || invocation.bitRate) &&
        !library->setImportSettings(settings, &error)) {
        err << "decant-library: cannot store the settings: " << error << '\n';
        return ToolLibraryFailed;
    }
    if (invocation.soundCheck && !library->setSoundCheck(*invocation.soundCheck, &error)) {
        err << "decant-library: cannot store the settings: " << error << '\n';
        return ToolLibraryFailed;
    }
    printSettings(*library, out);
    return ToolSucceeded;
}

int show(const Invocation& invocation, QTextStream& out, QTextStream& err) {
    LibraryOptions options;
    options.readOnly = true;
    const auto library = openLibrary(invocation, options, err);
    if (!library) {
        return ToolLibraryFailed;
    }
    if (invocation.command == QLatin1String("info")) {
        printInfo(*library, out);
    } else if (invocation.command == QLatin1String("list")) {
        printList(*library, invocation.filter, out);
    } else {
        printSettings(*library, out);
    }
    return ToolSucceeded;
}

QString countOf(qsizetype count, const char* one, const char* many) {
    return QStringLiteral("%1 %2").arg(count).arg(QLatin1String(count == 1 ? one : many));
}

QList<LibraryProblem> problemsOf(const Library& library, const Invocation& invocation) {
    QList<LibraryProblem> problems = findLibraryProblems(library);
    if (invocation.verify) {
        problems.append(findDamagedFiles(library));
    }
    return problems;
}

int check(const Invocation& invocation, QTextStream& out, QTextStream& err) {
    LibraryOptions options;
    options.readOnly = true;
    QString error;
    const auto library = Library::open(invocation.location, options, &error);
    if (!library) {
        err << "decant-library: " << error << '\n';
        if (error.contains(QLatin1String("needs upgrading"))) {
            err << "decant-library: check --repair upgrades it first.\n";
        }
        return ToolLibraryFailed;
    }
    const QList<LibraryProblem> problems = problemsOf(*library, invocation);
    for (const LibraryProblem& problem : problems) {
        out << problem.description << '\n';
    }
    if (problems.isEmpty()) {
        out << "No problems in " << countOf(library->trackCount(), "track", "tracks");
        if (invocation.verify) {
            out << "; every verified file decodes as it did when it was imported";
        }
        out << ".\n";
        return ToolSucceeded;
    }
    out << countOf(problems.size(), "problem", "problems")
        << " found; decant-library check --repair mends them.\n";
    return ToolProblemsFound;
}

// Opening the library for writing already finishes interrupted imports and
// removes their leftovers; what is left is mended problem by problem. Without
// the tag writer, which would write lagging tags unasked, and unreported.
int repair(const Invocation& invocation, QTextStream& out, QTextStream& err) {
    LibraryOptions options;
    options.writeTags = false;
    const auto library = openLibrary(invocation, options, err);
    if (!library) {
        return ToolLibraryFailed;
    }
    qsizetype mended = 0;
    for (const QString& done : library->openingRepairs()) {
        out << done << '\n';
        ++mended;
    }
    qsizetype left = 0;
    for (const LibraryProblem& problem : problemsOf(*library, invocation)) {
        const Repair result = repairLibraryProblem(*library, problem);
        out << result.description << '\n';
        if (result.mended) {
            ++mended;
        } else {
            ++left;
        }
    }
    if (mended == 0 && left == 0) {
        out << "No problems in " << countOf(library->trackCount(), "track", "tracks") << ".\n";
        return ToolSucceeded;
    }
    out << countOf(mended, "problem", "problems") << " mended, " << left << " left.\n";
    return left == 0 ? ToolSucceeded : ToolProblemsFound;
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
        out << done << '\n';
    }
    const bool succeeded = invocation.command == QLatin1String("remove")
                               ? removeTracks(*library, invocation.trackIds, out, err)
                               : organiseFiles(*library, out, err);
    return succeeded ? ToolSucceeded : ToolLibraryFailed;
}

} // namespace

int runLibraryTool(const QStringList& arguments, QTextStream& out, QTextStream& err) {
    QCommandLineParser parser;
    parser.setApplicationDescription(description);
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption library(QStringLiteral("library"),
                                     QStringLiteral("Use the library in <folder>."),
                                     QStringLiteral("folder"));
    const QCommandLineOption encoder(QStringLiteral("encoder"),
                                     QStringLiteral("Import with <name>: %1.").arg(encoderNames()),
                                     QStringLiteral("name"));
    const QCommandLineOption bitRate(
        QStringLiteral("bitrate"),
        QStringLiteral("Import lossy formats at <kbps> kbit/s for stereo; more channels scale "
                       "with their count (5.1 takes three times as much)."),
        QStringLiteral("kbps"));
    const QCommandLineOption soundCheck(
        QStringLiteral("sound-check"),
        QStringLiteral("Measure each import's loudness for Sound Check and ReplayGain: on or off."),
        QStringLiteral("on|off"));
    const QCommandLineOption repairOption(
        QStringLiteral("repair"), QStringLiteral("With check: mend what is found, saying how."));
    const QCommandLineOption verifyOption(
        QStringLiteral("verify"),
        QStringLiteral("With check: decode every file again against what its import proved."));
    const QCommandLineOption artist(
        QStringLiteral("artist"),
        QStringLiteral("With list: only tracks whose artist or album artist holds <text>, in "
                       "any case."),
        QStringLiteral("text"));
    const QCommandLineOption album(
        QStringLiteral("album"),
        QStringLiteral("With list: only tracks whose album holds <text>, in any case."),
        QStringLiteral("text"));
    const QCommandLineOption search(
        QStringLiteral("search"),
        QStringLiteral("With list: only tracks whose name, artist or album holds <text>, in any "
                       "case."),
        QStringLiteral("text"));
    parser.addOptions(
        {library, encoder, bitRate, soundCheck, repairOption, verifyOption, artist, album, search});
    parser.addPositionalArgument(
        QStringLiteral("command"),
        QStringLiteral("info, list, settings, check, remove ID... or organise"));

    if (!parser.parse(arguments)) {
        err << "decant-library: " << parser.errorText() << "\nTry --help.\n";
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
        err << "decant-library: " << problem << "\nTry --help.\n";
        return ToolUsageError;
    }
    if (invocation->command == QLatin1String("check")) {
        return invocation->repair ? repair(*invocation, out, err) : check(*invocation, out, err);
    }
    if (invocation->command == QLatin1String("remove") ||
        invocation->command == QLatin1String("organise")) {
        return change(*invocation, out, err);
    }
    const bool changes = invocation->encoder || invocation->bitRate || invocation->soundCheck;
    return changes ? changeSettings(*invocation, out, err) : show(*invocation, out, err);
}

} // namespace decant::library
