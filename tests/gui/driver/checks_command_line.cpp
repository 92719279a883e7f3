// The editor's own command line: a help word shows the usage, naming vantorel-cli.exe,
// with no main window, and the editor ends with exit code 0; a scene name the editor
// cannot use (too long a path, text that is not valid UTF-16) is reported in a message
// naming it once the editor shows, instead of a start that silently ignores it.
#include <windows.h>

#include <string>
#include <vector>

#include "editor_command_line.h"
#include "path_limits.h"
#include "remote_controls.h"
#include "run_language.h"
#include "scenario_support.h"
#include "scenarios.h"
#include "text_conversion.h"
#include "wide_text.h"
#include "window_search.h"

namespace {

// What the editor tells for `argument`, from its own rules and texts. Its manifest makes
// the narrow encoding of its file names UTF-8, which Wine honours.
std::wstring ExpectedMessage(const std::wstring& argument) {
  const auto narrow = [](std::u16string_view text, bool& lossy) {
    return NarrowText(std::wstring_view(reinterpret_cast<const wchar_t*>(text.data()), text.size()), Narrow::Utf8,
                      &lossy);
  };
  const std::u16string given(argument.begin(), argument.end());
  return EditorText(ReadEditorCommandLine({given}, narrow, kPathBufferSize).message);
}

void CloseBox(HWND box) {
  if (HWND ok = GetDlgItem(box, IDOK))
    PostMessageW(ok, BM_CLICK, 0, 0);
  else
    PostMessageW(box, WM_CLOSE, 0, 0);
}

void Usage(const DriverContext& context, const std::wstring& word, const std::string& prefix) {
  EditorSession session(context);
  std::string error;
  if (!context.log.Expect(session.Launch(context.packageDir, error, word), prefix + ".start", error)) return;
  HWND box = WaitForDialog(session.process().id(), nullptr, 10000);
  if (!context.log.Expect(box != nullptr, prefix + ".box", "no message box")) return;
  const std::wstring text = MessageBoxText(box);
  context.log.Expect(CaptionOf(box) == L"Vantorel" && text == EditorText(Text::EditorUsage) &&
                         text.find(L"vantorel-cli.exe --help") != std::wstring::npos,
                     prefix + ".usage_names_the_tool", "box " + Quoted(CaptionOf(box)) + " says " + Quoted(text));
  bool mainWindow = false;
  for (HWND window : TopLevelWindowsOf(session.process().id(), L"VANTORClass"))
    mainWindow = mainWindow || IsWindowVisible(window);
  context.log.Expect(!mainWindow, prefix + ".no_main_window", "a main window is visible");
  CloseBox(box);
  DWORD code = 1;
  const bool ended = session.process().WaitForExit(5000, code);
  context.log.Expect(ended && code == 0, prefix + ".exit_code_zero",
                     ended ? "exit code " + std::to_string(code) : "the editor still runs 5 s after the box");
}

// The editor starts with its start screen (untitled) and says why the name was not opened.
void Refusal(const DriverContext& context, const std::wstring& argument, const std::string& prefix) {
  EditorSession session(context);
  std::string error;
  if (!context.log.Expect(session.Start(context.packageDir, error, L"\"" + argument + L"\""), prefix + ".start", error))
    return;
  HWND box = session.WaitForDialog(L"Vantorel");
  if (!context.log.Expect(box != nullptr, prefix + ".box", "no message box")) return;
  const std::wstring text = MessageBoxText(box);
  context.log.Expect(text == ExpectedMessage(argument), prefix + ".names_what_was_given", "box says " + Quoted(text));
  CloseBox(box);
  WaitForWindowGone(box, kDefaultWaitMs);
  context.log.Expect(session.Title() == EditorText(Text::ProgramTitle), prefix + ".start_screen",
                     "the title is " + Quoted(session.Title()));
}

}  // namespace

void RunCommandLineChecks(const DriverContext& context) {
  Usage(context, L"--help", "command_line.help");
  Usage(context, L"/?", "command_line.slash_question");
  Refusal(context, std::wstring(300, L'a') + L".ini", "command_line.too_long");
  Refusal(context, std::wstring(L"bad") + wchar_t(0xD800) + L".ini", "command_line.unpaired_surrogate");
}
