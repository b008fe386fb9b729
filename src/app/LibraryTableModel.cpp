#include "app/LibraryTableModel.h"

#include "app/LibraryCovers.h"

#include <QLocale>

namespace decant {
namespace {

QVariant displayed(const CatalogueTrack& track, int column) {
    const auto number = [](int value) { return value > 0 ? QVariant(value) : QVariant(); };
    switch (column) {
    case LibraryTableModel::Name:
        return track.name;
    case LibraryTableModel::Artist:
        return track.artist;
    case LibraryTableModel::Album:
        return track.album;
    case LibraryTableModel::Track:
        return number(track.trackNumber);
    case LibraryTableModel::Disc:
        return number(track.discNumber);
    case LibraryTableModel::Year:
        return number(track.year);
    case LibraryTableModel::Kind:
        return track.kind;
    case LibraryTableModel::Gain:
        return track.gain
                   ? LibraryTableModel::tr("%1 dB").arg(QLocale().toString(*track.gain, 'f', 2))
                   : QVariant();
    case LibraryTableModel::Verified:
        return track.verified;
    }
    return {};
}

// Negative, zero or positive as `a` comes before, with or after `b`.
int compareTracks(const CatalogueTrack& a, const CatalogueTrack& b, int column) {
    const auto text = [](const QString& left, const QString& right) {
        return left.compare(right, Qt::CaseInsensitive);
    };
    switch (column) {
    case LibraryTableModel::Name:
        return text(a.name, b.name);
    case LibraryTableModel::Artist:
        return text(a.artist, b.artist);
    case LibraryTableModel::Album:
        return text(a.album, b.album);
    case LibraryTableModel::Track:
        return a.trackNumber - b.trackNumber;
    case LibraryTableModel::Disc:
        return a.discNumber - b.discNumber;
    case LibraryTableModel::Year:
        return a.year - b.year;
    case LibraryTableModel::Kind:
        return text(a.kind, b.kind);
    case LibraryTableModel::Gain: {
        const double left = a.gain.value_or(-1000.0);
        const double right = b.gain.value_or(-1000.0);
        return left < right ? -1 : (left > right ? 1 : 0);
    }
    case LibraryTableModel::Verified:
        return text(a.verified, b.verified);
    }
    return 0;
}

} // namespace

void LibraryTableModel::setTracks(QList<CatalogueTrack> tracks) {
    beginResetModel();
    tracks_ = std::move(tracks);
    endResetModel();
}

void LibraryTableModel::setCovers(LibraryCovers* covers) {
    covers_ = covers;
}

const CatalogueTrack* LibraryTableModel::trackAt(int row) const {
    return row >= 0 && row < tracks_.size() ? &tracks_[row] : nullptr;
}

int LibraryTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(tracks_.size());
}

int LibraryTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant LibraryTableModel::data(const QModelIndex& index, int role) const {
    const CatalogueTrack* track = trackAt(index.row());
    if (!track) {
        return {};
    }
    switch (role) {
    case Qt::DisplayRole:
        return displayed(*track, index.column());
    case Qt::DecorationRole:
        if (index.column() == Cover && covers_) {
            const QPixmap picture = covers_->picture(track->cover);
            return picture.isNull() ? QVariant() : QVariant(picture);
        }
        return {};
    case Qt::ToolTipRole:
        return index.column() == Verified ? QVariant(track->verified) : QVariant(track->file);
    default:
        return {};
    }
}

QVariant LibraryTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    const bool named =
        role == Qt::DisplayRole || role == Qt::ToolTipRole || role == Qt::AccessibleTextRole;
    if (orientation != Qt::Horizontal || !named || section < 0 || section >= ColumnCount) {
        return QAbstractTableModel::headerData(section, orientation, role);
    }
    // The cover's column is too narrow for its title: it is told, not shown.
    if (section == Cover && role == Qt::DisplayRole) {
        return QString();
    }
    static const char* const titles[ColumnCount] = {
        QT_TR_NOOP("Cover"), QT_TR_NOOP("Name"),    QT_TR_NOOP("Artist"), QT_TR_NOOP("Album"),
        QT_TR_NOOP("Track"), QT_TR_NOOP("Disc"),    QT_TR_NOOP("Year"),   QT_TR_NOOP("Kind"),
        QT_TR_NOOP("Gain"),  QT_TR_NOOP("Verified")};
    return tr(titles[section]);
}

void LibraryFilter::setSearchText(const QString& text) {
    searchText_ = text.trimmed();
    invalidateRowsFilter();
}

bool LibraryFilter::lessThan(const QModelIndex& left, const QModelIndex& right) const {
    const auto* model = static_cast<const LibraryTableModel*>(sourceModel());
    const CatalogueTrack* a = model->trackAt(left.row());
    const CatalogueTrack* b = model->trackAt(right.row());
    return a && b && compareTracks(*a, *b, left.column()) < 0;
}

bool LibraryFilter::filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const {
    Q_UNUSED(sourceParent);
    if (searchText_.isEmpty()) {
        return true;
    }
    const auto* model = static_cast<const LibraryTableModel*>(sourceModel());
    const CatalogueTrack* track = model->trackAt(sourceRow);
    if (!track) {
        return false;
    }
    for (const QString* field : {&track->name, &track->artist, &track->album}) {
        if (field->contains(searchText_, Qt::CaseInsensitive)) {
            return true;
        }
    }
    return false;
}

} // namespace decant
