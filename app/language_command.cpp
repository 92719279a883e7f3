#include "language_command.h"

#include <windows.h>

#include <string>

#include "app_state.h"
#include "export_preview_view.h"
#include "main_window.h"
#include "ui_language.h"
#include "ui_texts.h"
#include "user_settings_store.h"

void SwitchLanguageCommand() {
  std::string reason;
  const bool saved = SaveLanguageChoice(OtherLanguage(UiLanguage()), reason);
  ReplaceMainMenu();
  SetStatusText(StatusPartHint, Text(UiText::KeyHint));
  RefreshExportPreviewStatus();
  if (saved) return;
  // The switch holds for this run; only the next start will not know of it.
  const std::string text = std::string(Text(UiText::LanguageSaveFailed)) + "\n\n" + UserSettingsPath() + ":\n" + reason;
  MessageBoxA(App().mainWindow, text.c_str(), kProgramCaption, MB_ICONWARNING);
}
