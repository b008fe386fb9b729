#include "app/ActionIcons.h"

#include <QFile>

namespace decant {

QIcon actionIcon(const QString& themeName) {
    QIcon shipped;
    for (const int size : {16, 24, 48}) {
        const QString file = QStringLiteral(":/icons/actions/%1/%2.png").arg(size).arg(themeName);
        if (QFile::exists(file)) {
            shipped.addFile(file, QSize(size, size));
        }
    }
    return QIcon::fromTheme(themeName, shipped);
}

} // namespace decant
