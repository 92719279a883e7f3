// Leaving the editor: with unsaved changes Exit and the close box ask "Save changes to
// Untitled?"; Cancel keeps the editor, Yes on a new screen opens Save as and cancelling it
// keeps the editor too. With nothing unsaved, Exit ends the editor at once with code 0.
#include <windows.h>

#include <string>

#include "file_dialogs.h"
#include "remote_controls.h"
#include "resource.h"
#include "run_language.h"
#include "scenario.h"
#include "scenario_support.h"
#include "scenarios.h"
#include "wide_text.h"
#include "window_search.h"

namespace {
// Waits for the close question and answers it; false (with a failed check) when it does
// not come.
bool AnswerQuestion(Scenario& s, int answer, const std::string& name) {
  HWND box = s.session.WaitForDialog(L"Vantorel");
  if (!box) {
    s.log().Fail(name, "no message box captioned \"Vantorel\"");
    return false;
  }
  const std::wstring text = MessageBoxText(box);
  s.log().Expect(text == EditorText({{Text::CloseQuestion, {{"screen", Text::Untitled}}}}), name,
                 "the question is " + Quoted(text));
  HWND button = GetDlgItem(box, answer);
  if (!button) {
    s.log().Fail(name + "_buttons", "the box has no button " + std::to_string(answer));
    return false;
  }
  PostMessageW(button, BM_CLICK, 0, 0);
  return WaitForWindowGone(box, kDefaultWaitMs);
}

bool StillRunning(EditorSession& session) {
  return session.process().Running() && IsWindowVisible(session.main()) && SendAndWait(session.main(), WM_NULL, 0, 0);
}
}  // namespace

void RunExitChecks(const DriverContext& context) {
  Scenario s(context, "exit");
  if (!s.Start()) return;

  s.session.Command(IDM_VIEW_TOP);  // an unsaved change
  s.session.PostCommand(IDM_EXIT);
  if (AnswerQuestion(s, IDCANCEL, "exit.command_asks"))
    context.log.Expect(StillRunning(s.session), "exit.cancel_keeps_running", "the editor is gone after Cancel");
  PostMessageW(s.session.main(), WM_CLOSE, 0, 0);
  if (AnswerQuestion(s, IDYES, "exit.close_box_asks")) {
    HWND saveAs = WaitForFileDialog(s.session.process().id());
    context.log.Expect(saveAs != nullptr, "exit.yes_opens_save_as", "no file dialog after Yes on a new screen");
    if (saveAs) {
      PostMessageW(saveAs, WM_COMMAND, IDCANCEL, 0);
      WaitForWindowGone(saveAs, kDefaultWaitMs);
      context.log.Expect(StillRunning(s.session), "exit.cancelled_save_keeps_running",
                         "the editor is gone after the save was cancelled");
    }
  }
  s.session.Command(IDM_VIEW_TOP);  // back as it was, but still a change since start
  s.session.Command(IDM_UNDO);
  s.session.Command(IDM_UNDO);  // nothing unsaved now
  s.session.PostCommand(IDM_EXIT);
  DWORD code = 0;
  const bool ended = s.session.process().WaitForExit(5000, code);
  context.log.Expect(ended && code == 0, "exit.unchanged_ends_at_once_with_code_0",
                     ended ? "exit code " + std::to_string(code) : "the editor still runs 5 s after Exit");
}
