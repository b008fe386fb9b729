#include "queue/SourceClaims.h"

#include "platform/RunFolder.h"

#include <QCoreApplication>

namespace decant {

std::optional<QString> SourceClaims::claim(const QueueEntry& entry) {
    const QString name = entry.pathHash();
    std::lock_guard lock(lock_);
    if (held_.contains(name)) {
        return std::nullopt;
    }
    auto claim = std::make_shared<FileLock>(claimSource(name));
    switch (claim->outcome()) {
    case FileLock::Outcome::Held:
        held_.insert(name, std::move(claim));
        return std::nullopt;
    case FileLock::Outcome::Busy:
        return QCoreApplication::translate("decant::SourceClaims",
                                           "another Decant is importing this file");
    case FileLock::Outcome::Failed:
        break;
    }
    return std::nullopt;
}

void SourceClaims::release(const QueueEntry& entry) {
    std::shared_ptr<FileLock> claim;
    {
        std::lock_guard lock(lock_);
        claim = held_.take(entry.pathHash());
    }
    if (claim) {
        claim->removeAndRelease();
    }
}

void SourceClaims::releaseAll() {
    QHash<QString, std::shared_ptr<FileLock>> held;
    {
        std::lock_guard lock(lock_);
        held.swap(held_);
    }
    for (const auto& claim : held) {
        claim->removeAndRelease();
    }
}

} // namespace decant
