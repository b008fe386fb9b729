#pragma once

#include "platform/Prompt.h"

#include <QCoreApplication>
#include <QPointer>
#include <QProgressDialog>
#include <QWidget>

#include <memory>

namespace decant {

// Asks with a small modal dialog over the window, and shows a busy
// indicator that keeps the window painted while it takes no input.
class PromptDialog final : public Prompt {
    Q_DECLARE_TR_FUNCTIONS(PromptDialog)

public:
    explicit PromptDialog(QWidget* window);
    ~PromptDialog() override;

    std::optional<QString> runModal(const PromptText& text) override;
    void beginBusy(const QString& message) override;
    // A Cancel button on the busy indicator calls `cancel`.
    void beginCancellableBusy(const QString& message, std::function<void()> cancel) override;
    void endBusy() override;

private:
    QPointer<QWidget> window_;
    std::unique_ptr<QProgressDialog> busy_;
};

} // namespace decant
