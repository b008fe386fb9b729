#include "RecordingiTunes.h"

#include <QFileInfo>
#include <QSet>

#include <utility>

namespace decant::test {

void RecordedTrack::setValueForKey(const QVariant& value, const QString& key) {
    std::lock_guard lock(mutex_);
    propertySets_.append({key, value});
}

QList<QPair<QString, QVariant>> RecordedTrack::propertySets() const {
    std::lock_guard lock(mutex_);
    return propertySets_;
}

QVariant RecordedTrack::valueForKey(const QString& key) const {
    std::lock_guard lock(mutex_);
    for (auto set = propertySets_.crbegin(); set != propertySets_.crend(); ++set) {
        if (set->first == key) {
            return set->second;
        }
    }
    return {};
}

std::shared_ptr<RecordedTrack> RecordingiTunes::trackNamedAfter(const QUrl& file) {
    return std::make_shared<RecordedTrack>(QFileInfo(file.toLocalFile()).completeBaseName());
}

QList<iTunesTrackPointer> RecordingiTunes::convert(const QList<QUrl>& files) {
    Reply reply;
    {
        std::unique_lock lock(mutex_);
        requests_.append(files);
        reply = reply_;
        if (std::exchange(stopPending_, false)) {
            reasons_.clear();
            for (const QUrl& file : files) {
                reasons_.insert(file, QStringLiteral("stopped"));
            }
            return {};
        }
        if (blocksUntilStopped_) {
            waitForStop(lock);
            return {};
        }
    }
    QList<iTunesTrackPointer> tracks;
    if (reply) {
        tracks = reply(files);
    } else {
        for (const QUrl& file : files) {
            tracks.append(trackNamedAfter(file));
        }
    }
    std::lock_guard lock(mutex_);
    QSet<QString> replied;
    for (const auto& track : tracks) {
        if (auto recorded = std::dynamic_pointer_cast<RecordedTrack>(track)) {
            tracks_.append(recorded);
            replied.insert(recorded->name());
        }
    }
    reasons_.clear();
    for (const QUrl& file : files) {
        if (!replied.contains(QFileInfo(file.toLocalFile()).completeBaseName())) {
            reasons_.insert(file, reasonForFilesLeftOut_);
        }
    }
    return tracks;
}

QStringList RecordingiTunes::writeTracksNow(const QList<iTunesTrackPointer>& tracks) {
    std::function<void()> action;
    {
        std::lock_guard lock(mutex_);
        action = std::exchange(beforeNextWrite_, {});
    }
    if (action) {
        action();
    }
    std::lock_guard lock(mutex_);
    QStringList reasons;
    for (qsizetype index = 0; index < tracks.size(); ++index) {
        reasons.append(writeFailure_);
    }
    return reasons;
}

void RecordingiTunes::setWriteFailure(QString reason) {
    std::lock_guard lock(mutex_);
    writeFailure_ = std::move(reason);
}

QString RecordingiTunes::failureReasonForFile(const QUrl& file) const {
    std::lock_guard lock(mutex_);
    return reasons_.value(file);
}

void RecordingiTunes::setConversionObserver(ConversionObserver observer) {
    std::lock_guard lock(mutex_);
    observer_ = std::move(observer);
}

iTunesApplication::ConversionObserver RecordingiTunes::conversionObserver() const {
    std::lock_guard lock(mutex_);
    return observer_;
}

void RecordingiTunes::setReasonForFilesLeftOut(QString reason) {
    std::lock_guard lock(mutex_);
    reasonForFilesLeftOut_ = std::move(reason);
}

void RecordingiTunes::waitForStop(std::unique_lock<std::mutex>& lock) {
    converting_ = true;
    stopRequested_ = false;
    changed_.notify_all();
    changed_.wait_for(lock, std::chrono::minutes(1), [this] { return stopRequested_; });
    converting_ = false;
}

void RecordingiTunes::stopConverting() {
    std::lock_guard lock(mutex_);
    if (converting_) {
        stopRequested_ = true;
        ++stopRequests_;
        changed_.notify_all();
    } else {
        stopPending_ = true;
    }
}

void RecordingiTunes::withdrawStopRequest() {
    std::lock_guard lock(mutex_);
    stopPending_ = false;
}

void RecordingiTunes::setBeforeNextWrite(std::function<void()> action) {
    std::lock_guard lock(mutex_);
    beforeNextWrite_ = std::move(action);
}

void RecordingiTunes::setBlocksUntilStopped(bool blocks) {
    std::lock_guard lock(mutex_);
    blocksUntilStopped_ = blocks;
}

bool RecordingiTunes::waitUntilConverting(std::chrono::milliseconds timeout) const {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, timeout, [this] { return converting_; });
}

int RecordingiTunes::stopRequests() const {
    std::lock_guard lock(mutex_);
    return stopRequests_;
}

void RecordingiTunes::setReply(Reply reply) {
    std::lock_guard lock(mutex_);
    reply_ = std::move(reply);
}

QList<QList<QUrl>> RecordingiTunes::requests() const {
    std::lock_guard lock(mutex_);
    return requests_;
}

QList<std::shared_ptr<RecordedTrack>> RecordingiTunes::tracks() const {
    std::lock_guard lock(mutex_);
    return tracks_;
}

} // namespace decant::test
