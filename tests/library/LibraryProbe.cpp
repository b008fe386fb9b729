// library_probe: one import into a library, as the hand-off makes it, that
// can kill itself at a named step. Tests run it in a child process to show
// that the library survives dying anywhere.
//
//   library_probe --library DIR [--kill-at STEP:N] [--stop-at STEP:N]
//                 [--encoder NAME] [--tag] [--album NAME] [--organise N]
//                 [--remove ID] WAV...
//
// STEP is one of the library's steps (see StepHook.h) or "propertySet", a
// property set of the tagging; N counts the times it is reached. --stop-at
// stops the process there (SIGSTOP) instead, holding whatever it holds,
// until it is continued. With --tag, each track is named "Title <source>"
// and given an artist and the album NAME ("Album" unless given), as the
// hand-off would, and its tags are written at once. With --organise, every
// file is then moved to where its tags say, N times over. With --remove,
// the track with that id is then removed, its file going to the trash.
// Prints one line per file; exits 0 when every file became a track (and
// the track was removed, and every file moved), 1 when one did not, 2 when
// the library could not be opened.
#include "library/Library.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QStringList>
#include <QUrl>

#include <atomic>
#include <csignal>
#include <cstdio>
#include <string>

namespace {

using namespace decant::library;

struct Arguments {
    QString library;
    std::string killStep;
    int killAt = 0;
    bool stop = false; // rather than kill
    QString encoder;
    bool tag = false;
    QString album = QStringLiteral("Album");
    int organise = 0;
    qint64 remove = 0;
    QList<QUrl> files;
};

Arguments parse(const QStringList& arguments) {
    Arguments parsed;
    for (qsizetype index = 1; index < arguments.size(); ++index) {
        const QString& argument = arguments[index];
        if (argument == QLatin1String("--library")) {
            parsed.library = arguments.value(++index);
        } else if (argument == QLatin1String("--kill-at") ||
                   argument == QLatin1String("--stop-at")) {
            const QStringList step = arguments.value(++index).split(u':');
            parsed.killStep = step.value(0).toStdString();
            parsed.killAt = step.value(1, QStringLiteral("1")).toInt();
            parsed.stop = argument == QLatin1String("--stop-at");
        } else if (argument == QLatin1String("--encoder")) {
            parsed.encoder = arguments.value(++index);
        } else if (argument == QLatin1String("--tag")) {
            parsed.tag = true;
        } else if (argument == QLatin1String("--album")) {
            parsed.album = arguments.value(++index);
        } else if (argument == QLatin1String("--organise")) {
            parsed.organise = arguments.value(++index).toInt();
        } else if (argument == QLatin1String("--remove")) {
            parsed.remove = arguments.value(++index).toLongLong();
        } else {
            parsed.files.append(QUrl::fromLocalFile(QFileInfo(argument).absoluteFilePath()));
        }
    }
    return parsed;
}

// Kills the process the killAt-th time `step` is reached, on whatever thread.
class Killer {
public:
    explicit Killer(const Arguments& arguments)
        : step_(arguments.killStep)
        , at_(arguments.killAt)
        , signal_(arguments.stop ? SIGSTOP : SIGKILL) {}

    void reach(std::string_view step) {
        if (step == step_ && ++reached_ == at_) {
            std::fprintf(stderr, "%s at %s:%d\n", signal_ == SIGSTOP ? "stopped" : "killed",
                         step_.c_str(), at_);
            std::fflush(stderr);
            std::raise(signal_);
        }
    }

private:
    std::string step_;
    int at_;
    int signal_;
    std::atomic<int> reached_ = 0;
};

void tag(Track& track, const QString& album, Killer& killer) {
    const QString source = track.record()->source;
    const std::pair<const char*, PropertyValue> properties[] = {
        {"name", QStringLiteral("Title %1").arg(source)},
        {"artist", QStringLiteral("Artist")},
        {"album", album},
        {"trackNumber", qint64(source.size())},
    };
    for (const auto& [name, value] : properties) {
        if (const Status set = track.setProperty(QString::fromLatin1(name), value); !set) {
            std::printf("cannot set %s: %s\n", name, qPrintable(set.error().message));
        }
        killer.reach("propertySet");
    }
}

} // namespace

int main(int argc, char** argv) {
    const QCoreApplication application(argc, argv);
    const Arguments arguments = parse(QCoreApplication::arguments());
    Killer killer(arguments);
    LibraryOptions options;
    options.parallelConversions = 2;
    options.tagQuietPeriod = std::chrono::milliseconds(0);
    options.stepHook = [&](std::string_view step) { killer.reach(step); };
    const auto opened = Library::open(arguments.library, options);
    if (!opened) {
        std::printf("cannot open: %s\n", qPrintable(opened.error().message));
        return 2;
    }
    const auto library = *opened;
    if (!arguments.encoder.isEmpty()) {
        const Status set =
            library->setImportSettings(defaultSettings(*formatNamed(arguments.encoder)));
        if (!set) {
            std::printf("cannot change the settings: %s\n", qPrintable(set.error().message));
            return 2;
        }
    }
    bool everyFile = true;
    for (const ConversionOutcome& outcome : library->convertFiles(arguments.files)) {
        const auto track = outcome.trackId != 0 ? library->track(outcome.trackId) : nullptr;
        everyFile = everyFile && track;
        std::printf("%s\n", track ? qPrintable(QString::number(track->id()))
                                  : qPrintable(describeConversionFailure(outcome.failure)));
        if (track && arguments.tag) {
            tag(*track, arguments.album, killer);
            if (const Status written = library->writeTagsNow(track->id()); !written) {
                std::printf("cannot write the tags: %s\n", qPrintable(written.error().message));
                everyFile = false;
            }
        }
    }
    for (int round = 0; round < arguments.organise; ++round) {
        const auto moved = library->organise();
        for (const Relocation& relocation : moved.valueOr({})) {
            if (!relocation.error.isEmpty()) {
                std::printf("cannot move: %s\n", qPrintable(relocation.error));
                everyFile = false;
            }
        }
        everyFile = everyFile && moved;
    }
    if (arguments.remove != 0) {
        const Removal removal = library->trashTrack(arguments.remove);
        std::printf("%s\n", removal.error.isEmpty() ? "removed" : qPrintable(removal.error));
        everyFile = everyFile && removal.removed && removal.error.isEmpty();
    }
    return everyFile ? 0 : 1;
}
