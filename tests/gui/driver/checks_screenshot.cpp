// The screenshot chooser and the crop dialog: a picture of exactly 234 x 232 taken without
// a question, the open dialog's preview pane, a picture too low refused, a text file named
// .png refused with the loader's reason, a larger one declined (which the status bar says),
// cropped and cancelled (nothing lost), then cropped with typed, stepped, clicked and
// dragged positions, the clamping, the preview at 1:1 with the box outlined on all four
// edges, the labelled controls apart, the minimum size and a double click on the caption
// that maximizes the dialog without moving the box. After each step the view equals the
// core's picture of the same document.
#include <windows.h>

#include <string>

#include "content_commands.h"
#include "content_dialog_steps.h"
#include "crop_image.h"
#include "crop_position.h"
#include "image_files.h"
#include "input.h"
#include "letterbox_fit.h"
#include "package_staging.h"
#include "preview_fit.h"
#include "remote_controls.h"
#include "resource.h"
#include "run_language.h"
#include "scenario.h"
#include "scenario_support.h"
#include "scenarios.h"
#include "wide_text.h"
#include "window_search.h"

namespace {

constexpr int kChooserTop = 700;  // below the view

struct ScreenshotScenario : Scenario {
  explicit ScreenshotScenario(const DriverContext& context) : Scenario(context, "screenshot") {}
  std::wstring shots;  // the folder of the test pictures
  HWND settings = nullptr;
  std::wstring taken = L"";  // the file name the settings dialog must show

  std::wstring Path(const TestPicture& picture) const { return shots + L"\\" + picture.file; }
  void ExpectName(const std::string& name) const {
    const std::wstring shown = ControlText(GetDlgItem(settings, IDC_SCREENSHOT_NAME));
    log().Expect(shown == taken, name, "the file name field shows " + Quoted(shown) + ", expected " + Quoted(taken));
  }
  // The screenshot, its file name and the view are as they were.
  void ExpectUnchanged(const std::string& name) {
    View(name + "_keeps_screenshot");
    ExpectName(name + "_keeps_name");
  }
};

HWND DescendantOfClass(HWND parent, const wchar_t* className) {
  std::pair<const wchar_t*, HWND> search{className, nullptr};
  EnumChildWindows(
      parent,
      [](HWND window, LPARAM context) -> BOOL {
        auto* s = reinterpret_cast<std::pair<const wchar_t*, HWND>*>(context);
        if (ClassNameOf(window) == s->first) s->second = window;
        return s->second == nullptr;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.second;
}

void TakeExact(ScreenshotScenario& s) {
  std::string error;
  if (!BrowseForScreenshot(s.session, s.settings, s.Path(kShotExact), error)) {
    s.log().Fail("screenshot.exact_taken", error);
    return;
  }
  s.log().Expect(NoWindowShows(s.session, EditorText(Text::ProgramCaption), 500), "screenshot.exact_without_question",
                 "a message box came up");
  SetScreenshot(s.model.document(), LoadPicture(s.Path(kShotExact)));
  s.taken = s.Path(kShotExact);
  s.View("screenshot.exact_taken");
  s.ExpectName("screenshot.exact_name_shown");
}

// The chooser opens in the folder of the last file, whose first file is the small picture:
// the pane shows it unscaled and centred.
void PreviewThenTooLow(ScreenshotScenario& s) {
  PostMessageW(GetDlgItem(s.settings, IDC_SCREENSHOT_BROWSE), BM_CLICK, 0, 0);
  HWND chooser = s.session.WaitForDialog(EditorText(Text::OpenImageCaption));
  HWND pane = chooser ? DescendantOfClass(chooser, L"ImagePreview") : nullptr;
  HWND files = chooser ? DescendantOfClass(chooser, L"SysListView32") : nullptr;
  if (!pane || !files) {
    s.log().Fail("screenshot.open_dialog_has_preview", "no open dialog with an ImagePreview pane and a file list");
    return;
  }
  const HWND label = GetDlgItem(GetParent(pane), IDC_PREVIEW_LABEL);
  s.log().Expect(label && ControlText(label) == EditorText(Text::ImagePreviewLabel),
                 "screenshot.preview_label_in_language",
                 label ? "the label says " + Quoted(ControlText(label)) : "no label above the pane");
  // It opens beside its owner, parked at the screen's edge.
  SetWindowPos(chooser, nullptr, kWindowLeft, kChooserTop, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  PostMessageW(files, WM_KEYDOWN, VK_DOWN, 1);
  RECT client{};
  GetClientRect(pane, &client);
  const PreviewPlacement at = FitPreview(kPreviewSmall.width, kPreviewSmall.height, client.right, client.bottom);
  const RECT area{at.x, at.y, at.x + at.width, at.y + at.height};
  std::string detail;
  s.log().Expect(ControlShows(pane, MakeTestPicture(kPreviewSmall.width, kPreviewSmall.height), detail, &area),
                 "screenshot.preview_pane_shows_file", detail);
  std::wstring text;
  const bool answered = ChooseInOpenDialog(s.session, s.Path(kShotTooLow), detail) &&
                        AnswerMessageBox(s.session, EditorText(Text::ProgramCaption), IDOK, text);
  s.log().Expect(answered && text == EditorText(Text::ScreenshotTooSmall), "screenshot.too_low_refused",
                 answered ? "the message is " + Quoted(text) : "no message box");
  s.ExpectUnchanged("screenshot.too_low");
}

// Opens the larger picture and answers the crop question; the crop dialog after Yes.
HWND OpenLarge(ScreenshotScenario& s, int answer, const std::string& name) {
  std::string error;
  std::wstring text;
  if (!BrowseForScreenshot(s.session, s.settings, s.Path(kShotLarge), error) ||
      !AnswerMessageBox(s.session, EditorText(Text::ProgramCaption), answer, text) ||
      text != EditorText(Text::CropQuestion)) {
    s.log().Fail(name, "no crop question: " + error + Quoted(text));
    return nullptr;
  }
  HWND crop = answer == IDYES ? s.session.WaitForDialog(texts::kCropCaption) : nullptr;
  if (answer == IDYES && !crop) s.log().Fail(name, "no crop dialog after Yes");
  return crop;
}

std::wstring Field(HWND dialog, int id) { return ControlText(GetDlgItem(dialog, id)); }

void ExpectFields(ScreenshotScenario& s, HWND crop, const std::wstring& x, const std::wstring& y,
                  const std::string& name) {
  std::wstring got;
  const bool same =
      WaitUntil([&] { return (got = Field(crop, IDC_CROP_X) + L"," + Field(crop, IDC_CROP_Y)) == x + L"," + y; });
  s.log().Expect(same, name, "the fields show " + Quoted(got) + " instead of " + Quoted(x + L"," + y));
}

// With the preview as large as the picture, it equals the core's crop picture at (x, y).
void ExpectCropPreview(ScreenshotScenario& s, HWND crop, int x, int y, const std::string& name) {
  MemoryImage expected = MakeTestPicture(kShotLarge.width, kShotLarge.height);
  DarkenOutsideCrop(expected, x, y, ScreenshotWidth, ScreenshotHeight);
  std::string detail;
  s.log().Expect(ControlShows(GetDlgItem(crop, IDC_CROP_PREVIEW), expected, detail), name, detail);
}

// Sizes the dialog so that its client area is width x height, or as near as it allows.
SIZE ResizeClient(HWND dialog, int width, int height) {
  RECT outer{}, client{};
  GetWindowRect(dialog, &outer);
  GetClientRect(dialog, &client);
  SetWindowPos(dialog, nullptr, 0, 0, width + (outer.right - outer.left) - client.right,
               height + (outer.bottom - outer.top) - client.bottom, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  SendAndWait(dialog, WM_NULL, 0, 0);
  GetWindowRect(dialog, &outer);
  return {outer.right - outer.left, outer.bottom - outer.top};
}

void ClickPreview(HWND crop, int x, int y) {
  POINT at{x, y};
  ClientToScreen(GetDlgItem(crop, IDC_CROP_PREVIEW), &at);
  MoveMouseTo(at);
  PressMouseButton();
  ReleaseMouseButton();
}

// A text file named .png is refused with the loader's reason, naming the file.
void UnreadableRefused(ScreenshotScenario& s) {
  const std::wstring notes = s.shots + L"\\text_notes.png";
  std::string error, reason;
  MemoryImage ignored;
  LoadImageFile(ToAnsi(notes).c_str(), ignored, reason);
  std::wstring text;
  const bool answered = BrowseForScreenshot(s.session, s.settings, notes, error) &&
                        AnswerMessageBox(s.session, EditorText(Text::ProgramCaption), IDOK, text);
  const std::wstring want = EditorText({{Text::PictureUnreadable},
                                        {Text::FileLine, {{"file", ToAnsi(notes)}}},
                                        {Text::ReasonAfterFile, {{"reason", reason}}}});
  s.log().Expect(answered && text == want, "screenshot.text_file_named_png_refused",
                 answered ? "the message is " + Quoted(text) + ", expected " + Quoted(want)
                          : "no message box " + error);
  s.ExpectUnchanged("screenshot.text_file_named_png");
}

POINT OnPreview(HWND crop, int x, int y) {
  POINT at{x, y};
  ClientToScreen(GetDlgItem(crop, IDC_CROP_PREVIEW), &at);
  return at;
}

// At 1:1 the box's corner is the mouse less half the box (117, 116), within 0..245, 0..67.
void DragBox(ScreenshotScenario& s, HWND crop) {
  MoveMouseTo(OnPreview(crop, 150, 130));
  PressMouseButton();
  ExpectFields(s, crop, L"33", L"14", "screenshot.crop_press_places_box");
  MoveMouseTo(OnPreview(crop, 200, 150));
  ExpectFields(s, crop, L"83", L"34", "screenshot.crop_box_follows_drag");
  ExpectCropPreview(s, crop, 83, 34, "screenshot.crop_drag_preview");
  MoveMouseTo(OnPreview(crop, 230, 170));
  ReleaseMouseButton();
  ExpectFields(s, crop, L"113", L"54", "screenshot.crop_release_ends_drag");
  MoveMouseTo(OnPreview(crop, 300, 120));
  SendAndWait(crop, WM_NULL, 0, 0);
  const std::wstring after = Field(crop, IDC_CROP_X) + L"," + Field(crop, IDC_CROP_Y);
  s.log().Expect(after == L"113,54", "screenshot.crop_move_without_button_keeps_box",
                 "the fields show " + Quoted(after));
}

// A double click on the caption maximizes the dialog under the mouse; the second click's
// release then lands on the preview, which must not take it for a click of its own.
void TitleDoubleClick(ScreenshotScenario& s, HWND crop) {
  const std::wstring before = Field(crop, IDC_CROP_X) + L"," + Field(crop, IDC_CROP_Y);
  SetWindowPos(crop, nullptr, 200, 400, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  RECT outer{}, client{};
  GetWindowRect(crop, &outer);
  GetClientRect(crop, &client);
  POINT clientOrigin{0, 0};
  ClientToScreen(crop, &clientOrigin);
  // Half-way down the caption, left of its buttons.
  const POINT caption{outer.left + 80, (outer.top + clientOrigin.y) / 2};
  MoveMouseTo(caption);
  for (int click = 0; click < 2; ++click) {
    PressMouseButton();
    ReleaseMouseButton();
  }
  const bool maximized = WaitUntil([&] { return IsZoomed(crop) != FALSE; });
  SendAndWait(crop, WM_NULL, 0, 0);
  SendAndWait(GetDlgItem(crop, IDC_CROP_PREVIEW), WM_NULL, 0, 0);
  const std::wstring after = Field(crop, IDC_CROP_X) + L"," + Field(crop, IDC_CROP_Y);
  s.log().Expect(maximized && after == before, "screenshot.crop_title_double_click_keeps_box",
                 (maximized ? "" : "the dialog did not maximize; ") + std::string("the fields show ") + Quoted(after) +
                     " instead of " + Quoted(before));
  SendAndWait(crop, WM_SYSCOMMAND, SC_RESTORE, 0);
}

void DeclinedAndCancelled(ScreenshotScenario& s) {
  OpenLarge(s, IDNO, "screenshot.crop_declined");
  s.log().Expect(NoWindowShows(s.session, texts::kCropCaption, 500), "screenshot.crop_declined_no_dialog",
                 "the crop dialog opened after No");
  ExpectStatus(s.context, s.session, 2, EditorText(Text::ScreenshotNotChanged), "screenshot.crop_declined_says_so");
  s.ExpectUnchanged("screenshot.crop_declined");
  HWND crop = OpenLarge(s, IDYES, "screenshot.crop_cancel");
  if (!crop) return;
  SendAndWait(GetDlgItem(crop, IDC_CROP_X), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"20"));
  PostMessageW(GetDlgItem(crop, IDCANCEL), BM_CLICK, 0, 0);
  s.log().Expect(WaitForWindowGone(crop, kDefaultWaitMs), "screenshot.crop_cancel_closes", "the crop dialog stays");
  s.ExpectUnchanged("screenshot.crop_cancel");
}

void Crop(ScreenshotScenario& s) {
  HWND crop = OpenLarge(s, IDYES, "screenshot.crop_dialog_opens");
  if (!crop) return;
  const std::wstring shown =
      Field(crop, IDC_CROP_FILE_NAME) + L"|" + Field(crop, IDC_CROP_WIDTH) + L"|" + Field(crop, IDC_CROP_HEIGHT);
  s.log().Expect(shown == s.Path(kShotLarge) + L"|234|232", "screenshot.crop_shows_file_and_box_size", Quoted(shown));
  const std::string layout = CropLayoutProblems(crop);
  s.log().Expect(layout.empty(), "screenshot.crop_controls_labelled_and_apart", layout);
  ExpectFields(s, crop, L"0", L"0", "screenshot.crop_starts_at_0_0");
  // The preview follows the dialog's size: made exactly as large as the picture.
  ResizeClient(crop, kShotLarge.width + 24, kShotLarge.height + 172);
  RECT preview{};
  GetClientRect(GetDlgItem(crop, IDC_CROP_PREVIEW), &preview);
  if (!s.log().Expect(preview.right == kShotLarge.width && preview.bottom == kShotLarge.height,
                      "screenshot.crop_preview_follows_dialog_size",
                      "the preview is " + std::to_string(preview.right) + " x " + std::to_string(preview.bottom)))
    return;
  ExpectCropPreview(s, crop, 0, 0, "screenshot.crop_preview_at_0_0");

  // Typed beyond the picture: the box stops at 480 - 234 - 1, the field keeps the text.
  SendAndWait(GetDlgItem(crop, IDC_CROP_X), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"99999"));
  ExpectFields(s, crop, L"99999", L"0", "screenshot.crop_typed_text_kept");
  ExpectCropPreview(s, crop, 245, 0, "screenshot.crop_typed_x_clamped_to_245");
  // Stepped to the up-down's top, one above the limit: the field shows 68, the box stops at 67.
  HWND y = GetDlgItem(crop, IDC_CROP_Y);
  SendAndWait(y, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"66"));
  for (int step = 0; step < 3; ++step) SendAndWait(y, WM_KEYDOWN, VK_UP, 1);
  ExpectFields(s, crop, L"99999", L"68", "screenshot.crop_steps_stop_at_68");
  ExpectCropPreview(s, crop, 245, 67, "screenshot.crop_stepped_y_clamped_to_67");
  // A click centres the box: (300, 200) gives (183, 84), clamped to 67; the corner the limits.
  ClickPreview(crop, 300, 200);
  ExpectFields(s, crop, L"183", L"67", "screenshot.crop_click_centres_box");
  ExpectCropPreview(s, crop, 183, 67, "screenshot.crop_click_preview");
  ClickPreview(crop, 479, 299);
  ExpectFields(s, crop, L"245", L"67", "screenshot.crop_corner_click_clamped");
  DragBox(s, crop);

  // Smaller than 440 x 334 is refused; in the letterboxed preview a click maps back through
  // the one scale the picture is drawn with.
  const SIZE size = ResizeClient(crop, 200, 100);
  s.log().Expect(size.cx == 440 && size.cy == 334, "screenshot.crop_minimum_size",
                 "the dialog is " + std::to_string(size.cx) + " x " + std::to_string(size.cy));
  GetClientRect(GetDlgItem(crop, IDC_CROP_PREVIEW), &preview);
  const Letterbox box = FitLetterbox(kShotLarge.width, kShotLarge.height, preview.right, preview.bottom);
  const int cropX = CropPositionFromClick(250 - box.x, box.width, kShotLarge.width, ScreenshotWidth);
  const int cropY = CropPositionFromClick(30 - box.y, box.height, kShotLarge.height, ScreenshotHeight);
  ClickPreview(crop, 250, 30);
  ExpectFields(s, crop, std::to_wstring(cropX), std::to_wstring(cropY), "screenshot.crop_click_on_letterboxed_preview");
  TitleDoubleClick(s, crop);

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
  ScreenshotScenario s(context);
  s.shots = context.scratchDir + L"\\shots";
  std::string error;
  for (const TestPicture& picture : {kShotExact, kShotTooLow, kShotLarge, kPreviewSmall}) {
    if (!WriteTestPicture(s.shots, picture, error)) {
      context.log.Fail("screenshot.stage", error);
      return;
    }
  }
  if (!WriteFileIn(s.shots, L"text_notes.png", "Meeting at noon.\r\nBring the maps.\r\n", error)) {
    context.log.Fail("screenshot.stage", error);
    return;
  }
  if (!s.Start()) return;
  s.settings = OpenLoadScreenSettings(s.session);
  if (!s.settings) {
    context.log.Fail("screenshot.dialog_opens", "the load screen settings dialog did not open");
    return;
  }
  TakeExact(s);
  PreviewThenTooLow(s);
  UnreadableRefused(s);
  DeclinedAndCancelled(s);
  Crop(s);
  PostMessageW(GetDlgItem(s.settings, IDCANCEL), BM_CLICK, 0, 0);
  WaitForWindowGone(s.settings, kDefaultWaitMs);
}
