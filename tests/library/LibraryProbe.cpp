// library_probe: one import into a library, as the hand-off makes it, that
// can kill itself at a named step. Tests run it in a child process to show
// that the library survives dying anywhere.
//
//   library_probe --library DIR [--kill-at STEP:N] [--encoder NAME] [--tag]
//                 [--remove ID] WAV...
//
// STEP is one of the library's steps (see StepHook.h) or "propertySet", a
// property set of the tagging; N counts the times it is reached. With --tag,
// each track is named "Title <source>" and given an artist, as the hand-off
// would. With --remove, the track with that id is then removed, its file
// going to the trash. Prints one line per file; exits 0 when every file
// became a track (and the track was removed), 1 when one did not, 2 when
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
    QString encoder;
    bool tag = false;
    qint64 remove = 0;
    QList<QUrl> files;
};

Arguments parse(const QStringList& arguments) {
    Arguments parsed;
    for (qsizetype index = 1; index < arguments.size(); ++index) {
        const QString& argument = arguments[index];
        if (argument == QLatin1String("--library")) {
            parsed.library = arguments.value(++index);
        } else if (argument == QLatin1String("--kill-at")) {
            const QStringList step = arguments.value(++index).split(u':');
            parsed.killStep = step.value(0).toStdString();
            parsed.killAt = step.value(1, QStringLiteral("1")).toInt();
        } else if (argument == QLatin1String("--encoder")) {
            parsed.encoder = arguments.value(++index);
        } else if (argument == QLatin1String("--tag")) {
            parsed.tag = true;
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
        , at_(arguments.killAt) {}

    void reach(std::string_view step) {
        if (step == step_ && ++reached_ == at_) {
            std::fprintf(stderr, "killed at %s:%d\n", step_.c_str(), at_);
            std::raise(SIGKILL);
        }
    }

private:
    std::string step_;
    int at_;
    std::atomic<int> reached_ = 0;
};

void tag(Track& track, Killer& killer) {
    const QString source = track.record()->source;
    const std::pair<const char*, PropertyValue> properties[] = {
        {"name", QStringLiteral("Title %1").arg(source)},
        {"artist", QStringLiteral("Artist")},
        {"album", QStringLiteral("Album")},
        {"trackNumber", qint64(source.size())},
    };
    for (const auto& [name, value] : properties) {
        track.setProperty(QString::fromLatin1(name), value);
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
    QString error;
    const auto library = Library::open(arguments.library, options, &error);
    if (!library) {
        std::printf("cannot open: %s\n", qPrintable(error));
        return 2;
    }
    if (!arguments.encoder.isEmpty() &&
        !library->setImportSettings(defaultSettings(*encoderNamed(arguments.encoder)), &error)) {
        std::printf("cannot change the settings: %s\n", qPrintable(error));
        return 2;
    }
    bool everyFile = true;
    for (const ConversionOutcome& outcome : library->convertFiles(arguments.files)) {
        everyFile = everyFile && outcome.track;
        std::printf("%s\n", outcome.track ? qPrintable(QString::number(outcome.track->id()))
                                          : qPrintable(describeConversionFailure(outcome.failure)));
        if (outcome.track && arguments.tag) {
            tag(*outcome.track, killer);
        }
    }
    if (arguments.remove != 0) {
        const Removal removal = library->trashTrack(arguments.remove);
        std::printf("%s\n", removal.error.isEmpty() ? "removed" : qPrintable(removal.error));
        everyFile = everyFile && removal.removed && removal.error.isEmpty();
    }
    return everyFile ? 0 : 1;
}
