#pragma once

#include "itunes/LibraryCatalogue.h"

#include <QAbstractTableModel>
#include <QSortFilterProxyModel>

namespace decant {

class LibraryCovers;

// The library's tracks as the Library window's table shows them. Main
// thread only.
class LibraryTableModel final : public QAbstractTableModel {
    Q_OBJECT

public:
    enum Column {
        Cover,
        Name,
        Artist,
        Album,
        Track,
        Disc,
        Year,
        Kind,
        Gain,
        Verified,
        ColumnCount
    };

    using QAbstractTableModel::QAbstractTableModel;

    void setTracks(QList<CatalogueTrack> tracks);
    // Where the Cover column's pictures come from; none without it. A
    // picture read later is no change of the data (it sorts and filters
    // nothing): the view is repainted for it (LibraryCovers::picturesRead).
    void setCovers(LibraryCovers* covers);
    // Null for a row the model does not have.
    const CatalogueTrack* trackAt(int row) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    QList<CatalogueTrack> tracks_;
    LibraryCovers* covers_ = nullptr;
};

// Keeps the rows whose name, artist or album holds the search text, in any
// case, and sorts numbers as numbers.
class LibraryFilter final : public QSortFilterProxyModel {
    Q_OBJECT

public:
    using QSortFilterProxyModel::QSortFilterProxyModel;
    void setSearchText(const QString& text);

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;
    // On the tracks' own fields: a sort of tens of thousands of rows makes
    // a million comparisons, too many to build two QVariants for each.
    bool lessThan(const QModelIndex& left, const QModelIndex& right) const override;

private:
    QString searchText_;
};

} // namespace decant
