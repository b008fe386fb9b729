// The real window, offscreen, with a 5 ms timer on its event loop: how long
// an intake takes and how long the loop goes without a tick while it runs,
// and the same for a run through a queue. The library is a stand-in that
// converts nothing and answers at once, so the run measures the window and
// the queue, not the encoder.
//
// usage: window_benchmark intake EXPECTED PATH...   (EXPECTED: files the paths hold)
//        window_benchmark run PATH...
// Prints one line: "<mode> files=N seconds=S longest_stall_ms=M".
#include "app/AppDelegate.h"
#include "app/MainWindow.h"
#include "itunes/iTunesApplication.h"
#include "itunes/iTunesHandOff.h"
#include "queue/FilesController.h"
#include "store/MetadataFetchCommand.h"

#include <QAction>
#include <QApplication>
#include <QDeadlineTimer>
#include <QFileInfo>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <mutex>

namespace decant {
namespace {

using Clock = std::chrono::steady_clock;

class NamedTrack final : public iTunesTrack {
public:
    explicit NamedTrack(QString name)
        : name_(std::move(name)) {}
    QString name() const override { return name_; }
    void setValueForKey(const QVariant&, const QString&) override {}

private:
    QString name_;
};

// Gives every file a track at once, named after it, and reports each one
// finished, as the library does when it converts.
class InstantLibrary final : public iTunesApplication {
public:
    QList<iTunesTrackPointer> convert(const QList<QUrl>& files) override {
        ConversionObserver observer;
        {
            std::lock_guard lock(mutex_);
            observer = observer_;
        }
        QList<iTunesTrackPointer> tracks;
        for (const QUrl& file : files) {
            tracks.append(
                std::make_shared<NamedTrack>(QFileInfo(file.toLocalFile()).completeBaseName()));
            if (observer) {
                observer(file, true);
            }
        }
        return tracks;
    }
    void setConversionObserver(ConversionObserver observer) override {
        std::lock_guard lock(mutex_);
        observer_ = std::move(observer);
    }

private:
    std::mutex mutex_;
    ConversionObserver observer_;
};

// The longest time between two ticks of a 5 ms timer: how long the event
// loop did not get round to its timers, painting or input.
class StallMeter {
public:
    StallMeter() {
        timer_.setTimerType(Qt::PreciseTimer);
        timer_.setInterval(5);
        QObject::connect(&timer_, &QTimer::timeout, [this] { tick(); });
    }
    void start() {
        longest_ = {};
        last_ = Clock::now();
        timer_.start();
    }
    void stop() {
        tick();
        timer_.stop();
    }
    double longestMilliseconds() const {
        return std::chrono::duration<double, std::milli>(longest_).count();
    }

private:
    void tick() {
        const auto now = Clock::now();
        longest_ = std::max(longest_, now - last_);
        last_ = now;
    }

    QTimer timer_;
    Clock::time_point last_;
    Clock::duration longest_{};
};

bool runEventsUntil(const std::function<bool()>& done,
                    std::chrono::milliseconds limit = std::chrono::minutes(20)) {
    const QDeadlineTimer deadline(limit);
    while (!done() && !deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 50);
    }
    return done();
}

struct Measurement {
    qsizetype files = 0;
    double seconds = 0;
    double longestStall = 0;
};

void print(const char* mode, const Measurement& measurement) {
    std::printf("%s files=%lld seconds=%.2f longest_stall_ms=%.0f\n", mode,
                static_cast<long long>(measurement.files), measurement.seconds,
                measurement.longestStall);
}

class Bench {
public:
    Bench() {
        window_.resize(900, 500);
        window_.show();
        delegate_.setFilesController(controller_);
        delegate_.setWindow(&window_);
        delegate_.applicationDidFinishLaunching();
        runEventsUntil([this] { return window_.isVisible(); });
    }

    // As the desktop hands the window files opened with it.
    Measurement intake(qsizetype expected, const QList<QByteArray>& paths) {
        return measure([&] { delegate_.applicationOpenFiles(paths); },
                       [&] { return controller_->files().size() >= expected; });
    }

    Measurement run(const QList<QByteArray>& paths) {
        controller_->addFiles(paths);
        QAction* start = window_.findChild<QAction*>(QStringLiteral("startAction"));
        const auto done = [&] {
            const auto entries = controller_->files();
            return start->isEnabled() && !controller_->isRunning() &&
                   std::all_of(entries.begin(), entries.end(), [](const auto& entry) {
                       return entry->status() == QueueEntryStatusDone;
                   });
        };
        return measure([&] { start->trigger(); }, done);
    }

private:
    Measurement measure(const std::function<void()>& begin, const std::function<bool()>& done) {
        // The window's first layout and paint are not the intake's.
        runEventsUntil([] { return false; }, std::chrono::milliseconds(200));
        StallMeter meter;
        meter.start();
        const auto started = Clock::now();
        begin();
        const bool finished = runEventsUntil(done);
        const auto ended = Clock::now();
        meter.stop();
        if (!finished) {
            std::fprintf(stderr, "window_benchmark: did not finish within 20 minutes\n");
            std::exit(1);
        }
        return {controller_->files().size(), std::chrono::duration<double>(ended - started).count(),
                meter.longestMilliseconds()};
    }

    std::shared_ptr<InstantLibrary> library_ = std::make_shared<InstantLibrary>();
    std::shared_ptr<FilesController> controller_ =
        std::make_shared<FilesController>(std::make_shared<iTunesHandOff>(library_));
    MainWindow window_{controller_, std::make_shared<MetadataFetchCommand>(*controller_), library_};
    AppDelegate delegate_;
};

} // namespace
} // namespace decant

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    const bool intake = arguments.size() >= 4 && arguments[1] == QLatin1String("intake");
    const bool run = arguments.size() >= 3 && arguments[1] == QLatin1String("run");
    if (!intake && !run) {
        std::fprintf(stderr, "usage: window_benchmark intake EXPECTED PATH...\n"
                             "       window_benchmark run PATH...\n");
        return 2;
    }
    QList<QByteArray> paths;
    for (int index = intake ? 3 : 2; index < argc; ++index) {
        paths.append(QByteArray(argv[index]));
    }
    decant::Bench bench;
    if (intake) {
        print("intake", bench.intake(arguments[2].toLongLong(), paths));
    } else {
        print("run", bench.run(paths));
    }
    return 0;
}
