// The screenshot colourize dialog: the guard without a screenshot, the dialog opening beside
// the picture, the defaults leaving the screenshot as it is, the numbers beside the
// sliders, levels, grey mode (which disables the levels), intensity, the live view while
// settings change, Cancel restoring the screenshot, and OK keeping a keyboard change made
// just before it. `vantorel-cli render` of a scene with the same settings must equal the
// editor's view. Last, the dialog reopens with the settings in force, and OK at the
// defaults gives the uncoloured screenshot back.
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "colourize.h"
#include "content_commands.h"
#include "content_dialog_steps.h"
#include "dib_image.h"
#include "package_staging.h"
#include "remote_controls.h"
#include "resource.h"
#include "run_language.h"
#include "scenario.h"
#include "scenario_support.h"
#include "scenarios.h"
#include "wait.h"
#include "wide_text.h"
#include "window_search.h"

namespace {

constexpr int kLevelTrackbars[] = {IDC_COLOURIZE_RED, IDC_COLOURIZE_GREEN, IDC_COLOURIZE_BLUE};

struct ColourizeScenario : Scenario {
  explicit ColourizeScenario(const DriverContext& context) : Scenario(context, "colourize") {}
  std::wstring shot;  // the screenshot's file
  HWND dialog = nullptr;

  void Colourize(const ColourizeSettings& settings) { ColourizeScreenshot(model.document(), settings); }
};

LRESULT TrackbarPosition(HWND dialog, int id) {
  LRESULT position = -1;
  SendAndWait(GetDlgItem(dialog, id), TBM_GETPOS, 0, 0, &position);
  return position;
}

// Moves a trackbar as a drag of its thumb ends: the new position, then the scroll notice.
void SetTrackbar(HWND dialog, int id, int position) {
  HWND trackbar = GetDlgItem(dialog, id);
  SendAndWait(trackbar, TBM_SETPOS, TRUE, position);
  SendAndWait(dialog, WM_HSCROLL, MAKEWPARAM(TB_THUMBPOSITION, position), reinterpret_cast<LPARAM>(trackbar));
}

// The preview shows the screenshot centred on the dialog's face colour.
void ExpectPreview(ColourizeScenario& s, const std::string& name) {
  HWND preview = GetDlgItem(s.dialog, IDC_COLOURIZE_PREVIEW);
  RECT client{};
  GetClientRect(preview, &client);
  const MemoryImage& screenshot = s.model.document().screenshot;
  DibImage expected;
  expected.Create(client.right, client.bottom);
  expected.Fill(SwapRedBlue(GetSysColor(COLOR_BTNFACE)));
  expected.Paste(screenshot, (client.right - screenshot.width) / 2, (client.bottom - screenshot.height) / 2);
  std::string detail;
  s.log().Expect(ControlShows(preview, expected, detail), name, detail);
}

// The numbers beside the sliders, red, green, blue and intensity.
std::wstring ValuesShown(HWND dialog) {
  std::wstring values;
  for (int id :
       {IDC_COLOURIZE_RED_VALUE, IDC_COLOURIZE_GREEN_VALUE, IDC_COLOURIZE_BLUE_VALUE, IDC_COLOURIZE_INTENSITY_VALUE})
    values += ControlText(GetDlgItem(dialog, id)) + L" ";
  return values;
}

void ExpectValues(ColourizeScenario& s, const std::wstring& want, const std::string& name) {
  std::wstring shown;
  const bool same = WaitUntil([&] { return (shown = ValuesShown(s.dialog)) == want; });
  s.log().Expect(same, name, "the numbers read " + Quoted(shown) + " instead of " + Quoted(want));
}

bool OpenDialog(ColourizeScenario& s, const std::string& name) {
  s.session.PostCommand(IDM_SCREENSHOT_SETTINGS);
  s.dialog = s.session.WaitForDialog(texts::kColourizeCaption);
  if (!s.dialog) {
    s.log().Fail(name, "no dialog captioned " + Quoted(std::wstring(texts::kColourizeCaption)));
    return false;
  }
  // It opens beside the picture, which has room on its right on the driver's screen.
  const POINT first = s.session.CanvasToScreen({0, 0}), last = s.session.CanvasToScreen({CanvasWidth, CanvasHeight});
  const RECT picture{first.x, first.y, last.x, last.y};
  RECT dialog{}, overlap{};
  GetWindowRect(s.dialog, &dialog);
  s.log().Expect(!IntersectRect(&overlap, &picture, &dialog), name + "_beside_the_picture",
                 "the dialog covers the picture");
  s.session.ParkDialog(s.dialog);
  const ColourizeSettings& inForce = s.model.document().screenshotColour;
  const std::string expected = std::to_string(inForce.redLevel) + " " + std::to_string(inForce.greenLevel) + " " +
                               std::to_string(inForce.blueLevel) + " " + std::to_string(inForce.intensity) + " ";
  std::string positions;
  for (int id : {IDC_COLOURIZE_RED, IDC_COLOURIZE_GREEN, IDC_COLOURIZE_BLUE, IDC_COLOURIZE_INTENSITY})
    positions += std::to_string(TrackbarPosition(s.dialog, id)) + " ";
  s.log().Expect(positions == expected && IsChecked(s.dialog, IDC_COLOURIZE_GREY) == (inForce.greyMode != 0), name,
                 "positions " + positions + (IsChecked(s.dialog, IDC_COLOURIZE_GREY) ? "and grey checked" : ""));
  return true;
}

void Guard(ColourizeScenario& s) {
  s.session.PostCommand(IDM_SCREENSHOT_SETTINGS);
  std::wstring text;
  const bool answered = AnswerMessageBox(s.session, EditorText(Text::ProgramCaption), IDOK, text);
  s.log().Expect(answered && text == EditorText(Text::NoScreenshot), "colourize.without_screenshot_warns",
                 answered ? "the message is " + Quoted(text) : "no message box");
  s.log().Expect(NoWindowShows(s.session, texts::kColourizeCaption, 300), "colourize.without_screenshot_no_dialog",
                 "the dialog opened without a screenshot");
}

bool TakeScreenshot(ColourizeScenario& s) {
  HWND settings = OpenLoadScreenSettings(s.session);
  std::string error = "the load screen settings dialog did not open";
  const bool taken = settings && BrowseForScreenshot(s.session, settings, s.shot, error);
  if (settings) {
    PostMessageW(GetDlgItem(settings, IDCANCEL), BM_CLICK, 0, 0);
    WaitForWindowGone(settings, kDefaultWaitMs);
  }
  if (!taken) {
    s.log().Fail("colourize.screenshot_taken", error);
    return false;
  }
  SetScreenshot(s.model.document(), LoadPicture(s.shot));
  return s.View("colourize.screenshot_taken");
}

void SettingsThenCancel(ColourizeScenario& s) {
  if (!OpenDialog(s, "colourize.opens_at_defaults")) return;
  ExpectValues(s, L"255 255 255 255 ", "colourize.numbers_at_defaults");
  s.View("colourize.defaults_leave_screenshot_unchanged");
  ExpectPreview(s, "colourize.preview_centred_on_face_colour");
  SetTrackbar(s.dialog, IDC_COLOURIZE_RED, 100);
  s.Colourize({0, 100, 255, 255, 255});
  s.View("colourize.red_level_live");
  SetTrackbar(s.dialog, IDC_COLOURIZE_GREEN, 30);
  SetTrackbar(s.dialog, IDC_COLOURIZE_BLUE, 200);
  SetTrackbar(s.dialog, IDC_COLOURIZE_INTENSITY, 400);
  s.Colourize({0, 100, 30, 200, 400});
  s.View("colourize.levels_and_lighter");
  ExpectValues(s, L"100 30 200 400 ", "colourize.numbers_beside_the_sliders");
  ExpectPreview(s, "colourize.preview_follows");

  SendAndWait(GetDlgItem(s.dialog, IDC_COLOURIZE_GREY), BM_CLICK, 0, 0);
  bool levelsDisabled = true;
  for (int id : kLevelTrackbars) levelsDisabled = levelsDisabled && !IsWindowEnabled(GetDlgItem(s.dialog, id));
  s.log().Expect(levelsDisabled && IsWindowEnabled(GetDlgItem(s.dialog, IDC_COLOURIZE_INTENSITY)),
                 "colourize.grey_disables_levels_only", "the enabled states of the trackbars are wrong");
  s.Colourize({1, 100, 30, 200, 400});
  s.View("colourize.grey_then_intensity");

  PostMessageW(GetDlgItem(s.dialog, IDCANCEL), BM_CLICK, 0, 0);
  s.log().Expect(WaitForWindowGone(s.dialog, kDefaultWaitMs), "colourize.cancel_closes", "the dialog stays open");
  s.Colourize({});
  s.View("colourize.cancel_restores_screenshot");
}

// A key on the intensity trackbar followed at once by OK: the dialog is gone before its
// preview could paint, and OK still applies the key.
void KeyThenOk(ColourizeScenario& s) {
  if (!OpenDialog(s, "colourize.reopens_after_cancel_at_defaults")) return;
  SetTrackbar(s.dialog, IDC_COLOURIZE_RED, 100);
  SetTrackbar(s.dialog, IDC_COLOURIZE_GREEN, 30);
  SetTrackbar(s.dialog, IDC_COLOURIZE_BLUE, 200);
  PostMessageW(GetDlgItem(s.dialog, IDC_COLOURIZE_INTENSITY), WM_KEYDOWN, VK_HOME, 1);
  PostMessageW(GetDlgItem(s.dialog, IDOK), BM_CLICK, 0, 0);
  s.log().Expect(WaitForWindowGone(s.dialog, kDefaultWaitMs), "colourize.ok_closes", "the dialog stays open");
  s.Colourize({0, 100, 30, 200, 0});
  s.View("colourize.ok_applies_last_key");
}

// The same screenshot and settings as a scene for the command-line tool, which must render
// exactly the picture the editor shows.
void SceneRendersTheView(ColourizeScenario& s) {
  // Without the upper layer: the tool draws into memory images, whose lines differ from the
  // view's by design.
  const std::string scene = "[LoadScreen]\r\nScreenshot=" + ToAnsi(s.shot) +
                            "\r\nScreenshotColour=100,30,200\r\nScreenshotIntensity=0\r\nUpperLayer=no\r\n";
  const std::wstring cli = s.context.packageDir + L"\\vantorel-cli.exe";
  std::string detail;
  if (!WriteFileIn(s.context.scratchDir, L"colourized.ini", scene, detail)) {
    s.log().Fail("colourize.scene_render_equals_view", detail);
    return;
  }
  const long exitCode = RunProgram(L"\"" + cli + L"\" render colourized.ini -o colourized.png --package \"" +
                                       s.context.packageDir + L"\"",
                                   s.context.scratchDir);
  const MemoryImage rendered = LoadPicture(s.context.scratchDir + L"\\colourized.png");
  s.session.Command(IDM_VIEW_TOP);
  if (exitCode != 0 || !rendered.IsValid())
    s.log().Fail("colourize.scene_render_equals_view",
                 Utf8(cli) + " gave " + std::to_string(exitCode) + " and no picture");
  else
    s.Shows(rendered, "colourize.scene_render_equals_view");
}

// The dialog opens with the settings in force; all back at the defaults, OK shows the
// screenshot as it was taken (no step of darkening left behind).
void ReopenThenDefaults(ColourizeScenario& s) {
  s.session.Command(IDM_VIEW_TOP);  // back on after the comparison with the tool
  if (!OpenDialog(s, "colourize.reopens_with_settings_in_force")) return;
  for (int id : {IDC_COLOURIZE_RED, IDC_COLOURIZE_GREEN, IDC_COLOURIZE_BLUE, IDC_COLOURIZE_INTENSITY})
    SetTrackbar(s.dialog, id, 255);
  PostMessageW(GetDlgItem(s.dialog, IDOK), BM_CLICK, 0, 0);
  s.log().Expect(WaitForWindowGone(s.dialog, kDefaultWaitMs), "colourize.ok_at_defaults_closes",
                 "the dialog stays open");
  s.model.document().screenshot = LoadPicture(s.shot);
  s.View("colourize.defaults_give_the_uncoloured_screenshot");
}

}  // namespace

void RunColourizeChecks(const DriverContext& context) {
  const std::wstring shots = context.scratchDir + L"\\shots";
  ColourizeScenario s(context);
  s.shot = shots + L"\\" + kShotExact.file;
  std::string error;
  if (!WriteTestPicture(shots, kShotExact, error)) {
    context.log.Fail("colourize.stage", error);
    return;
  }
  if (!s.Start()) return;
  Guard(s);
  if (!TakeScreenshot(s)) return;
  SettingsThenCancel(s);
  KeyThenOk(s);
  SceneRendersTheView(s);
  ReopenThenDefaults(s);
}
