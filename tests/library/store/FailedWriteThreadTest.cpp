#include "library/store/ArtworkStore.h"
#include "library/store/Database.h"
#include "library/store/FileJournal.h"
#include "library/store/PropertyStore.h"
#include "library/store/SettingsStore.h"
#include "library/store/TrackStore.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <barrier>
#include <functional>
#include <thread>
#include <vector>

namespace decant::library {
namespace {

struct Writer {
    std::function<Status()> write;
    Error::Kind kind;
    QString reason; // what its own failure's message holds
};

// The library's threads share one connection. Each failed write must come
// back with its own reason, even while other threads' writes fail for
// theirs at the same moment; and a write that succeeds must not be spoilt.
TEST(FailedWrite, returnsItsOwnReasonWhileOtherThreadsFail) {
    const QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString path = folder.filePath("Library.sqlite");
    auto opened = Database::open(path, Database::Access::ReadWrite, std::chrono::seconds(5));
    ASSERT_TRUE(opened) << opened.error().message.toStdString();
    Database& database = **opened;
    NewTrack track;
    track.file = "Media/a.m4a";
    track.name = "a";
    const auto recorded = database.tracks().recordNewTrack(track, "Media/.importing-a.m4a",
                                                           [](const QString&) { return true; });
    ASSERT_TRUE(recorded);
    const qint64 id = recorded->trackId;
    // Another program damages the database under the library.
    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open(path.toUtf8().constData(), &other), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(other, "DROP TABLE file_removals; DROP TABLE artwork", nullptr, nullptr,
                           nullptr),
              SQLITE_OK);
    sqlite3_close(other);
    const auto readOnly = Database::open(path, Database::Access::ReadOnly, std::chrono::seconds(5));
    ASSERT_TRUE(readOnly) << readOnly.error().message.toStdString();

    const Artwork artwork{ImageFormat::Png, "image", "digest"};
    const TrackProperty& artist = *findTrackProperty("artist");
    const auto status = [](const auto& result) {
        return result ? Status() : Status(result.error());
    };
    const std::vector<Writer> writers{
        {[&] { return database.journal().finishFileRemoval("Media/a.m4a"); }, Error::Kind::Other,
         "no such table: file_removals"},
        {[&] { return status(database.artwork().setArtwork(id, artwork)); }, Error::Kind::Other,
         "no such table: artwork"},
        {[&] { return status(database.journal().recordRemoval(101)); }, Error::Kind::NotFound,
         "there is no track 101"},
        {[&] { return status(database.journal().recordRemoval(102)); }, Error::Kind::NotFound,
         "there is no track 102"},
        {[&] { return (*readOnly)->settings().storeSoundCheck(false); }, Error::Kind::ReadOnly,
         "cannot be written"},
    };
    constexpr int rounds = 100;
    std::barrier start(int(writers.size()) + 1);
    std::vector<int> wrongReasons(writers.size(), 0);
    std::vector<std::jthread> threads;
    for (std::size_t index = 0; index < writers.size(); ++index) {
        threads.emplace_back([&, index] {
            const Writer& writer = writers[index];
            start.arrive_and_wait();
            for (int round = 0; round < rounds; ++round) {
                const Status written = writer.write();
                if (written || written.error().kind != writer.kind ||
                    !written.error().message.contains(writer.reason)) {
                    ++wrongReasons[index];
                }
            }
        });
    }
    // One thread whose writes succeed throughout.
    int failedSets = 0;
    threads.emplace_back([&] {
        start.arrive_and_wait();
        for (int round = 0; round < rounds; ++round) {
            const auto set =
                database.properties().setProperty(id, artist, QStringLiteral("%1").arg(round));
            failedSets += set ? 0 : 1;
        }
    });
    threads.clear(); // joins

    for (std::size_t index = 0; index < writers.size(); ++index) {
        EXPECT_EQ(wrongReasons[index], 0) << writers[index].reason.toStdString();
    }
    EXPECT_EQ(failedSets, 0);
}

} // namespace
} // namespace decant::library
