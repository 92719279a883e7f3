// Packages that lack a template: the common ones are looked for in a fixed order, each
// missing one named in its own message box (caption "Vantorel") before any window shows;
// a missing side template gives "Can't find file!" (caption "Error"). After the box the
// editor ends with a non-zero exit code: a failed start is not reported as success.
#include <windows.h>

#include <string>
#include <vector>

#include "package_staging.h"
#include "remote_controls.h"
#include "scenario_support.h"
#include "scenarios.h"
#include "wide_text.h"
#include "window_search.h"

namespace {
struct FailureCase {
  const char* name;
  const wchar_t* folder;
  bool allTemplates;                    // copy the whole Templates folder ...
  std::vector<std::wstring> templates;  // ... or only these files
  std::vector<std::wstring> removed;    // then remove these
  const wchar_t* caption;
  const wchar_t* message;
  bool mainWindowMayExist;  // side templates load while the main window is created
};

const std::vector<FailureCase> kCases = {
    {"startup_failure.no_templates_folder",
     L"no_templates",
     false,
     {},
     {},
     L"Vantorel",
     L"Error: Can't find com_largetargetbox.png file.",
     false},
    {"startup_failure.no_small_target_box",
     L"only_large_box",
     false,
     {L"com_largetargetbox.png"},
     {},
     L"Vantorel",
     L"Error: Can't find com_smalltargetbox.png file.",
     false},
    {"startup_failure.no_world_map_2x",
     L"no_worldmap2x",
     false,
     {L"com_largetargetbox.png", L"com_smalltargetbox.png"},
     {},
     L"Vantorel",
     L"Error: Can't find com_worldmap2x.PNG file.",
     false},
    {"startup_failure.no_allied_world_map",
     L"no_all_worldmap",
     true,
     {},
     {L"Templates\\all_worldmap.png"},
     L"Error",
     L"Can't find file!",
     true},
};

bool Stage(const DriverContext& context, const FailureCase& c, const std::wstring& folder, std::string& error) {
  if (!CopyPackage(context.packageDir, folder, c.allTemplates, true, error)) return false;
  if (!c.templates.empty() && !CopyTemplates(context.packageDir, folder, c.templates, error)) return false;
  for (const std::wstring& file : c.removed)
    if (!RemoveFileIn(folder, file, error)) return false;
  return true;
}

void RunCase(const DriverContext& context, const FailureCase& c) {
  const std::string prefix = c.name;
  const std::wstring folder = context.scratchDir + L"\\" + c.folder;
  std::string error;
  if (!Stage(context, c, folder, error)) {
    context.log.Fail(prefix + ".stage", error);
    return;
  }
  EditorSession session(context);
  if (!session.Launch(folder, error)) {
    context.log.Fail(prefix + ".start", error);
    return;
  }
  HWND box = WaitForDialog(session.process().id(), nullptr, 10000);
  if (!box) {
    DWORD code = 0;
    context.log.Fail(prefix + ".message",
                     session.process().WaitForExit(0, code)
                         ? "the editor ended without a message (exit code " + std::to_string(code) + ")"
                         : "no message box");
    return;
  }
  const std::wstring caption = CaptionOf(box), text = MessageBoxText(box);
  context.log.Expect(caption == c.caption && text == c.message, prefix + ".message",
                     "box " + Quoted(caption) + " says " + Quoted(text));
  if (!c.mainWindowMayExist) {
    bool mainVisible = false;
    for (HWND window : TopLevelWindowsOf(session.process().id(), L"VANTORClass"))
      mainVisible = mainVisible || IsWindowVisible(window);
    context.log.Expect(!mainVisible, prefix + ".no_main_window", "a main window is visible");
  }
  if (HWND ok = GetDlgItem(box, IDOK))
    PostMessageW(ok, BM_CLICK, 0, 0);
  else
    PostMessageW(box, WM_CLOSE, 0, 0);
  DWORD code = 0;
  const bool ended = session.process().WaitForExit(5000, code);
  context.log.Expect(ended && code != 0, prefix + ".exit_code_non_zero",
                     ended ? "exit code " + std::to_string(code) : "the editor still runs 5 s after the message");
}
}  // namespace

void RunStartupFailureChecks(const DriverContext& context) {
  for (const FailureCase& c : kCases) RunCase(context, c);
}
