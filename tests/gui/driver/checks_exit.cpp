// Leaving the editor: Exit and the close box ask "Do you want to close Vantorel now?"; No
// keeps it running, Yes ends it with exit code 0.
#include <windows.h>

#include <string>

#include "editor_ids.h"
#include "remote_controls.h"
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
  s.log().Expect(text == texts::kCloseQuestion, name, "the question is " + Quoted(text));
  HWND button = GetDlgItem(box, answer);
  if (!button) {
    s.log().Fail(name + "_buttons", "the box has no button " + std::to_string(answer));
    return false;
  }
  PostMessageW(button, BM_CLICK, 0, 0);
  return WaitForWindowGone(box, kDefaultWaitMs);
}
}  // namespace

void RunExitChecks(const DriverContext& context) {
  Scenario s(context, "exit");
  if (!s.Start()) return;

  s.session.PostCommand(ids::kExit);
  if (AnswerQuestion(s, IDNO, "exit.command_asks")) {
    context.log.Expect(s.session.process().Running() && IsWindowVisible(s.session.main()) && SendAndWait(s.session.main(), WM_NULL, 0, 0),
                       "exit.no_keeps_running", "the editor is gone after No");
  }
  PostMessageW(s.session.main(), WM_CLOSE, 0, 0);
  if (AnswerQuestion(s, IDNO, "exit.close_box_asks")) {
    context.log.Expect(s.session.process().Running() && IsWindowVisible(s.session.main()),
                       "exit.close_box_no_keeps_running", "the editor is gone after No");
  }
  s.session.PostCommand(ids::kExit);
  if (!AnswerQuestion(s, IDYES, "exit.command_asks_again")) return;
  DWORD code = 0;
  const bool ended = s.session.process().WaitForExit(5000, code);
  context.log.Expect(ended && code == 0, "exit.yes_ends_with_code_0",
                     ended ? "exit code " + std::to_string(code) : "the editor still runs 5 s after Yes");
}
