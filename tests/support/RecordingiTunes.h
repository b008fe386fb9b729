#pragma once

#include "itunes/iTunesApplication.h"

#include <QList>
#include <QPair>
#include <QString>
#include <QUrl>
#include <QVariant>

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

    void setReply(Reply reply);
    // Every convert request so far, in order. Safe on any thread.
    QList<QList<QUrl>> requests() const;
    // Tracks handed out so far, in order.
    QList<std::shared_ptr<RecordedTrack>> tracks() const;

    static std::shared_ptr<RecordedTrack> trackNamedAfter(const QUrl& file);

private:
    mutable std::mutex mutex_;
    Reply reply_;
    QList<QList<QUrl>> requests_;
    QList<std::shared_ptr<RecordedTrack>> tracks_;
};

} // namespace decant::test
