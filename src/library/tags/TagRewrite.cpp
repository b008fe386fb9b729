#include "library/tags/TagRewrite.h"

#include "library/tags/ArtworkTag.h"
#include "library/tags/TrackTags.h"

#include <QCoreApplication>
#include <QFile>
#include <taglib/fileref.h>

#include <cerrno>

namespace decant::library {

Status rewriteFileTags(const QString& path, const TrackRecord& record,
                       const std::optional<Artwork>& artwork) {
    const QByteArray fileName = QFile::encodeName(path);
    TagLib::FileRef reference(fileName.constData(), false);
    TagLib::File* file = reference.file();
    if (reference.isNull() || !file->isValid()) {
        return Error{
            Error::Kind::Other,
            QCoreApplication::translate("decant::TagRewrite", "TagLib cannot open %1").arg(path)};
    }
    putTrackTags(*file, record);
    if (artwork && !putFrontCover(*file, *artwork)) {
        return Error{Error::Kind::Other, QCoreApplication::translate("decant::TagRewrite",
                                                                     "%1 has no place for artwork")
                                             .arg(path)};
    }
    // TagLib says only that the save failed; its last write left the cause.
    errno = 0;
    if (!file->save()) {
        const bool full = errno == ENOSPC || errno == EDQUOT;
        return Error{
            full ? Error::Kind::DiskFull : Error::Kind::Other,
            QCoreApplication::translate("decant::TagRewrite", "TagLib cannot save %1").arg(path)};
    }
    return {};
}

} // namespace decant::library
