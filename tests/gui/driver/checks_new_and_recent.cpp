// File -> New and the recent scene files. An untitled screen with changes is marked so in
// the title; New over a change asks as opening a scene does,
// and No gives back the start screen, untitled, with an empty history. A scene opened and
// saved is the first recent item and the status bar says it was saved; the list survives a
// restart and opens from the menu; a listed file that is gone is reported and leaves the list.
#include <windows.h>

#include <string>

#include "content_dialog_steps.h"
#include "input.h"
#include "package_staging.h"
#include "resource.h"
#include "run_language.h"
#include "scenario_support.h"
#include "scenarios.h"
#include "wide_text.h"

namespace {

std::wstring Quote(const std::wstring& path) { return L"\"" + path + L"\""; }

bool EndsWith(const std::wstring& text, const std::wstring& end) {
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// The recent item whose caption ends with `name`, or 0.
UINT RecentItemNaming(const EditorSession& session, const std::wstring& name) {
  for (UINT id = IDM_RECENT_FILE_FIRST; id <= IDM_RECENT_FILE_LAST; ++id) {
    MenuItemState item;
    if (session.MenuItem(id, item) && EndsWith(item.caption, L"\\" + name)) return id;
  }
  return 0;
}

void NewOverChanges(const DriverContext& context) {
  Scenario s(context, "new");
  if (!s.Start()) return;
  s.session.Command(IDM_MODE_LARGE_MAP);
  PressKey(s.session.main(), VK_RIGHT, kCtrl);
  s.session.Command(IDM_VIEW_TOP);
  // An untitled screen with changes says so; the untouched start said only the program.
  ExpectTitle(s.context, s.session,
              EditorText({{Text::TitleWithSceneModified, {{"title", Text::ProgramTitle}, {"file", Text::Untitled}}}}),
              "new.untitled_changes_marked");
  std::wstring question;
  s.session.PostCommand(IDM_NEW_SCENE);
  const bool asked = AnswerMessageBox(s.session, EditorText(Text::ProgramCaption), IDNO, question);
  const std::wstring want = EditorText({{Text::CloseQuestion, {{"screen", Text::Untitled}}}});
  s.log().Expect(asked && question == want, "new.asks_over_unsaved_changes",
                 asked ? "the question is " + Quoted(question) : "no question");
  // The fresh model is the start screen.
  s.View("new.shows_the_start_screen");
  ExpectTitle(s.context, s.session, EditorText(Text::ProgramTitle), "new.untitled");
  ExpectMenuItem(s.context, s.session, IDM_UNDO, false, true, "new.fresh_history");
  ExpectMenuItem(s.context, s.session, IDM_VIEW_TOP, true, false, "new.upper_layer_back_on");
}

void RecentFiles(const DriverContext& context) {
  const std::wstring folder = context.scratchDir + L"\\recent";
  CreateDirectoryW(folder.c_str(), nullptr);
  std::string error;
  if (!WriteFileIn(folder, L"first.ini", "[LoadScreen]\r\nSide=Soviet\r\n", error) ||
      !WriteFileIn(folder, L"second.ini", "[LoadScreen]\r\nSide=Yuri\r\n", error)) {
    context.log.Fail("recent.stage", error);
    return;
  }
  const std::wstring first = folder + L"\\first.ini", second = folder + L"\\second.ini";
  {
    EditorSession session(context);
    if (!session.Start(context.packageDir, error, Quote(second))) {
      context.log.Fail("recent.start", error);
      return;
    }
    session.Command(IDM_SAVE_SCENE);
    const std::wstring saved = EditorText({{Text::SavedFile, {{"file", "second.ini"}}}});
    ExpectStatus(context, session, 2, saved, "recent.status_says_saved");
    PressKey(session.main(), VK_SHIFT);
    ExpectStatus(context, session, 2, EditorText(Text::KeyHint), "recent.next_key_brings_back_the_hint");
    context.log.Expect(RecentItemNaming(session, L"second.ini") == IDM_RECENT_FILE_FIRST, "recent.saved_scene_first",
                       "second.ini is not item 40070");
  }
  EditorSession session(context);
  if (!session.Start(context.packageDir, error, Quote(first))) {
    context.log.Fail("recent.restart", error);
    return;
  }
  context.log.Expect(RecentItemNaming(session, L"first.ini") == IDM_RECENT_FILE_FIRST &&
                         RecentItemNaming(session, L"second.ini") == IDM_RECENT_FILE_FIRST + 1,
                     "recent.kept_over_a_restart_newest_first", "first.ini and second.ini are not items 40070, 40071");
  session.Command(IDM_RECENT_FILE_FIRST + 1);
  ExpectTitle(context, session, EditorText(Text::ProgramTitle) + L" - second.ini", "recent.opens_from_the_menu");
  DeleteFileW(first.c_str());
  const UINT gone = RecentItemNaming(session, L"first.ini");
  std::wstring message;
  session.PostCommand(gone);
  const bool reported = gone != 0 && AnswerMessageBox(session, EditorText(Text::ProgramCaption), IDOK, message);
  // The list changes once the message box has closed.
  const bool removed = WaitUntil([&] { return RecentItemNaming(session, L"first.ini") == 0; }, 1000);
  context.log.Expect(reported && removed, "recent.missing_file_reported_and_removed",
                     reported ? "first.ini is still listed" : "no message for the missing file");
}

}  // namespace

void RunNewAndRecentChecks(const DriverContext& context) {
  NewOverChanges(context);
  RecentFiles(context);
}
