#pragma once

#include "itunes/LibraryInspection.h"

#include <QDialog>
#include <QThreadPool>

#include <atomic>
#include <memory>

class QLabel;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;

namespace decant {

// Library > Check Library…: every file decoded again against its proof and
// the tracks and files checked as decant-library check --verify does, with
// the progress, the findings, and Repair for what it found. The work runs
// on a thread of the dialog's; closing the dialog stops it. Main thread,
// but for that work.
class LibraryCheckDialog final : public QDialog {
    Q_OBJECT

public:
    explicit LibraryCheckDialog(LibraryInspection inspection, QWidget* parent = nullptr);
    ~LibraryCheckDialog() override;

    // Checks, unless a check or repair is under way.
    void startCheck();
    void startRepair();
    bool isWorking() const { return working_; }
    // The findings or repairs shown, one a line.
    QStringList findings() const;
    QString summary() const;

signals:
    // A check or repair has been shown.
    void finished(InspectionReport::Outcome outcome);
    // A repair may have changed the tracks.
    void libraryChanged();

private:
    enum class Work { Check, Repair };
    void start(Work work);
    void showReport(Work work, const InspectionReport& report);
    void showProgress();

    LibraryInspection inspection_;
    QLabel* summary_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QPlainTextEdit* findings_ = nullptr;
    QPushButton* repair_ = nullptr;
    QPushButton* close_ = nullptr;
    bool working_ = false;
    // Written by the work's threads, read by a timer on the main thread.
    struct Counts {
        std::atomic<qsizetype> done = 0;
        std::atomic<qsizetype> total = 0;
        std::atomic<bool> stop = false;
    };
    std::shared_ptr<Counts> counts_ = std::make_shared<Counts>();
    // Last, so that it is destroyed first, waiting for the work it stopped.
    QThreadPool worker_;
};

} // namespace decant
