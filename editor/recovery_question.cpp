#include "recovery_question.h"

#include "path_names.h"

Prompt RecoveryQuestion(const std::string& originalPath, const std::string& clock) {
  const TextValue screen = originalPath.empty() ? TextValue("screen", Text::Untitled)
                                                : TextValue("screen", FileNameOfPath(originalPath));
  TextLine text{{Text::RecoveryQuestion, {screen, {"time", clock}}}};
  if (!originalPath.empty()) text.push_back({Text::FileLine, {{"file", originalPath}}});
  text.push_back({Text::RecoveryNoDeletes});
  return Report(std::move(text), PromptIcon::Question);
}
