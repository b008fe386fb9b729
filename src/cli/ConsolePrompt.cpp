#include "cli/ConsolePrompt.h"

namespace decant {

ConsolePrompt::ConsolePrompt(Console& console, std::optional<QString> answer)
    : console_(console)
    , answer_(std::move(answer)) {}

std::optional<QString> ConsolePrompt::runModal(const PromptText&) {
    return answer_;
}

void ConsolePrompt::beginBusy(const QString& message) {
    console_.printLine(message);
}

} // namespace decant
