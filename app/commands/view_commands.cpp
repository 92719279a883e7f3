#include "view_commands.h"

#include <string>

#include "language.h"
#include "user_settings_store.h"

void ToggleUpperLayer(CommandContext& context) {
  LoadScreenDocument& document = context.session.document();
  document.SetLayers(!document.viewTop, document.viewBottom);
}

void ToggleLowerLayer(CommandContext& context) {
  LoadScreenDocument& document = context.session.document();
  document.SetLayers(document.viewTop, !document.viewBottom);
}

void ZoomIn(CommandContext& context) { context.view.SetZoom(context.view.Zoom() + 1); }
void ZoomOut(CommandContext& context) { context.view.SetZoom(context.view.Zoom() - 1); }
void ActualSize(CommandContext& context) { context.view.SetZoom(1); }

void ToggleStatusBar(CommandContext& context) { context.frame.ShowStatusBar(!context.frame.StatusBarShown()); }

void TogglePreview(CommandContext& context) { context.view.SetPreview(!context.view.PreviewOn()); }

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
