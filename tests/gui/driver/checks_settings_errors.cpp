// The add-item dialog on a package without Settings.ini and on one whose Settings.ini has
// no [SymbolsList]: a message box with caption "Error", then the dialog with an empty list.
#include <windows.h>

#include <string>

#include "package_staging.h"
#include "remote_controls.h"
#include "resource.h"
#include "run_language.h"
#include "scenario.h"
#include "scenario_support.h"
#include "scenarios.h"
#include "wide_text.h"
#include "window_search.h"

namespace {
struct SettingsCase {
  const char* name;
  const wchar_t* folder;
  const char* settingsText;  // null: no Settings.ini at all
  const wchar_t* message;
};

const SettingsCase kCases[] = {
    {"settings.missing", L"no_settings", nullptr, L"Error: Can't find Settings.ini file in application directory!"},
    {"settings.without_symbols_list", L"no_symbols_list",
     "[CameosList]\r\n1=Tank,tank.png\r\n[Other]\r\nSymbolsList=a,b\r\n", L"Error: File Settings.ini invalid!"},
};

void RunCase(const DriverContext& context, const SettingsCase& c) {
  const std::string prefix = c.name;
  const std::wstring folder = context.scratchDir + L"\\" + c.folder;
  std::string error;
  if (!CopyPackage(context.packageDir, folder, true, false, error) ||
      (c.settingsText && !WriteFileIn(folder, L"Settings.ini", c.settingsText, error))) {
    context.log.Fail(prefix + ".stage", error);
    return;
  }
  Scenario s(context, prefix);
  if (!s.Start(folder)) return;
  s.session.PostCommand(IDM_ADD_ITEM);
  HWND box = s.session.WaitForDialog(L"Error");
  if (!box) {
    context.log.Fail(prefix + ".message", "no message box captioned \"Error\"");
    return;
  }
  const std::wstring text = MessageBoxText(box);
  context.log.Expect(text == c.message, prefix + ".message", "the message is " + Quoted(text));
  PostMessageW(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
  context.log.Expect(WaitForWindowGone(box, kDefaultWaitMs), prefix + ".message_closes", "OK does not close it");
  HWND dialog = s.session.WaitForDialog(texts::kAddItemCaption);
  if (!dialog) {
    context.log.Fail(prefix + ".dialog_stays_open_empty", "the add-item dialog is not open after the message");
    return;
  }
  const auto lines = ListBoxLines(GetDlgItem(dialog, IDC_ITEM_LIST));
  context.log.Expect(lines.empty(), prefix + ".dialog_stays_open_empty",
                     std::to_string(lines.size()) + " lines in the list");
  // OK with nothing to place closes the dialog and adds nothing.
  ClickButton(dialog, IDOK);
  context.log.Expect(WaitForWindowGone(dialog, kDefaultWaitMs), prefix + ".ok_closes_dialog", "the dialog stays open");
  s.View(prefix + ".nothing_placed");
}
}  // namespace

void RunSettingsErrorChecks(const DriverContext& context) {
  for (const SettingsCase& c : kCases) RunCase(context, c);
}
