#pragma once

#include <QString>

#include <functional>
#include <optional>

namespace decant {

// The texts of a modal question with one line of text as its answer.
struct PromptText {
    QString message;
    QString informativeText;
    QString defaultButton;
    QString alternateButton;
};

// Asks the user for a line of text, and shows that a long step is under way.
// The window shows a dialog; tests and the command line answer it themselves.
// Main thread only.
class Prompt {
public:
    virtual ~Prompt() = default;

    // Shows the question modally with an empty one-line field. The field's
    // text, untrimmed, when closed with the default button; nothing otherwise.
    virtual std::optional<QString> runModal(const PromptText& text) = 0;

    // From begin to end the application shows it is busy and takes no input,
    // while it keeps painting.
    virtual void beginBusy(const QString& message) = 0;
    // The same, with a way for the user to cancel the step: `cancel` is
    // called, on the main thread while the step runs, when they do. Where
    // the user cannot cancel, plain busy.
    virtual void beginCancellableBusy(const QString& message, std::function<void()> cancel) {
        static_cast<void>(cancel);
        beginBusy(message);
    }
    virtual void endBusy() = 0;
};

} // namespace decant
