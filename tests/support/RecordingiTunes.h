#pragma once

#include "itunes/iTunesApplication.h"

#include <QHash>
#include <QList>
#include <QPair>
#include <QString>
#include <QUrl>
#include <QVariant>

#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>

namespace decant::test {

// A track that remembers every property set on it.
class RecordedTrack final : public iTunesTrack {
public:
    explicit RecordedTrack(QString name)
        : name_(std::move(name)) {}

    QString name() const override { return name_; }
    void setValueForKey(const QVariant& value, const QString& key) override;

    QList<QPair<QString, QVariant>> propertySets() const;
    // The last value set for the property, or an invalid QVariant.
    QVariant valueForKey(const QString& key) const;

private:
    QString name_;
    mutable std::mutex mutex_;
    QList<QPair<QString, QVariant>> propertySets_;
};

// A music library whose replies a test scripts. By default it replies with
// one track per file, named after the file without its extension.
class RecordingiTunes final : public iTunesApplication {
public:
    using Reply = std::function<QList<iTunesTrackPointer>(const QList<QUrl>&)>;

    QList<iTunesTrackPointer> convert(const QList<QUrl>& files) override;
    // Heard by the convert under way or, as the library hears it, by the
    // next one, which then converts nothing unless the stop is withdrawn.
    void stopConverting() override;
    void withdrawStopRequest() override;
    QString failureReasonForFile(const QUrl& file) const override;
    // Every track gets the reason set by setWriteFailure.
    QStringList writeTracksNow(const QList<iTunesTrackPointer>& tracks) override;
    // Kept for the reply to call, as the library calls it from its threads.
    void setConversionObserver(ConversionObserver observer) override;
    ConversionObserver conversionObserver() const;

    // The reason the library gives for each file of a convert that its
    // reply has no track for; none by default.
    void setReasonForFilesLeftOut(QString reason);
    // Why every track's file cannot be written from now on; empty (the
    // default) for files that are.
    void setWriteFailure(QString reason);

    void setReply(Reply reply);
    // From now on a convert waits until it is asked to stop (or a minute has
    // passed) and then replies with no track, as a library that abandons the
    // batch does.
    void setBlocksUntilStopped(bool blocks);
    // Runs `action` on the next writeTracksNow, once, before it writes.
    void setBeforeNextWrite(std::function<void()> action);
    // True once a convert is under way, within the time.
    bool waitUntilConverting(std::chrono::milliseconds timeout) const;
    // How often a convert under way was asked to stop.
    int stopRequests() const;
    // Every convert request so far, in order. Safe on any thread.
    QList<QList<QUrl>> requests() const;
    // Tracks handed out so far, in order.
    QList<std::shared_ptr<RecordedTrack>> tracks() const;

    static std::shared_ptr<RecordedTrack> trackNamedAfter(const QUrl& file);

private:
    void waitForStop(std::unique_lock<std::mutex>& lock);

    mutable std::mutex mutex_;
    mutable std::condition_variable changed_;
    Reply reply_;
    bool blocksUntilStopped_ = false;
    bool converting_ = false;
    bool stopRequested_ = false;
    bool stopPending_ = false;
    std::function<void()> beforeNextWrite_;
    int stopRequests_ = 0;
    QList<QList<QUrl>> requests_;
    QList<std::shared_ptr<RecordedTrack>> tracks_;
    ConversionObserver observer_;
    QString reasonForFilesLeftOut_;
    QString writeFailure_;
    QHash<QUrl, QString> reasons_;
};

} // namespace decant::test
