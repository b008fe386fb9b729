#pragma once

#include "cli/Console.h"
#include "platform/Prompt.h"

#include <optional>

namespace decant {

// Nobody is there to ask: the store command's question is answered with the
// address given on the command line, and its long read is announced on the
// console instead of a busy cursor.
class ConsolePrompt final : public Prompt {
public:
    ConsolePrompt(Console& console, std::optional<QString> answer);

    std::optional<QString> runModal(const PromptText& text) override;
    void beginBusy(const QString& message) override;
    void endBusy() override {}

private:
    Console& console_;
    const std::optional<QString> answer_;
};

} // namespace decant
