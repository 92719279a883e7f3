// The screenshot chooser and the crop dialog: a picture of exactly 234 x 232 taken without
// a question, the open dialog's preview pane, a picture too low refused, a larger one
// declined, cropped and cancelled (nothing lost), then cropped with typed, stepped and
// clicked positions, the clamping, the preview at 1:1 and the minimum size. After each
// step the view equals the core's picture of the same document.
#include <windows.h>

#include <string>

#include "content_commands.h"
#include "content_dialog_steps.h"
#include "crop_image.h"
#include "crop_position.h"
#include "dib_image.h"
#include "editor_ids.h"
#include "input.h"
#include "preview_fit.h"
#include "remote_controls.h"
#include "scenario_support.h"
#include "scenarios.h"
#include "wide_text.h"
#include "window_search.h"

namespace {

constexpr int kPreviewChooserTop = 700;

struct Scenario {
  const DriverContext& context;
  EditorSession& session;
  ExpectedScreen& model;
  std::wstring shots;  // the folder of the test pictures
  HWND settings = nullptr;
  std::wstring taken;  // the file name the settings dialog shows

  CheckLog& log() const { return context.log; }
  std::wstring Path(const TestPicture& picture) const { return shots + L"\\" + picture.file; }
  bool View(const std::string& name) const { return ExpectView(context, session, model, name); }
  void ExpectName(const std::string& name) const {
    const std::wstring shown = ControlText(GetDlgItem(settings, ids::kScreenshotName));
    log().Expect(shown == taken, name, "the file name field shows " + Quoted(shown) + ", expected " + Quoted(taken));
  }
};

HWND FindDescendant(HWND parent, const wchar_t* className) {
  struct Search {
    const wchar_t* className;
    HWND found;
  } search{className, nullptr};
  EnumChildWindows(
      parent,
      [](HWND window, LPARAM context) -> BOOL {
        auto* s = reinterpret_cast<Search*>(context);
        if (ClassNameOf(window) != s->className) return TRUE;
        s->found = window;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

void TakeExact(Scenario& s) {
  std::string error;
  if (!BrowseForScreenshot(s.session, s.settings, s.Path(kShotExact), error)) {
    s.log().Fail("screenshot.exact_taken", error);
    return;
  }
  s.log().Expect(NoWindowShows(s.session, texts::kProgramCaption, 500), "screenshot.exact_without_question",
                 "a message box came up");
  SetScreenshot(s.model.document(), LoadPicture(s.Path(kShotExact)));
  s.taken = s.Path(kShotExact);
  s.View("screenshot.exact_taken");
  s.ExpectName("screenshot.exact_name_shown");
}

// The chooser opens in the folder of the last file; the first file there is the small
// picture, which the pane shows unscaled and centred.
void PreviewThenTooLow(Scenario& s) {
  PostMessageW(GetDlgItem(s.settings, ids::kScreenshotBrowse), BM_CLICK, 0, 0);
  HWND chooser = s.session.WaitForDialog(texts::kOpenImageCaption);
  HWND pane = chooser ? FindDescendant(chooser, ids::kImagePreviewClass) : nullptr;
  HWND files = chooser ? FindDescendant(chooser, L"SysListView32") : nullptr;
  if (!pane || !files) {
    s.log().Fail("screenshot.open_dialog_has_preview", "no open dialog with an ImagePreview pane and a file list");
    return;
  }
  // The dialog opens beside its owner, which is parked at the screen's right edge: it is
  // brought fully onto the screen, below the view.
  SetWindowPos(chooser, nullptr, kWindowLeft, kPreviewChooserTop, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  PostMessageW(files, WM_KEYDOWN, VK_DOWN, 1);
  RECT client{};
  GetClientRect(pane, &client);
  const PreviewPlacement at = FitPreview(kPreviewSmall.width, kPreviewSmall.height, client.right, client.bottom);
  const RECT area{at.x, at.y, at.x + at.width, at.y + at.height};
  std::string detail;
  const MemoryImage picture = MakeTestPicture(kPreviewSmall.width, kPreviewSmall.height);
  s.log().Expect(!at.scaled && ControlShows(pane, picture, detail, &area), "screenshot.preview_pane_shows_file",
                 detail);
  std::string error;
  if (!ChooseInOpenDialog(s.session, s.Path(kShotTooLow), error)) {
    s.log().Fail("screenshot.too_low_refused", error);
    return;
  }
  std::wstring text;
  const bool answered = AnswerMessageBox(s.session, texts::kProgramCaption, IDOK, text);
  s.log().Expect(answered && text == texts::kScreenshotTooSmall, "screenshot.too_low_refused",
                 answered ? "the message is " + Quoted(text) : "no message box");
  s.View("screenshot.too_low_keeps_screenshot");
  s.ExpectName("screenshot.too_low_keeps_name");
}

// Opens the larger picture and answers the crop question; returns the crop dialog when the
// answer was Yes.
HWND OpenLarge(Scenario& s, int answer, const std::string& name) {
  std::string error;
  if (!BrowseForScreenshot(s.session, s.settings, s.Path(kShotLarge), error)) {
    s.log().Fail(name, error);
    return nullptr;
  }
  std::wstring text;
  if (!AnswerMessageBox(s.session, texts::kProgramCaption, answer, text) || text != texts::kCropQuestion) {
    s.log().Fail(name, "no crop question, or " + Quoted(text));
    return nullptr;
  }
  if (answer != IDYES) return nullptr;
  HWND crop = s.session.WaitForDialog(texts::kCropCaption);
  if (!crop) s.log().Fail(name, "no crop dialog after Yes");
  return crop;
}

std::wstring Field(HWND dialog, int id) { return ControlText(GetDlgItem(dialog, id)); }

void ExpectFields(Scenario& s, HWND crop, const std::wstring& x, const std::wstring& y, const std::string& name) {
  std::wstring gotX, gotY;
  const bool same = WaitUntil([&] {
    gotX = Field(crop, ids::kCropX);
    gotY = Field(crop, ids::kCropY);
    return gotX == x && gotY == y;
  });
  s.log().Expect(same, name, "the fields show " + Quoted(gotX) + ", " + Quoted(gotY) + " instead of " + Quoted(x) +
                                 ", " + Quoted(y));
}

// The crop preview at 1:1 must equal the core's crop picture with the box at (x, y).
void ExpectCropPreview(Scenario& s, HWND crop, int x, int y, const std::string& name) {
  MemoryImage expected = MakeTestPicture(kShotLarge.width, kShotLarge.height);
  DarkenOutsideCrop(expected, x, y, ScreenshotWidth, ScreenshotHeight);
  std::string detail;
  s.log().Expect(ControlShows(GetDlgItem(crop, ids::kCropPreview), expected, detail), name, detail);
}

void Resize(HWND dialog, int width, int height) {
  SendAndWait(dialog, WM_NULL, 0, 0);
  SetWindowPos(dialog, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  SendAndWait(dialog, WM_NULL, 0, 0);
}

// The preview is 480 x 300 client pixels, exactly the picture: stretching copies it.
bool PreviewAtOneToOne(Scenario& s, HWND crop) {
  RECT outer{}, client{};
  GetWindowRect(crop, &outer);
  GetClientRect(crop, &client);
  const int frameWidth = (outer.right - outer.left) - client.right;
  const int frameHeight = (outer.bottom - outer.top) - client.bottom;
  Resize(crop, kShotLarge.width + 24 + frameWidth, kShotLarge.height + 172 + frameHeight);
  RECT preview{};
  GetClientRect(GetDlgItem(crop, ids::kCropPreview), &preview);
  return s.log().Expect(preview.right == kShotLarge.width && preview.bottom == kShotLarge.height,
                        "screenshot.crop_preview_follows_dialog_size",
                        "the preview is " + std::to_string(preview.right) + " x " + std::to_string(preview.bottom) +
                            " instead of 480 x 300");
}

void ClickPreview(HWND crop, int x, int y) {
  HWND preview = GetDlgItem(crop, ids::kCropPreview);
  POINT at{x, y};
  ClientToScreen(preview, &at);
  MoveMouseTo(at);
  PressMouseButton();
  ReleaseMouseButton();
}

void CancelledCrop(Scenario& s) {
  HWND crop = OpenLarge(s, IDYES, "screenshot.crop_cancel");
  if (!crop) return;
  SendAndWait(GetDlgItem(crop, ids::kCropX), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"20"));
  PostMessageW(GetDlgItem(crop, IDCANCEL), BM_CLICK, 0, 0);
  s.log().Expect(WaitForWindowGone(crop, kDefaultWaitMs), "screenshot.crop_cancel_closes", "the crop dialog stays");
  s.View("screenshot.crop_cancel_keeps_screenshot");
  s.ExpectName("screenshot.crop_cancel_keeps_name");
}

void Crop(Scenario& s) {
  OpenLarge(s, IDNO, "screenshot.crop_declined");
  s.log().Expect(NoWindowShows(s.session, texts::kCropCaption, 500), "screenshot.crop_declined_no_dialog",
                 "the crop dialog opened after No");
  s.View("screenshot.crop_declined_keeps_screenshot");
  s.ExpectName("screenshot.crop_declined_keeps_name");
  CancelledCrop(s);

  HWND crop = OpenLarge(s, IDYES, "screenshot.crop_dialog_opens");
  if (!crop) return;
  const std::wstring fields = Field(crop, ids::kCropFileName) + L"|" + Field(crop, ids::kCropWidth) + L"|" +
                              Field(crop, ids::kCropHeight);
  const std::wstring want = s.Path(kShotLarge) + L"|234|232";
  s.log().Expect(fields == want, "screenshot.crop_shows_file_and_box_size", Quoted(fields));
  ExpectFields(s, crop, L"0", L"0", "screenshot.crop_starts_at_0_0");
  if (!PreviewAtOneToOne(s, crop)) return;
  ExpectCropPreview(s, crop, 0, 0, "screenshot.crop_preview_at_0_0");

  // Typed beyond the picture: the box stops at 480 - 234 - 1, the field keeps the text.
  SendAndWait(GetDlgItem(crop, ids::kCropX), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"99999"));
  ExpectFields(s, crop, L"99999", L"0", "screenshot.crop_typed_text_kept");
  ExpectCropPreview(s, crop, 245, 0, "screenshot.crop_typed_x_clamped_to_245");
  // Stepped to the up-down's top, one above the limit: the field shows 68, the box stops at 67.
  HWND y = GetDlgItem(crop, ids::kCropY);
  SendAndWait(y, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"66"));
  for (int step = 0; step < 3; ++step) SendAndWait(y, WM_KEYDOWN, VK_UP, 1);
  ExpectFields(s, crop, L"99999", L"68", "screenshot.crop_steps_stop_at_68");
  ExpectCropPreview(s, crop, 245, 67, "screenshot.crop_stepped_y_clamped_to_67");

  // Clicks centre the box: (300, 200) gives (183, 84), clamped to 67; the corner gives the limits.
  ClickPreview(crop, 300, 200);
  ExpectFields(s, crop, L"183", L"67", "screenshot.crop_click_centres_box");
  ExpectCropPreview(s, crop, 183, 67, "screenshot.crop_click_preview");
  ClickPreview(crop, 479, 299);
  ExpectFields(s, crop, L"245", L"67", "screenshot.crop_corner_click_clamped");

  // Smaller than 440 x 334 is refused; the picture is then stretched, clicks scaled back.
  Resize(crop, 300, 200);
  RECT outer{};
  GetWindowRect(crop, &outer);
  s.log().Expect(outer.right - outer.left == 440 && outer.bottom - outer.top == 334, "screenshot.crop_minimum_size",
                 "the dialog is " + std::to_string(outer.right - outer.left) + " x " +
                     std::to_string(outer.bottom - outer.top));
  RECT preview{};
  GetClientRect(GetDlgItem(crop, ids::kCropPreview), &preview);
  const int cropX = CropPositionFromClick(250, preview.right, kShotLarge.width, ScreenshotWidth);
  const int cropY = CropPositionFromClick(30, preview.bottom, kShotLarge.height, ScreenshotHeight);
  ClickPreview(crop, 250, 30);
  ExpectFields(s, crop, std::to_wstring(cropX), std::to_wstring(cropY), "screenshot.crop_click_on_stretched_preview");

  PostMessageW(GetDlgItem(crop, IDOK), BM_CLICK, 0, 0);
  s.log().Expect(WaitForWindowGone(crop, kDefaultWaitMs), "screenshot.crop_ok_closes", "the crop dialog stays");
  MemoryImage cropped;
  CropImage(cropped, MakeTestPicture(kShotLarge.width, kShotLarge.height), cropX, cropY, ScreenshotWidth,
            ScreenshotHeight);
  SetScreenshot(s.model.document(), std::move(cropped));
  s.taken = s.Path(kShotLarge);
  s.View("screenshot.crop_ok_takes_the_box");
  s.ExpectName("screenshot.crop_ok_name_shown");
}

}  // namespace

void RunScreenshotChecks(const DriverContext& context) {
  EditorSession session(context);
  ExpectedScreen model;
  Scenario s{context, session, model, context.scratchDir + L"\\shots", nullptr, {}};
  std::string error;
  for (const TestPicture& picture : {kShotExact, kShotTooLow, kShotLarge, kPreviewSmall}) {
    if (!WriteTestPicture(s.shots, picture, error)) {
      context.log.Fail("screenshot.stage", error);
      return;
    }
  }
  if (!StartScenario(context, session, model, "screenshot", context.packageDir)) return;
  s.settings = OpenLoadScreenSettings(session);
  if (!s.settings) {
    context.log.Fail("screenshot.dialog_opens", "the load screen settings dialog did not open");
    return;
  }
  TakeExact(s);
  PreviewThenTooLow(s);
  Crop(s);
  PostMessageW(GetDlgItem(s.settings, IDCANCEL), BM_CLICK, 0, 0);
  WaitForWindowGone(s.settings, kDefaultWaitMs);
}
