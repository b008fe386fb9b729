#include "queue/CueSheetFinder.h"

#include "queue/FLACHandles.h"
#include "queue/FLACMetadata.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>

#include <algorithm>
#include <ctime>
#include <mutex>
#include <sys/stat.h>

namespace decant {
namespace {

// The block numbers its lead-out 170 on a CD, 255 otherwise.
bool isLeadOut(const FLAC__StreamMetadata_CueSheet_Track& track) {
    return track.number == 170 || track.number == 255;
}

std::optional<int64_t> indexPosition(const FLAC__StreamMetadata_CueSheet_Track& track,
                                     unsigned number) {
    for (unsigned index = 0; index < track.num_indices; ++index) {
        if (track.indices[index].number == number) {
            return int64_t(track.offset + track.indices[index].offset);
        }
    }
    return std::nullopt;
}

std::optional<CueSheet> sheetFromBlock(const QByteArray& flacPath) {
    FLAC__StreamMetadata* found = nullptr;
    if (!FLAC__metadata_get_cuesheet(flacPath.constData(), &found)) {
        return std::nullopt;
    }
    const FLACBlock block(found);
    const FLAC__StreamMetadata_CueSheet& cue = block->data.cue_sheet;
    CueSheet sheet;
    sheet.positionsInSamples = true;
    sheet.catalog = QString::fromLatin1(cue.media_catalog_number).trimmed();
    for (unsigned index = 0; index < cue.num_tracks; ++index) {
        const FLAC__StreamMetadata_CueSheet_Track& track = cue.tracks[index];
        if (!isLeadOut(track)) {
            CueTrack& read = sheet.tracks.emplace_back();
            read.number = track.number;
            read.isrc = QString::fromLatin1(track.isrc).trimmed();
            read.pregap = indexPosition(track, 0);
            read.start = indexPosition(track, 1);
        }
    }
    if (sheet.tracks.isEmpty()) {
        return std::nullopt;
    }
    return sheet;
}

std::optional<QByteArray> sheetComment(const QStringList& entries) {
    static const QString name = QStringLiteral("CUESHEET=");
    for (const QString& entry : entries) {
        if (entry.startsWith(name, Qt::CaseInsensitive)) {
            return entry.mid(name.size()).toUtf8();
        }
    }
    return std::nullopt;
}

QStringList listCueFiles(const QByteArray& folder) {
    QDir dir(QFile::decodeName(folder));
    dir.setNameFilters({QStringLiteral("*.cue")});
    dir.setFilter(QDir::Files | QDir::Hidden);
    dir.setSorting(QDir::Name);
    QStringList paths;
    for (const QString& name : dir.entryList()) {
        paths.append(dir.filePath(name));
    }
    return paths;
}

// A folder of 20,000 FLAC files would otherwise be listed 20,000 times, once
// for each file's sheet. A listing is kept while the folder's change time
// stays: adding, removing or renaming a file changes it. The sheets
// themselves are read afresh each time; few folders hold any.
class CueFolderListings {
public:
    QStringList cueFiles(const QByteArray& folder) {
        struct stat info {};
        if (::stat(folder.constData(), &info) != 0) {
            return {};
        }
        const Stamp stamp{info.st_ctim.tv_sec, info.st_ctim.tv_nsec, info.st_ino};
        std::lock_guard lock(lock_);
        if (const auto known = listings_.constFind(folder);
            known != listings_.cend() && known->stamp == stamp) {
            return known->cueFiles;
        }
        QStringList cueFiles = listCueFiles(folder);
        // A folder changed within the file system's clock tick could change
        // again without its time changing: such a listing is not kept.
        if (::time(nullptr) - stamp.seconds >= 2) {
            if (listings_.size() >= maximumFolders) {
                listings_.clear();
            }
            listings_.insert(folder, {stamp, cueFiles});
        }
        return cueFiles;
    }

private:
    static constexpr qsizetype maximumFolders = 4096;
    struct Stamp {
        time_t seconds = 0;
        long nanoseconds = 0;
        ino_t inode = 0;
        friend bool operator==(const Stamp&, const Stamp&) = default;
    };
    struct Listing {
        Stamp stamp;
        QStringList cueFiles;
    };
    std::mutex lock_;
    QHash<QByteArray, Listing> listings_;
};

QStringList cueFilesInFolder(const QByteArray& folder) {
    static CueFolderListings listings;
    return listings.cueFiles(folder);
}

bool namesFile(const CueSheet& sheet, const QString& fileName) {
    return std::any_of(sheet.tracks.cbegin(), sheet.tracks.cend(), [&](const CueTrack& track) {
        return cueFileNameMatches(track.fileName, fileName);
    });
}

QByteArray folderOf(const QByteArray& path) {
    const qsizetype slash = path.lastIndexOf('/');
    return slash < 0 ? QByteArray(".") : slash == 0 ? QByteArray("/") : path.left(slash);
}

QString fileNameOf(const QByteArray& path) {
    return QFile::decodeName(path.mid(path.lastIndexOf('/') + 1));
}

void lookBeside(const QByteArray& flacPath, CueSheetSearch& search) {
    const QString fileName = fileNameOf(flacPath);
    for (const QString& cuePath : cueFilesInFolder(folderOf(flacPath))) {
        const QByteArray path = QFile::encodeName(cuePath);
        const std::optional<QByteArray> bytes = readCueSheetFile(path);
        CueResult<CueSheet> sheet = bytes ? parseCueSheet(*bytes) : CueResult<CueSheet>{};
        if (sheet.value && namesFile(*sheet.value, fileName)) {
            search.found = FoundCueSheet{std::move(*sheet.value), CueSheetOrigin::BesideFile, path};
            return;
        }
        // Which file a sheet that cannot be read names is unknown; one named
        // after the FLAC file is taken to be its sheet.
        if (!sheet.value && cueFileNameMatches(cuePath, fileName)) {
            search.reason = bytes ? sheet.reason : QString();
        }
    }
}

void lookInside(const QByteArray& flacPath, const FLACMetadata& metadata, CueSheetSearch& search) {
    if (!metadata.format) {
        return;
    }
    if (const auto text = sheetComment(metadata.commentEntries.value_or(QStringList()))) {
        CueResult<CueSheet> sheet = parseCueSheet(*text);
        if (sheet.value) {
            search.found =
                FoundCueSheet{std::move(*sheet.value), CueSheetOrigin::CommentInFile, {}};
            return;
        }
        search.reason = sheet.reason;
    }
    if (std::optional<CueSheet> sheet = sheetFromBlock(flacPath)) {
        search.found = FoundCueSheet{std::move(*sheet), CueSheetOrigin::BlockInFile, {}};
    }
}

} // namespace

CueSheetSearch findCueSheet(const QByteArray& flacPath) {
    return findCueSheet(flacPath, readFLACMetadata(flacPath));
}

CueSheetSearch findCueSheet(const QByteArray& flacPath, const FLACMetadata& metadata) {
    CueSheetSearch search;
    lookBeside(flacPath, search);
    if (!search.found) {
        lookInside(flacPath, metadata, search);
    }
    if (search.found) {
        search.reason.clear();
    }
    return search;
}

CueResult<QList<QByteArray>> flacFilesOfCueSheet(const QByteArray& cuePath) {
    const std::optional<QByteArray> bytes = readCueSheetFile(cuePath);
    if (!bytes) {
        return CueResult<QList<QByteArray>>::refused(
            QCoreApplication::translate("decant::CueSheet", "The CUE sheet cannot be read."));
    }
    CueResult<CueSheet> sheet = parseCueSheet(*bytes);
    if (!sheet.value) {
        return CueResult<QList<QByteArray>>::refused(sheet.reason);
    }
    QDir dir(QFile::decodeName(folderOf(cuePath)));
    const QStringList flacFiles =
        dir.entryList({QStringLiteral("*.flac")}, QDir::Files | QDir::Hidden, QDir::Name);
    QList<QByteArray> covered;
    for (const CueTrack& track : sheet.value->tracks) {
        for (const QString& name : flacFiles) {
            const QByteArray path = QFile::encodeName(dir.filePath(name));
            if (cueFileNameMatches(track.fileName, name) && !covered.contains(path)) {
                covered.append(path);
            }
        }
    }
    return {std::move(covered), {}};
}

std::optional<QByteArray> readCueSheetFile(const QByteArray& path) {
    QFile file(QFile::decodeName(path));
    if (!QFileInfo(file).isFile() || !file.open(QIODevice::ReadOnly)) {
        return std::nullopt;
    }
    QByteArray bytes = file.read(cueMaximumSheetBytes + 1);
    if (file.error() != QFileDevice::NoError) {
        return std::nullopt;
    }
    return bytes;
}

} // namespace decant
