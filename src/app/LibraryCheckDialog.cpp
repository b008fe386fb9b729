#include "app/LibraryCheckDialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace decant {

LibraryCheckDialog::LibraryCheckDialog(LibraryInspection inspection, QWidget* parent)
    : QDialog(parent)
    , inspection_(std::move(inspection)) {
    setWindowTitle(tr("Check Library"));
    setObjectName(QStringLiteral("libraryCheckDialog"));
    summary_ = new QLabel(this);
    summary_->setWordWrap(true);
    summary_->setAccessibleName(tr("Check result"));
    progress_ = new QProgressBar(this);
    progress_->setAccessibleName(tr("Check progress"));
    findings_ = new QPlainTextEdit(this);
    findings_->setReadOnly(true);
    findings_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    findings_->setAccessibleName(tr("Findings"));

    auto* buttons = new QDialogButtonBox(this);
    repair_ = buttons->addButton(tr("&Repair"), QDialogButtonBox::ActionRole);
    repair_->setObjectName(QStringLiteral("repairButton"));
    repair_->setAccessibleName(tr("Repair the library"));
    repair_->setEnabled(false);
    close_ = buttons->addButton(QDialogButtonBox::Close);
    connect(repair_, &QPushButton::clicked, this, &LibraryCheckDialog::startRepair);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(summary_);
    layout->addWidget(progress_);
    layout->addWidget(findings_);
    layout->addWidget(buttons);
    resize(fontMetrics().averageCharWidth() * 100, fontMetrics().height() * 22);

    auto* timer = new QTimer(this);
    connect(timer, &QTimer::timeout, this, &LibraryCheckDialog::showProgress);
    timer->start(100);
}

LibraryCheckDialog::~LibraryCheckDialog() {
    counts_->stop.store(true);
}

void LibraryCheckDialog::startCheck() {
    start(Work::Check);
}

void LibraryCheckDialog::startRepair() {
    start(Work::Repair);
}

void LibraryCheckDialog::start(Work work) {
    if (working_) {
        return;
    }
    working_ = true;
    repair_->setEnabled(false);
    counts_->done.store(0);
    counts_->total.store(0);
    summary_->setText(work == Work::Check
                          ? tr("Decoding every file again to compare it with its proof…")
                          : tr("Repairing, then decoding every file again…"));
    progress_->setRange(0, 0);
    // The inspection is a value: the work owns its copy. Its answer, queued
    // to the dialog, is dropped with it.
    worker_.start([this, work, inspection = inspection_, counts = counts_] {
        const auto progress = [counts](qsizetype done, qsizetype total) {
            counts->done.store(done);
            counts->total.store(total);
            return !counts->stop.load();
        };
        InspectionReport report =
            work == Work::Check ? inspection.check(progress) : inspection.repair(progress);
        QMetaObject::invokeMethod(
            this, [this, work, report = std::move(report)] { showReport(work, report); },
            Qt::QueuedConnection);
    });
}

void LibraryCheckDialog::showProgress() {
    const qsizetype total = counts_->total.load();
    if (!working_ || total == 0) {
        return;
    }
    progress_->setRange(0, int(total));
    progress_->setValue(int(counts_->done.load()));
}

void LibraryCheckDialog::showReport(Work work, const InspectionReport& report) {
    working_ = false;
    progress_->setRange(0, 1);
    progress_->setValue(1);
    QStringList lines = report.lines;
    // The tool's last line sums it up; the window shows it above the rest.
    const QString last = lines.isEmpty() ? QString() : lines.takeLast();
    switch (report.outcome) {
    case InspectionReport::Outcome::Sound:
        summary_->setText(last);
        break;
    case InspectionReport::Outcome::ProblemsFound:
        summary_->setText(
            work == Work::Check ? tr("%n problem(s) found.", nullptr, int(lines.size())) : last);
        break;
    case InspectionReport::Outcome::Failed:
        summary_->setText(tr("The library could not be checked: %1").arg(last));
        break;
    }
    if (report.outcome == InspectionReport::Outcome::Sound ||
        report.outcome == InspectionReport::Outcome::ProblemsFound) {
        findings_->setPlainText(lines.join(QLatin1Char('\n')));
    }
    repair_->setEnabled(work == Work::Check &&
                        report.outcome == InspectionReport::Outcome::ProblemsFound);
    if (work == Work::Repair) {
        emit libraryChanged();
    }
    emit finished(report.outcome);
}

QStringList LibraryCheckDialog::findings() const {
    return findings_->toPlainText().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

QString LibraryCheckDialog::summary() const {
    return summary_->text();
}

} // namespace decant
