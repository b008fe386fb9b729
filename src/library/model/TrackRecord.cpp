#include "library/model/TrackRecord.h"

namespace decant::library {
namespace {

template <typename Value>
Value valueOr(const QMap<QString, PropertyValue>& properties, const QString& name, Value fallback) {
    const auto found = properties.constFind(name);
    if (found == properties.constEnd()) {
        return fallback;
    }
    const auto* value = std::get_if<Value>(&*found);
    return value ? *value : fallback;
}

} // namespace

QString TrackRecord::text(const QString& scriptingName) const {
    return valueOr(properties, scriptingName, QString());
}

qint64 TrackRecord::integer(const QString& scriptingName) const {
    return valueOr(properties, scriptingName, qint64(0));
}

bool TrackRecord::boolean(const QString& scriptingName) const {
    return valueOr(properties, scriptingName, false);
}

bool TrackRecord::untagged() const {
    return !source.isEmpty() && text(QStringLiteral("name")) == source;
}

} // namespace decant::library
