#pragma once

#include "itunes/LibraryCatalogue.h"

#include <QMainWindow>
#include <QPointer>
#include <QThreadPool>

class QAction;
class QLabel;
class QLineEdit;
class QTableView;

namespace decant {

class LibraryCheckDialog;
class LibraryFilter;
class LibraryTableModel;

// Window > Library: the library's tracks in a table that sorts by any
// column and filters as the user types, with Show in File Manager and Move
// to Trash for the selected track, and Check Library. The tracks are read on a thread of its
// own, read-only, so that the window opens at once and an import may go on
// writing. Main thread, but for that read.
class LibraryWindow final : public QMainWindow {
    Q_OBJECT

public:
    explicit LibraryWindow(LibraryCatalogue catalogue, QWidget* parent = nullptr);
    ~LibraryWindow() override;

    // Reads the tracks again; a read under way is followed by one more.
    void reload();
    // Whether a read is under way.
    bool isLoading() const { return loading_; }
    // What the line under the table says: the count, or why there is none.
    QString statusText() const;
    QTableView* table() const { return table_; }
    // The Check Library dialog while it is open.
    LibraryCheckDialog* checkDialog() const;
    QLineEdit* searchField() const { return search_; }

signals:
    // A read has been shown.
    void loaded();

private:
    void buildActions();
    void showReading(const CatalogueReading& reading);
    void fitColumns();
    void showCount();
    void updateActions();
    // The selected track, or null.
    const CatalogueTrack* selectedTrack() const;
    void showInFileManager();
    void moveToTrash();
    void checkLibrary();

    LibraryCatalogue catalogue_;
    LibraryTableModel* model_ = nullptr;
    LibraryFilter* filter_ = nullptr;
    QTableView* table_ = nullptr;
    QLineEdit* search_ = nullptr;
    QLabel* status_ = nullptr;
    QAction* show_ = nullptr;
    QAction* trash_ = nullptr;
    QAction* check_ = nullptr;
    QPointer<LibraryCheckDialog> checkDialog_;
    bool loading_ = false;
    bool readAgain_ = false;
    // Last, so that it is destroyed first, waiting for a read under way.
    QThreadPool reader_;
};

} // namespace decant
