// The Library window, offscreen, over a generated library: how long it takes
// from Window > Library to a full table, the longest the event loop went
// without a tick of a 5 ms timer meanwhile, and the same for a search typed
// one letter at a time and for paging through the table.
//
// usage: library_window_benchmark FOLDER TRACKS
// Makes the library in FOLDER with TRACKS tracks when it holds none (kept
// for the next run), then prints one line per measurement.
#include "app/LibraryWindow.h"
#include "library/Library.h"

#include <QApplication>
#include <QBuffer>
#include <QColor>
#include <QDeadlineTimer>
#include <QDir>
#include <QImage>
#include <QLineEdit>
#include <QScrollBar>
#include <QTableView>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>

namespace decant {
namespace {

using Clock = std::chrono::steady_clock;

double millisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// The longest time between two ticks of a 5 ms timer.
class StallMeter {
public:
    StallMeter() {
        timer_.setTimerType(Qt::PreciseTimer);
        timer_.setInterval(5);
        QObject::connect(&timer_, &QTimer::timeout, [this] { tick(); });
        last_ = Clock::now();
        timer_.start();
    }
    double stop() {
        tick();
        timer_.stop();
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

void runEventsUntil(const std::function<bool()>& done) {
    const QDeadlineTimer deadline(std::chrono::minutes(5));
    while (!done() && !deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 20);
    }
    if (!done()) {
        std::fprintf(stderr, "library_window_benchmark: no end within 5 minutes\n");
        std::exit(1);
    }
}

void runEventsFor(std::chrono::milliseconds time) {
    const auto end = Clock::now() + time;
    runEventsUntil([end] { return Clock::now() >= end; });
}

// A cover of the size shops give (600 x 600 pixels, JPEG), one colour to
// an album.
library::Artwork albumCover(int album) {
    QImage image(600, 600, QImage::Format_RGB32);
    image.fill(QColor::fromHsv(album * 37 % 360, 160, 200));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPG", 85);
    return {library::ImageFormat::Jpeg, bytes, library::artworkDigest(bytes)};
}

// Artists, albums and titles of the lengths real ones have, 12 tracks to an
// album and 10 albums to an artist, each album with its cover.
bool makeLibrary(const QString& folder, int tracks) {
    auto library = library::Library::open(folder);
    if (!library) {
        std::fprintf(stderr, "%s\n", qPrintable(library.error().message));
        return false;
    }
    const auto start = Clock::now();
    for (int index = 0; index < tracks; ++index) {
        library::TrackRecord record;
        record.file = QStringLiteral("Media/%1.m4a").arg(index);
        record.kind = QStringLiteral("AAC audio file");
        record.loudness = library::Loudness{-9.5 - index % 7, 0.98};
        record.properties = {
            {"name", QStringLiteral("Song number %1 of the album").arg(index % 12 + 1)},
            {"artist", QStringLiteral("The Artist Called %1").arg(index / 120)},
            {"album", QStringLiteral("An Album Title %1").arg(index / 12)},
            {"trackNumber", qint64(index % 12 + 1)},
            {"year", qint64(1960 + index % 60)}};
        const library::Artwork cover = albumCover(index / 12);
        record.artwork = cover.digest;
        if (!(*library)->restoreTrack(record, cover)) {
            return false;
        }
    }
    std::printf("made tracks=%d seconds=%.1f\n", tracks, millisecondsSince(start) / 1000);
    return true;
}

void measure(const QString& folder) {
    // The window's first paint is not what is measured.
    runEventsFor(std::chrono::milliseconds(100));
    StallMeter openMeter;
    const auto opened = Clock::now();
    LibraryWindow window{LibraryCatalogue(folder)};
    window.show();
    const double shown = millisecondsSince(opened);
    runEventsUntil([&] { return !window.isLoading(); });
    const double loaded = millisecondsSince(opened);
    runEventsFor(std::chrono::milliseconds(50));
    std::printf("open rows=%d shown_ms=%.0f full_ms=%.0f longest_stall_ms=%.0f\n",
                window.table()->model()->rowCount(), shown, loaded, openMeter.stop());

    StallMeter searchMeter;
    const QString typed = QStringLiteral("artist called 41");
    for (qsizetype length = 1; length <= typed.size(); ++length) {
        window.searchField()->setText(typed.left(length));
        runEventsFor(std::chrono::milliseconds(20));
    }
    const int found = window.table()->model()->rowCount();
    window.searchField()->clear();
    runEventsFor(std::chrono::milliseconds(20));
    std::printf("search letters=%lld rows=%d longest_stall_ms=%.0f\n",
                static_cast<long long>(typed.size()), found, searchMeter.stop());

    StallMeter scrollMeter;
    QScrollBar* bar = window.table()->verticalScrollBar();
    const int pages = 200;
    const int step = std::max(1, bar->maximum() / pages);
    for (int page = 0; page < pages; ++page) {
        bar->setValue(page * step);
        runEventsFor(std::chrono::milliseconds(5));
    }
    std::printf("scroll pages=%d longest_stall_ms=%.0f\n", pages, scrollMeter.stop());
}

} // namespace
} // namespace decant

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() != 3) {
        std::fprintf(stderr, "usage: library_window_benchmark FOLDER TRACKS\n");
        return 2;
    }
    const QString folder = QDir(arguments[1]).absolutePath();
    if (!QFileInfo::exists(decant::library::Library::databasePathIn(folder)) &&
        !decant::makeLibrary(folder, arguments[2].toInt())) {
        return 1;
    }
    decant::measure(folder);
    return 0;
}
