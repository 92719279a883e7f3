// The editor at 192 DPI (200 %): the view starts at 200 %, and the crop dialog's controls,
// twice the size, stand apart and labelled, also at the dialog's smallest size. The DPI is
// the prefix's (HKCU\Control Panel\Desktop LogPixels), read by each process at its start;
// the scenario puts it back to 96 for the ones after it.
#include <windows.h>

#include <string>

#include "content_dialog_steps.h"
#include "remote_controls.h"
#include "resource.h"
#include "run_language.h"
#include "scenario.h"
#include "scenario_support.h"
#include "scenarios.h"
#include "wide_text.h"
#include "window_search.h"

namespace {

bool SetDpi(DWORD dpi) {
  return RegSetKeyValueW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", L"LogPixels", REG_DWORD, &dpi, sizeof dpi) ==
         ERROR_SUCCESS;
}

void CropAtDpi(Scenario& s, const std::wstring& picture) {
  HWND settings = OpenLoadScreenSettings(s.session);
  std::string error = "the load screen settings dialog did not open";
  std::wstring question;
  const bool chosen = settings && BrowseForScreenshot(s.session, settings, picture, error) &&
                      AnswerMessageBox(s.session, EditorText(Text::ProgramCaption), IDYES, question);
  HWND crop = chosen ? s.session.WaitForDialog(texts::kCropCaption) : nullptr;
  if (s.Expect(crop != nullptr, "crop_dialog_opens", chosen ? "no crop dialog after Yes" : error)) {
    RECT ok{};
    GetWindowRect(GetDlgItem(crop, IDOK), &ok);
    s.Expect(ok.bottom - ok.top >= 40, "crop_controls_sized_for_the_dpi",
             "OK is " + std::to_string(ok.bottom - ok.top) + " pixels high");
    std::string problems = CropLayoutProblems(crop);
    s.Expect(problems.empty(), "crop_controls_apart", problems);
    // As small as it may be made.
    SetWindowPos(crop, nullptr, 0, 0, 1, 1, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    SendAndWait(crop, WM_NULL, 0, 0);
    problems = CropLayoutProblems(crop);
    s.Expect(problems.empty(), "crop_controls_apart_at_the_smallest_size", problems);
    PostMessageW(GetDlgItem(crop, IDCANCEL), BM_CLICK, 0, 0);
    WaitForWindowGone(crop, kDefaultWaitMs);
  }
  if (settings) {
    PostMessageW(GetDlgItem(settings, IDCANCEL), BM_CLICK, 0, 0);
    WaitForWindowGone(settings, kDefaultWaitMs);
  }
}

}  // namespace

void RunDpiChecks(const DriverContext& context) {
  const std::wstring shots = context.scratchDir + L"\\dpi";
  std::string error;
  if (!WriteTestPicture(shots, kShotLarge, error)) {
    context.log.Fail("dpi.stage", error);
    return;
  }
  if (!context.log.Expect(SetDpi(192), "dpi.set", "the driver cannot set LogPixels")) return;
  {
    Scenario s(context, "dpi");
    if (s.Start()) {
      ExpectStatus(context, s.session, 1, L"Current mode: Move small map (200%)", "dpi.view_starts_at_200");
      CropAtDpi(s, shots + L"\\" + kShotLarge.file);
    }
  }
  SetDpi(96);
}
