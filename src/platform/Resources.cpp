#include "platform/Resources.h"

#include <QFile>

namespace decant {

std::optional<QByteArray> resourceData(const QString& name, const QString& type) {
    QFile resource(QStringLiteral(":/%1.%2").arg(name, type));
    if (!resource.open(QIODevice::ReadOnly)) {
        return std::nullopt;
    }
    return resource.readAll();
}

} // namespace decant
