#include "app/PromptDialog.h"

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace decant {

PromptDialog::PromptDialog(QWidget* window)
    : window_(window) {}

PromptDialog::~PromptDialog() = default;

std::optional<QString> PromptDialog::runModal(const PromptText& text) {
    QDialog dialog(window_);
    dialog.setWindowTitle(QApplication::applicationName());
    auto* layout = new QVBoxLayout(&dialog);

    auto* message = new QLabel(text.message, &dialog);
    QFont bold = message->font();
    bold.setBold(true);
    message->setFont(bold);
    layout->addWidget(message);
    layout->addWidget(new QLabel(text.informativeText, &dialog));

    auto* field = new QLineEdit(&dialog);
    field->setFixedSize(300, 24);
    layout->addWidget(field);

    auto* buttons = new QDialogButtonBox(&dialog);
    QPushButton* accept = buttons->addButton(text.defaultButton, QDialogButtonBox::AcceptRole);
    buttons->addButton(text.alternateButton, QDialogButtonBox::RejectRole);
    accept->setDefault(true);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return field->text();
}

void PromptDialog::beginBusy(const QString& message) {
    beginCancellableBusy(message, {});
}

void PromptDialog::beginCancellableBusy(const QString& message, std::function<void()> cancel) {
    const QString cancelText = cancel ? tr("Cancel") : QString();
    busy_ = std::make_unique<QProgressDialog>(message, cancelText, 0, 0, window_);
    busy_->setWindowModality(Qt::WindowModal);
    busy_->setMinimumDuration(0);
    if (cancel) {
        QObject::connect(busy_.get(), &QProgressDialog::canceled, busy_.get(), std::move(cancel));
    } else {
        busy_->setCancelButton(nullptr);
    }
    busy_->show();
    QApplication::setOverrideCursor(Qt::BusyCursor);
}

void PromptDialog::endBusy() {
    if (busy_) {
        busy_.reset();
        QApplication::restoreOverrideCursor();
    }
}

} // namespace decant
