// Leaving the editor: Exit and the close box ask "Do you want to close Vantorel now?"; No
// keeps it running, Yes ends it with exit code 0.
#include <windows.h>

#include <string>

#include "editor_ids.h"
#include "remote_controls.h"
#include "scenario_support.h"
#include "scenarios.h"
#include "wide_text.h"
#include "window_search.h"

namespace {
// Waits for the close question and answers it; false (with a failed check) when it does
// not come.
bool AnswerQuestion(const DriverContext& context, EditorSession& session, int answer, const std::string& name) {
  HWND box = session.WaitForDialog(L"Vantorel");
  if (!box) {
    context.log.Fail(name, "no message box captioned \"Vantorel\"");
    return false;
  }
  const std::wstring text = MessageBoxText(box);
  context.log.Expect(text == texts::kCloseQuestion, name, "the question is " + Quoted(text));
  HWND button = GetDlgItem(box, answer);
  if (!button) {
    context.log.Fail(name + "_buttons", "the box has no button " + std::to_string(answer));
    return false;
  }
  PostMessageW(button, BM_CLICK, 0, 0);
  return WaitForWindowGone(box, kDefaultWaitMs);
}
}  // namespace

void RunExitChecks(const DriverContext& context) {
  EditorSession session(context);
  ExpectedScreen model;
  if (!StartScenario(context, session, model, "exit", context.packageDir)) return;

  session.PostCommand(ids::kExit);
  if (AnswerQuestion(context, session, IDNO, "exit.command_asks")) {
    context.log.Expect(session.process().Running() && IsWindowVisible(session.main()) && SendAndWait(session.main(), WM_NULL, 0, 0),
                       "exit.no_keeps_running", "the editor is gone after No");
  }
  PostMessageW(session.main(), WM_CLOSE, 0, 0);
  if (AnswerQuestion(context, session, IDNO, "exit.close_box_asks")) {
    context.log.Expect(session.process().Running() && IsWindowVisible(session.main()),
                       "exit.close_box_no_keeps_running", "the editor is gone after No");
  }
  session.PostCommand(ids::kExit);
  if (!AnswerQuestion(context, session, IDYES, "exit.command_asks_again")) return;
  DWORD code = 0;
  const bool ended = session.process().WaitForExit(5000, code);
  context.log.Expect(ended && code == 0, "exit.yes_ends_with_code_0",
                     ended ? "exit code " + std::to_string(code) : "the editor still runs 5 s after Yes");
}
