#include "library/tags/GaplessTag.h"

#include <QCoreApplication>
#include <QFile>
#include <taglib/mp4file.h>

namespace decant::library {
namespace {

QString hexadecimal(int64_t value, int digits) {
    return QStringLiteral(" %1").arg(value, digits, 16, QChar(u'0')).toUpper();
}

} // namespace

QString iTunSMPB(const SampleSpan& span) {
    QString text = hexadecimal(0, 8) + hexadecimal(span.priming, 8) + hexadecimal(span.padding, 8) +
                   hexadecimal(span.length, 16);
    for (int field = 0; field < 8; ++field) {
        text += hexadecimal(0, 8);
    }
    return text;
}

bool writeGaplessTag(const QString& path, const SampleSpan& span, QString* error) {
    TagLib::MP4::File file(QFile::encodeName(path).constData(), false);
    if (!file.isValid() || !file.tag()) {
        *error =
            QCoreApplication::translate("decant::TagRewrite", "TagLib cannot open %1").arg(path);
        return false;
    }
    const TagLib::String text(iTunSMPB(span).toStdString(), TagLib::String::UTF8);
    file.tag()->setItem("----:com.apple.iTunes:iTunSMPB", TagLib::StringList(text));
    if (!file.save()) {
        *error =
            QCoreApplication::translate("decant::TagRewrite", "TagLib cannot save %1").arg(path);
        return false;
    }
    return true;
}

} // namespace decant::library
