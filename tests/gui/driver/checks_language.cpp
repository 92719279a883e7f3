// The interface language: item 40060 at the end of the View popup names the other language
// and switches to it at once (menu captions, the key hint, the next dialog), keeping every
// check mark and enabled state; the choice is written to the user's settings file and the
// next start comes up in it; without a choice (or with a damaged file) the user's system
// language decides.
#include <windows.h>

#include <cwchar>
#include <string>

#include "remote_controls.h"
#include "resource.h"
#include "run_language.h"
#include "scenario_support.h"
#include "scenarios.h"
#include "wide_text.h"
#include "window_search.h"

namespace {

DriverLanguage Other(DriverLanguage language) {
  return language == DriverLanguage::English ? DriverLanguage::Chinese : DriverLanguage::English;
}

std::string SettingsText(DriverLanguage language) {
  return std::string("[Interface]\r\nLanguage=") + (language == DriverLanguage::English ? "English" : "Chinese") +
         "\r\n";
}

bool Start(const DriverContext& context, EditorSession& session, const std::string& name) {
  std::string error;
  if (session.Start(context.packageDir, error)) return true;
  context.log.Fail(name, "the editor does not start: " + error);
  return false;
}

void ExpectLanguageItem(const DriverContext& context, const EditorSession& session, const std::string& name) {
  MenuItemState item, popup;
  const bool read = session.MenuItem(IDM_LANGUAGE, item) && session.MenuPopup(2, popup);
  context.log.Expect(read && item.caption == texts::kLanguageItem, name,
                     read ? "the item reads " + Quoted(item.caption) : "no item 40060");
}

// Opens About and closes it: its caption is that of the language now expected.
void ExpectDialogLanguage(const DriverContext& context, EditorSession& session, const std::string& name) {
  session.PostCommand(IDM_ABOUT);
  HWND dialog = session.WaitForDialog(texts::kAboutCaption);
  context.log.Expect(dialog != nullptr, name, "no dialog captioned " + Quoted(std::wstring(texts::kAboutCaption)));
  if (!dialog) return;
  PostMessageW(GetDlgItem(dialog, IDCANCEL), BM_CLICK, 0, 0);
  WaitForWindowGone(dialog, kDefaultWaitMs);
}

void SwitchAndBack(const DriverContext& context) {
  const DriverLanguage run = RunLanguage(), other = Other(run);
  EditorSession session(context);
  if (!Start(context, session, "language.start")) return;
  ExpectLanguageItem(context, session, "language.item_names_the_other_language");
  // States that must survive the new menu: a layer off, the Large map mode, Delete grayed.
  session.Command(IDM_VIEW_TOP);
  session.Command(IDM_MODE_LARGE_MAP);
  session.Command(IDM_CANCEL_ITEM);
  session.Command(IDM_LANGUAGE);

  UseInterfaceLanguage(other);
  CheckMenuCaptions(context, session, "language.switched_menu_", other);
  ExpectLanguageItem(context, session, "language.switched_item_names_the_first_language");
  ExpectStatus(context, session, 2, EditorText(Text::KeyHint), "language.switched_hint");
  ExpectMenuItem(context, session, IDM_VIEW_TOP, false, false, "language.switched_keeps_upper_layer_off");
  ExpectMenuItem(context, session, IDM_VIEW_BOTTOM, true, false, "language.switched_keeps_lower_layer_on");
  ExpectMenuItem(context, session, IDM_STATUS_BAR, true, false, "language.switched_keeps_status_bar_check");
  ExpectMenuItem(context, session, IDM_UNDO, false, false, "language.switched_keeps_undo_enabled");
  ExpectMenuItem(context, session, IDM_REDO, false, true, "language.switched_keeps_redo_grayed");
  MenuItemState large;
  context.log.Expect(session.MenuItem(IDM_MODE_LARGE_MAP, large) && large.checked() && large.radio(),
                     "language.switched_keeps_mode_radio", "40035 state " + std::to_string(large.state));
  ExpectDialogLanguage(context, session, "language.switched_dialog");
  // The file holds other settings too (the recent scenes).
  context.log.Expect(ReadLanguageSettings().find(SettingsText(other)) != std::string::npos, "language.choice_written",
                     "the settings file holds " + Quoted(ReadLanguageSettings()));
  const std::wstring file = LanguageSettingsFile();
  const std::wstring folder = file.substr(0, file.find_last_of(L'\\'));
  WIN32_FIND_DATAW found;
  // The folder holds other settings files too (the MIX choice); a replacement's temporary
  // file has a '~' in its name.
  int files = 0;
  HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do files += (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || !wcschr(found.cFileName, L'~') ? 0 : 1;
    while (FindNextFileW(search, &found));
    FindClose(search);
  }
  context.log.Expect(files == 0, "language.no_temporary_files_left",
                     std::to_string(files) + " temporary files in the folder");
  UseInterfaceLanguage(run);
}

void RestartInChoice(const DriverContext& context) {
  const DriverLanguage run = RunLanguage(), other = Other(run);
  {
    EditorSession session(context);
    if (!Start(context, session, "language.restart")) return;
    UseInterfaceLanguage(other);
    CheckMenuCaptions(context, session, "language.restart_remembers_menu_", other);
    ExpectStatus(context, session, 2, EditorText(Text::KeyHint), "language.restart_remembers_hint");
    session.Command(IDM_LANGUAGE);
    UseInterfaceLanguage(run);
    CheckMenuCaptions(context, session, "language.switched_back_menu_", run);
    context.log.Expect(ReadLanguageSettings().find(SettingsText(run)) != std::string::npos,
                       "language.switch_back_written", "the settings file holds " + Quoted(ReadLanguageSettings()));
  }
  std::string error;
  WriteLanguageSettings("[Interface]\r\nLanguage=English\xFF\xFE\r\n", error);
  EditorSession session(context);
  if (!Start(context, session, "language.damaged_start")) return;
  CheckMenuCaptions(context, session, "language.damaged_file_means_chinese_", DriverLanguage::Chinese);
}

}  // namespace

void RunLanguageChecks(const DriverContext& context) {
  SwitchAndBack(context);
  RestartInChoice(context);
  // What the run started with, for the scenarios after this one.
  std::string error;
  WriteLanguageSettings(
      RunLanguage() == DriverLanguage::English ? SettingsText(DriverLanguage::English).c_str() : nullptr, error);
}

void RunSystemLanguageChecks(const DriverContext& context) {
  // Without a choice the editor follows the user's interface language, which Wine takes from
  // the locale the runner starts the driver (and so the editor) in.
  const DriverLanguage system = PRIMARYLANGID(GetUserDefaultUILanguage()) == LANG_CHINESE ? DriverLanguage::Chinese
                                                                                          : DriverLanguage::English;
  std::string error;
  WriteLanguageSettings(nullptr, error);
  {
    EditorSession session(context);
    const std::string prefix = std::string("system_language.") + LanguageName(system) + "_system_starts_in_it_";
    if (Start(context, session, prefix + "start")) CheckMenuCaptions(context, session, prefix, system);
  }
  WriteLanguageSettings(
      RunLanguage() == DriverLanguage::English ? SettingsText(DriverLanguage::English).c_str() : nullptr, error);
}
