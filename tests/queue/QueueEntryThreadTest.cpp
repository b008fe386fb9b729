#include "queue/QueueEntry.h"

#include <gtest/gtest.h>

#include <barrier>
#include <thread>
#include <vector>

namespace decant {
namespace {

// Readers on other threads see the old dictionary or the new one, whole.
TEST(QueueEntryThreads, readersSeeWholeCommentsAndStatuses) {
    const auto entry = QueueEntry::entryWithPath("/missing.flac");
    const CommentsDictionary first{{"TITLE", QStringLiteral("One")},
                                   {"ARTIST", QStringLiteral("A")}};
    const CommentsDictionary second{{"TITLE", QStringLiteral("Two")}};
    constexpr int rounds = 2000;
    std::barrier start(3);

    std::thread writer([&] {
        start.arrive_and_wait();
        for (int round = 0; round < rounds; ++round) {
            entry->setComments(round % 2 ? first : second);
            entry->setStatus(round % 2 ? QueueEntryStatusDecoded : QueueEntryStatusDecoding);
        }
    });
    std::vector<CommentsDictionary> seen;
    std::thread reader([&] {
        start.arrive_and_wait();
        for (int round = 0; round < rounds; ++round) {
            const CommentsDictionary comments = entry->comments();
            if (comments != first && comments != second && !comments.isEmpty()) {
                seen.push_back(comments);
            }
            const auto status = entry->status();
            EXPECT_TRUE(status == QueueEntryStatusDecoded || status == QueueEntryStatusDecoding ||
                        status == QueueEntryStatusWaiting);
            EXPECT_EQ(entry->pathHash().size(), 32);
        }
    });
    start.arrive_and_wait();
    writer.join();
    reader.join();
    EXPECT_TRUE(seen.empty());
}

// Of several threads racing to take one entry, exactly one wins.
TEST(QueueEntryThreads, onlyOneThreadTakesAnEntry) {
    const auto entry = QueueEntry::entryWithPath("/missing.flac");
    entry->setStatus(QueueEntryStatusDecoded);
    constexpr int contenders = 4;
    std::barrier start(contenders);
    std::atomic<int> winners = 0;
    std::vector<std::thread> threads;
    for (int index = 0; index < contenders; ++index) {
        threads.emplace_back([&] {
            start.arrive_and_wait();
            if (entry->exchangeStatus(QueueEntryStatusDecoded, QueueEntryStatusEncoding)) {
                ++winners;
            }
        });
    }
    for (auto& thread : threads) {
        thread.join();
    }
    EXPECT_EQ(winners, 1);
}

} // namespace
} // namespace decant
