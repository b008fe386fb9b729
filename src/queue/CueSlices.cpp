#include "queue/CueSlices.h"

#include <QCoreApplication>
#include <QSet>

namespace decant {
namespace {

QString refusal(const char* text) {
    return QCoreApplication::translate("decant::CueSheet", text);
}

CueResult<QList<CueTrack>> tracksOfStream(const CueSheet& sheet, const CueStream& stream) {
    if (!stream.fileName) {
        QSet<QString> names;
        for (const CueTrack& track : sheet.tracks) {
            names.insert(track.fileName);
        }
        if (names.size() > 1) {
            return CueResult<QList<CueTrack>>::refused(refusal(QT_TRANSLATE_NOOP(
                "decant::CueSheet", "The CUE sheet inside the file names several audio files.")));
        }
        return {sheet.tracks, {}};
    }
    QList<CueTrack> tracks;
    for (const CueTrack& track : sheet.tracks) {
        if (cueFileNameMatches(track.fileName, *stream.fileName)) {
            tracks.append(track);
        }
    }
    if (tracks.isEmpty()) {
        return CueResult<QList<CueTrack>>::refused(
            refusal(
                QT_TRANSLATE_NOOP("decant::CueSheet", "The CUE sheet's FILE lines do not name %1."))
                .arg(*stream.fileName));
    }
    return {std::move(tracks), {}};
}

// Nothing for a position that no 64-bit sample count reaches.
std::optional<uint64_t> sampleAt(int64_t position, const CueSheet& sheet, unsigned rate) {
    if (position < 0) {
        return std::nullopt;
    }
    if (sheet.positionsInSamples) {
        return uint64_t(position);
    }
    uint64_t product = 0;
    if (__builtin_mul_overflow(uint64_t(position), uint64_t(rate), &product)) {
        return std::nullopt;
    }
    return product / uint64_t(cueFramesPerSecond);
}

// Why the track cannot follow the one before it (whose INDEX 01 is
// `previousStart`, or nothing for the first), or an empty text.
QString checkOrder(const CueTrack& track, std::optional<int64_t> previousStart) {
    const QString number = QString::number(track.number);
    if (!track.start) {
        return refusal(QT_TRANSLATE_NOOP("decant::CueSheet",
                                         "Track %1 of the CUE sheet has no INDEX 01."))
            .arg(number);
    }
    const bool pregapInOrder = !track.pregap || *track.pregap <= *track.start;
    const bool afterPrevious =
        !previousStart ||
        (*track.start > *previousStart && (!track.pregap || *track.pregap > *previousStart));
    if (!pregapInOrder || !afterPrevious) {
        return refusal(QT_TRANSLATE_NOOP(
                           "decant::CueSheet",
                           "The INDEX times of the CUE sheet do not increase at track %1."))
            .arg(number);
    }
    return {};
}

QString checkTracks(const QList<CueTrack>& tracks, const CueStream& stream) {
    if (tracks.size() > cueMaximumTracks) {
        return refusal(QT_TRANSLATE_NOOP(
            "decant::CueSheet", "The CUE sheet lists more than 99 tracks, more than a CD holds."));
    }
    if (stream.sampleRate == 0 || stream.totalSamples == 0) {
        return refusal(
            QT_TRANSLATE_NOOP("decant::CueSheet",
                              "The FLAC file does not say how long its audio is, so its CUE sheet "
                              "cannot be cut."));
    }
    std::optional<int64_t> previousStart;
    for (const CueTrack& track : tracks) {
        if (QString why = checkOrder(track, previousStart); !why.isEmpty()) {
            return why;
        }
        previousStart = track.start;
    }
    return {};
}

} // namespace

CueResult<QList<CueSlice>> cutCueSheet(const CueSheet& sheet, const CueStream& stream) {
    CueResult<QList<CueTrack>> tracks = tracksOfStream(sheet, stream);
    if (!tracks.value) {
        return CueResult<QList<CueSlice>>::refused(tracks.reason);
    }
    if (QString why = checkTracks(*tracks.value, stream); !why.isEmpty()) {
        return CueResult<QList<CueSlice>>::refused(why);
    }
    QList<CueSlice> slices;
    for (const CueTrack& track : *tracks.value) {
        const std::optional<uint64_t> first = sampleAt(*track.start, sheet, stream.sampleRate);
        if (!first || *first >= stream.totalSamples) {
            return CueResult<QList<CueSlice>>::refused(
                refusal(QT_TRANSLATE_NOOP(
                            "decant::CueSheet",
                            "Track %1 of the CUE sheet starts at or past the end of the audio."))
                    .arg(track.number));
        }
        if (!slices.isEmpty() && slices.last().firstSample >= *first) {
            return CueResult<QList<CueSlice>>::refused(
                refusal(
                    QT_TRANSLATE_NOOP("decant::CueSheet",
                                      "Track %1 of the CUE sheet is too short to hold any audio."))
                    .arg(slices.last().track.number));
        }
        if (!slices.isEmpty()) {
            slices.last().endSample = *first;
        }
        slices.append({track, *first, stream.totalSamples});
    }
    return {std::move(slices), {}};
}

namespace {

void put(CommentsDictionary& comments, const QString& key, const QString& value) {
    if (!value.isEmpty()) {
        comments.insert(key, value);
    }
}

// The tags the sheet gives, a track's own before the disc's.
CommentsDictionary sheetComments(const CueSheet& sheet, const CueTrack& track, int trackTotal) {
    const auto remark = [&](const QString& name) {
        return track.remarks.value(name, sheet.remarks.value(name));
    };
    CommentsDictionary comments;
    put(comments, QStringLiteral("TITLE"), track.title);
    put(comments, QStringLiteral("ARTIST"),
        track.performer.isEmpty() ? sheet.performer : track.performer);
    put(comments, QStringLiteral("ALBUMARTIST"), sheet.performer);
    put(comments, QStringLiteral("COMPOSER"),
        track.songwriter.isEmpty() ? sheet.songwriter : track.songwriter);
    put(comments, QStringLiteral("ISRC"), track.isrc);
    put(comments, QStringLiteral("TRACKNUMBER"), QString::number(track.number));
    put(comments, QStringLiteral("TRACKTOTAL"), QString::number(trackTotal));
    put(comments, QStringLiteral("ALBUM"), sheet.title);
    put(comments, QStringLiteral("BARCODE"), sheet.catalog);
    put(comments, QStringLiteral("DISCTOTAL"), remark(QStringLiteral("TOTALDISCS")));
    for (const char* name : {"DATE", "GENRE", "DISCNUMBER", "COMMENT"}) {
        put(comments, QString::fromLatin1(name), remark(QString::fromLatin1(name)));
    }
    return comments;
}

} // namespace

CommentsDictionary cueSliceComments(const CueSheet& sheet, const CueSlice& slice, int trackTotal,
                                    const CommentsDictionary& fileComments) {
    CommentsDictionary comments = fileComments;
    for (const char* wholeImage : {"TITLE", "TRACKNUMBER", "TRACKTOTAL", "TOTALTRACKS", "ISRC",
                                   "MUSICBRAINZ_TRACKID", "MUSICBRAINZ_RELEASETRACKID",
                                   "REPLAYGAIN_TRACK_GAIN", "REPLAYGAIN_TRACK_PEAK", "CUESHEET"}) {
        comments.remove(QString::fromLatin1(wholeImage));
    }
    const CommentsDictionary fromSheet = sheetComments(sheet, slice.track, trackTotal);
    if (fromSheet.contains(QStringLiteral("DISCTOTAL"))) {
        comments.remove(QStringLiteral("TOTALDISCS"));
    }
    comments.insert(fromSheet);
    return comments;
}

} // namespace decant
