#include "view_commands.h"

#include <string>

#include "language.h"
#include "user_settings_store.h"

void ToggleStatusBar(CommandContext& context) { context.frame.ShowStatusBar(!context.frame.StatusBarShown()); }

void SwitchLanguage(CommandContext& context) {
  std::string reason;
  const bool saved = SaveLanguageChoice(OtherLanguage(UiLanguage()), reason);
  // A report of what was written goes with the old language.
  context.status.EndReport();
  context.frame.LanguageChanged();
  if (saved) return;
  // The switch holds for this run; only the next start will not know of it.
  context.prompts.Tell(Report({{Text::LanguageSaveFailed},
                               {Text::FileLine, {{"file", UserSettingsPath()}}},
                               {Text::ReasonAfterFile, {{"reason", reason}}}},
                              PromptIcon::Warning));
}
