// Renders the window at three moments of a real run, with the real library
// in a scratch folder: the pictures in the README (the `screenshot` target
// writes them to docs/). Every text shown must fit where it is shown.
#include "FlacFixture.h"
#include "TestEnvironment.h"
#include "app/MainWindow.h"
#include "app/QueueStatusBar.h"
#include "app/QueueTableView.h"
#include "app/RunProgressWidget.h"
#include "itunes/LibraryApplication.h"
#include "itunes/iTunesHandOff.h"
#include "queue/FilesController.h"
#include "store/MetadataFetchCommand.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <condition_variable>
#include <mutex>

namespace decant {
namespace {

// The real library, which stops after converting the first files of a batch
// until it is released: the moment the mid-run picture shows.
class PausingLibrary final : public iTunesApplication {
public:
    PausingLibrary(const QString& folder, int pauseAfter)
        : library_(std::make_shared<LibraryApplication>(folder))
        , pauseAfter_(pauseAfter) {}

    QList<iTunesTrackPointer> convert(const QList<QUrl>& files) override {
        if (pauseAfter_ <= 0 || files.size() <= pauseAfter_) {
            return library_->convert(files);
        }
        QList<iTunesTrackPointer> tracks = library_->convert(files.mid(0, pauseAfter_));
        {
            std::unique_lock lock(mutex_);
            paused_ = true;
            changed_.notify_all();
            changed_.wait_for(lock, std::chrono::minutes(1), [this] { return released_; });
        }
        return tracks + library_->convert(files.mid(pauseAfter_));
    }
    QString failureReasonForFile(const QUrl& file) const override {
        return library_->failureReasonForFile(file);
    }
    void setConversionObserver(ConversionObserver observer) override {
        library_->setConversionObserver(std::move(observer));
    }
    QString location() const override { return library_->location(); }
    void stopConverting() override {
        release();
        library_->stopConverting();
    }

    bool isPaused() const {
        std::lock_guard lock(mutex_);
        return paused_;
    }
    void release() {
        std::lock_guard lock(mutex_);
        released_ = true;
        changed_.notify_all();
    }

private:
    std::shared_ptr<LibraryApplication> library_;
    const int pauseAfter_;
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    bool paused_ = false;
    bool released_ = false;
};

enum class Moment { Finished, Running, FailedWithReason };

struct Picture {
    Moment moment;
    const char* file;
};

void PrintTo(const Picture& picture, std::ostream* out) {
    *out << picture.file;
}

class Screenshot : public testing::TestWithParam<Picture> {
protected:
    // "Lossless Evenings": six tagged tracks; a damaged fifth and a text
    // file named as the sixth when the run is to show failures. Long tracks
    // give the library time enough for a time left worth telling.
    void queueAlbum(bool withFailures, uint64_t samples = 44100) {
        const QStringList titles{"Overture",       "Slow Pour", "Sediment",
                                 "Breathing Room", "Vintage",   "Last Glass"};
        QList<QByteArray> paths;
        for (int index = 0; index < titles.size(); ++index) {
            const QString path = folder.filePath(
                QStringLiteral("Lossless Evenings/0%1 %2.flac").arg(index + 1).arg(titles[index]));
            QDir().mkpath(QFileInfo(path).path());
            test::FlacFixture track = test::taggedFixture(
                {"TITLE=" + titles[index].toUtf8(), "ARTIST=The Decanters",
                 "ALBUM=Lossless Evenings", "TRACKNUMBER=" + QByteArray::number(index + 1),
                 "TRACKTOTAL=6"});
            track.samples = samples;
            track.blockSize = 1024;
            if (withFailures && index == 4) {
                track.damagedFrame = 20;
            }
            if (withFailures && index == 5) {
                QFile text(path);
                ASSERT_TRUE(text.open(QIODevice::WriteOnly));
                text.write("Liner notes, not audio.\n");
            } else {
                ASSERT_TRUE(test::writeFlacFixture(path, track));
            }
            paths.append(QFile::encodeName(path));
        }
        controller->addFiles(paths);
    }

    bool startAndWait(const std::function<bool()>& until) {
        window.findChild<QAction*>("startAction")->trigger();
        return test::processEventsUntil(until, 120000);
    }
    bool runHasEnded() const {
        return window.findChild<QAction*>("startAction")->isEnabled() && !controller->isRunning();
    }

    // Every text must fit where the window shows it.
    void expectEverythingFits() const {
        const QueueTableView& table = *window.queueTable();
        const QFontMetrics metrics = table.fontMetrics();
        const QAbstractItemModel& model = *table.model();
        for (int column = 0; column + 1 < model.columnCount(); ++column) {
            for (int row = 0; row < model.rowCount(); ++row) {
                const QString text = model.index(row, column).data().toString();
                EXPECT_LE(metrics.horizontalAdvance(text) + 8,
                          table.horizontalHeader()->sectionSize(column))
                    << text.toStdString();
            }
        }
        for (const auto* label : window.findChildren<QLabel*>()) {
            if (label->isVisible()) {
                EXPECT_LE(label->fontMetrics().horizontalAdvance(label->text()), label->width())
                    << label->text().toStdString();
            }
        }
    }

    void save() {
        window.queueTable()->viewport()->update();
        test::processEventsUntil([] { return false; }, 200);
        expectEverythingFits();
        const QImage picture = window.grab().toImage();
        ASSERT_FALSE(picture.isNull());
        const QString folderForPictures = qEnvironmentVariable("DECANT_SCREENSHOTS", folder.path());
        EXPECT_TRUE(picture.save(folderForPictures + u'/' + QLatin1String(GetParam().file)));
    }

    QTemporaryDir folder;
    std::shared_ptr<PausingLibrary> library = std::make_shared<PausingLibrary>(
        folder.filePath("Decant Library"), GetParam().moment == Moment::Running ? 2 : 0);
    std::shared_ptr<FilesController> controller =
        std::make_shared<FilesController>(std::make_shared<iTunesHandOff>(library));
    MainWindow window{controller, std::make_shared<MetadataFetchCommand>(*controller), library};
};

TEST_P(Screenshot, showsARealRunReadably) {
    window.resize(900, 340);
    window.show();
    const Moment moment = GetParam().moment;
    queueAlbum(moment == Moment::FailedWithReason, moment == Moment::Running ? 20 * 44100 : 44100);
    QueueStatusBar& bar = *window.queueStatusBar();

    if (moment == Moment::Running) {
        ASSERT_TRUE(startAndWait([&] {
            return library->isPaused() && controller->runProgress().converted == 2 &&
                   window.findChild<RunProgressWidget*>()->isVisible();
        }));
        save();
        EXPECT_TRUE(window.findChild<RunProgressWidget*>()->text().startsWith("2 of 6 files done"));
        library->release();
        ASSERT_TRUE(test::processEventsUntil([&] { return runHasEnded(); }, 120000));
        return;
    }
    ASSERT_TRUE(startAndWait([&] { return runHasEnded(); }));
    if (moment == Moment::FailedWithReason) {
        window.queueTable()->setCurrentIndex(window.queueTable()->model()->index(4, 0));
        EXPECT_EQ(bar.summary(), "4 files imported, 2 failed");
        EXPECT_EQ(bar.notice(), "05 Vintage.flac: MD5 signature mismatch");
    } else {
        EXPECT_EQ(bar.summary(), "6 files imported");
    }
    save();
}

INSTANTIATE_TEST_SUITE_P(Moments, Screenshot,
                         testing::Values(Picture{Moment::Finished, "screenshot.png"},
                                         Picture{Moment::Running, "screenshot-running.png"},
                                         Picture{Moment::FailedWithReason,
                                                 "screenshot-failures.png"}),
                         [](const auto& info) {
                             QString name = QString::fromLatin1(info.param.file);
                             return name.remove(u'-').remove(QStringLiteral(".png")).toStdString();
                         });

} // namespace
} // namespace decant
