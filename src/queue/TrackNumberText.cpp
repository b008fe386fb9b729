#include "queue/TrackNumberText.h"

#include <QCoreApplication>

namespace decant {

QString trackNumberText(const CommentsDictionary& comments) {
    const qint64 number = integerValue(comments.value(QStringLiteral("TRACKNUMBER")));
    const qint64 total = integerValue(comments.value(QStringLiteral("TRACKTOTAL")));
    if (total < number) {
        return QString::number(number);
    }
    return QCoreApplication::translate("decant::TrackNumberText", "%1 of %2")
        .arg(number)
        .arg(total);
}

} // namespace decant
