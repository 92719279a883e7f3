// The names Save as SHP and Save as image propose: never the screenshot's (an input), the
// scene's once the screen has one (mission1.shp, mission1.png), the file last chosen for
// that kind while the scene stays the same, and the image type last chosen (a GIF stays a
// GIF for the next scene too).
#include <windows.h>

#include <filesystem>
#include <string>

#include "content_dialog_steps.h"
#include "file_dialogs.h"
#include "package_staging.h"
#include "remote_controls.h"
#include "resource.h"
#include "run_language.h"
#include "scenario.h"
#include "scenarios.h"
#include "wait.h"
#include "wide_text.h"
#include "window_search.h"

namespace {

struct NamesScenario : Scenario {
  explicit NamesScenario(const DriverContext& context)
      : Scenario(context, "names"), folder(context.scratchDir + L"\\names") {}
  std::wstring folder;
  std::wstring File(const wchar_t* name) const { return folder + L"\\" + name; }

  // Opens the file dialog of `command` and checks the name it proposes: the file in the
  // scenario's folder (the dialog may show it whole or by its name), or nothing. The dialog
  // stays open for the caller.
  HWND ExpectProposal(UINT command, const wchar_t* name, const std::string& check) {
    session.PostCommand(command);
    HWND dialog = WaitForFileDialog(session.process().id());
    const std::wstring proposed = dialog ? FileDialogName(dialog) : L"";
    const bool as = *name ? proposed == File(name) || proposed == name : proposed.empty();
    Expect(dialog && as, check,
           dialog ? "the dialog proposes " + Quoted(proposed) + ", expected " + Quoted(std::wstring(name))
                  : "no file dialog");
    return dialog;
  }
  void Cancel(HWND dialog) {
    if (!dialog) return;
    PostMessageW(GetDlgItem(dialog, IDCANCEL), BM_CLICK, 0, 0);
    WaitForWindowGone(dialog, kDefaultWaitMs);
  }
};

bool TakeScreenshot(NamesScenario& s) {
  HWND settings = OpenLoadScreenSettings(s.session);
  std::string error = "the load screen settings dialog did not open";
  const bool taken = settings && BrowseForScreenshot(s.session, settings, s.File(kShotExact.file), error);
  if (settings) {
    PostMessageW(GetDlgItem(settings, IDCANCEL), BM_CLICK, 0, 0);
    WaitForWindowGone(settings, kDefaultWaitMs);
  }
  return s.Expect(taken, "screenshot_taken", error);
}

}  // namespace

void RunOutputNameChecks(const DriverContext& context) {
  NamesScenario s(context);
  std::error_code ignored;
  std::filesystem::remove_all(s.folder, ignored);
  std::string error;
  if (!WriteTestPicture(s.folder, kShotExact, error) ||
      !WriteFileIn(s.folder, L"mission2.ini", "[LoadScreen]\r\nSide=Soviet\r\n", error)) {
    context.log.Fail("names.stage", error);
    return;
  }
  if (!s.Start() || !TakeScreenshot(s)) return;
  // Untitled, nothing chosen yet: no name at all, the screenshot's least of all.
  s.Cancel(s.ExpectProposal(IDM_SAVE_SHP, L"", "untitled_shp_proposes_no_input_name"));
  s.Cancel(s.ExpectProposal(IDM_SAVE_IMAGE, L"", "untitled_image_proposes_no_input_name"));

  s.session.PostCommand(IDM_SAVE_SCENE_AS);
  if (!s.Expect(
          ChooseInFileDialog(s.session, EditorText(Text::SaveSceneCaption), s.File(L"mission1.ini"), error) &&
              WaitUntil([&] { return GetFileAttributesW(s.File(L"mission1.ini").c_str()) != INVALID_FILE_ATTRIBUTES; }),
          "scene_saved", error))
    return;
  s.Cancel(s.ExpectProposal(IDM_SAVE_SHP, L"mission1.shp", "shp_proposes_the_scene"));
  HWND image = s.ExpectProposal(IDM_SAVE_IMAGE, L"mission1.png", "image_proposes_the_scene");
  if (!image || !ChooseFileName(image, s.File(L"shot.gif"))) return;
  s.Expect(WaitUntil([&] { return GetFileAttributesW(s.File(L"shot.gif").c_str()) != INVALID_FILE_ATTRIBUTES; }, 10000),
           "gif_saved", "no shot.gif");
  s.Cancel(s.ExpectProposal(IDM_SAVE_IMAGE, L"shot.gif", "image_proposes_the_last_choice_for_the_scene"));

  s.session.PostCommand(IDM_OPEN_SCENE);
  if (!s.Expect(ChooseInFileDialog(s.session, EditorText(Text::OpenSceneCaption), s.File(L"mission2.ini"), error),
                "other_scene_opened", error))
    return;
  WaitUntil([&] { return s.session.Title().find(L"mission2.ini") != std::wstring::npos; });
  s.Cancel(s.ExpectProposal(IDM_SAVE_IMAGE, L"mission2.gif", "image_keeps_the_type_last_chosen"));
  s.Cancel(s.ExpectProposal(IDM_SAVE_SHP, L"mission2.shp", "shp_follows_the_other_scene"));
}
