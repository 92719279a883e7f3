// Edit > Paste screenshot and the crop dialog's scale: with nothing on the clipboard Ctrl+V
// says so and the item is grayed in the open menu, as it is for a copied text file; an
// absurd bitmap is refused with a message; a picture copied as PNG (the registered format
// "PNG") is offered, No to the crop question says the screenshot stays, and Yes and OK give
// the picture the same file gives when it is chosen in the dialog; a 300 x 280 bitmap put
// there by the driver goes through the crop question and the dialog, where a scale below
// the smallest that fits stops at it (the field shows the scale in force once it is not
// being typed in), the corner is clamped to the larger region, and OK gives the core's
// scaled crop (what ScreenshotScale gives a scene); Undo takes it away in one step.
#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>

#include <cstring>
#include <string>
#include <vector>

#include "clipboard_reader.h"
#include "content_commands.h"
#include "content_dialog_steps.h"
#include "input.h"
#include "package_staging.h"
#include "remote_controls.h"
#include "resource.h"
#include "run_language.h"
#include "scaled_crop.h"
#include "scenario_support.h"
#include "scenarios.h"
#include "wait.h"
#include "wide_text.h"
#include "window_search.h"

namespace {

constexpr int kPastedWidth = 300, kPastedHeight = 280;

std::wstring NoPictureText() { return EditorText({{Text::PasteNoPicture}}); }

// Puts `size` bytes at `data` on the clipboard alone, as `format`.
bool PutBytes(UINT format, const void* data, std::size_t size) {
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size);
  void* at = memory ? GlobalLock(memory) : nullptr;
  if (!at) return false;
  std::memcpy(at, data, size);
  GlobalUnlock(memory);
  if (!OpenClipboard(nullptr)) return GlobalFree(memory), false;
  const bool put = EmptyClipboard() && SetClipboardData(format, memory);
  if (!put) GlobalFree(memory);
  CloseClipboard();
  return put;
}

bool PutBytes(UINT format, const std::string& bytes) { return PutBytes(format, bytes.data(), bytes.size()); }

// A CF_DIB of 24-bit bottom-up rows, as a paint program leaves it; `claimedWidth` and
// `claimedHeight` may lie about the rows that follow.
bool PutDib(const MemoryImage& picture, int claimedWidth, int claimedHeight) {
  const int stride = (picture.width * 3 + 3) / 4 * 4;
  std::vector<unsigned char> bytes(sizeof(BITMAPINFOHEADER) + static_cast<size_t>(stride) * picture.height);
  BITMAPINFOHEADER header{};
  header.biSize = sizeof header;
  header.biWidth = claimedWidth;
  header.biHeight = claimedHeight;
  header.biPlanes = 1;
  header.biBitCount = 24;
  std::memcpy(bytes.data(), &header, sizeof header);
  for (int y = 0; y < picture.height; ++y) {
    unsigned char* row = bytes.data() + sizeof header + static_cast<size_t>(stride) * (picture.height - 1 - y);
    for (int x = 0; x < picture.width; ++x) {
      const Pixel p = picture.ReadPixel(x, y);
      row[3 * x] = static_cast<unsigned char>(p), row[3 * x + 1] = static_cast<unsigned char>(p >> 8);
      row[3 * x + 2] = static_cast<unsigned char>(p >> 16);
    }
  }
  return PutBytes(CF_DIB, bytes.data(), bytes.size());
}

// The bytes of the PNG file at `path` under the registered format "PNG", as Linux
// screenshot tools and Wine's clipboard bridge offer a copied picture.
bool PutPng(const std::wstring& path) {
  const std::string bytes = ReadWholeFile(path);
  return !bytes.empty() && PutBytes(RegisterClipboardFormatW(L"PNG"), bytes);
}

// A copied file list (CF_HDROP) naming `path`.
bool PutCopiedFile(const std::wstring& path) {
  std::string list(sizeof(DROPFILES), '\0');
  DROPFILES header{};
  header.pFiles = sizeof header;
  header.fWide = TRUE;
  std::memcpy(list.data(), &header, sizeof header);
  const std::wstring names = path + L'\0' + L'\0';
  list.append(reinterpret_cast<const char*>(names.data()), names.size() * sizeof(wchar_t));
  return PutBytes(CF_HDROP, list);
}

// The Edit menu's paste item as the open menu shows it: the menu loop's messages sent as
// the system sends them when the user opens Edit (the editor looks at no parameter).
bool PasteGrayedInOpenMenu(const EditorSession& session) {
  SendAndWait(session.main(), WM_ENTERMENULOOP, FALSE, 0);
  SendAndWait(session.main(), WM_INITMENUPOPUP, 0, 1);
  MenuItemState item;
  const bool grayed = session.MenuItem(IDM_PASTE_SCREENSHOT, item) && item.grayed();
  SendAndWait(session.main(), WM_EXITMENULOOP, FALSE, 0);
  return grayed;
}

std::wstring Field(HWND dialog, int id) { return ControlText(GetDlgItem(dialog, id)); }

void NothingToPaste(Scenario& s) {
  s.log().Expect(EmptyClipboardNow() && PasteGrayedInOpenMenu(s.session), "paste.grayed_without_picture",
                 "the item is enabled in the open menu with an empty clipboard");
  TypeShortcut('V', kCtrl);
  std::wstring text;
  const bool answered = AnswerMessageBox(s.session, EditorText(Text::ProgramCaption), IDOK, text);
  s.log().Expect(answered && text == NoPictureText(), "paste.ctrl_v_says_no_picture",
                 answered ? "the message is " + Quoted(text) : "no message box after Ctrl+V");

  // A header claiming 100000 x 100000 pixels over a few bytes of rows.
  PutDib(MakeTestPicture(4, 4), 100000, 100000);
  s.log().Expect(!PasteGrayedInOpenMenu(s.session), "paste.enabled_with_bitmap", "the item is grayed");
  s.session.PostCommand(IDM_PASTE_SCREENSHOT);
  const bool refused = AnswerMessageBox(s.session, EditorText(Text::ProgramCaption), IDOK, text);
  s.log().Expect(refused && text.find(L"too large") != std::wstring::npos, "paste.absurd_bitmap_refused",
                 refused ? "the message is " + Quoted(text) : "no message box");
}

// A copied text file is no picture: Paste stays grayed. A picture copied as PNG is offered;
// No to the crop question leaves the screenshot and says so; Yes and OK at the dialog's
// start take what choosing the same file would.
void PasteCopiedAsPng(Scenario& s) {
  const std::wstring folder = s.context.scratchDir + L"\\paste";
  std::string error;
  if (!WriteTestPicture(folder, kShotLarge, error) ||
      !WriteFileIn(folder, L"notes.png", "Meeting at noon.\r\nBring the maps.\r\n", error)) {
    s.log().Fail("paste.png_staged", error);
    return;
  }
  const std::wstring png = folder + L"\\" + kShotLarge.file;
  s.log().Expect(PutCopiedFile(folder + L"\\notes.png") && PasteGrayedInOpenMenu(s.session),
                 "paste.grayed_for_copied_text_file", "the item is enabled for a copied text file");
  if (!s.log().Expect(PutPng(png) && !PasteGrayedInOpenMenu(s.session), "paste.enabled_with_png",
                      "the item is grayed with a PNG on the clipboard"))
    return;

  std::wstring text;
  s.session.PostCommand(IDM_PASTE_SCREENSHOT);
  const bool declined = AnswerMessageBox(s.session, EditorText(Text::ProgramCaption), IDNO, text) &&
                        text == EditorText(Text::CropQuestion);
  s.log().Expect(declined, "paste.png_crop_question", "the question is " + Quoted(text));
  ExpectStatus(s.context, s.session, 2, EditorText(Text::ScreenshotNotChanged), "paste.no_says_screenshot_stays");
  s.View("paste.no_keeps_screenshot");

  s.session.PostCommand(IDM_PASTE_SCREENSHOT);
  HWND crop = AnswerMessageBox(s.session, EditorText(Text::ProgramCaption), IDYES, text)
                  ? s.session.WaitForDialog(texts::kCropCaption)
                  : nullptr;
  if (!s.log().Expect(crop != nullptr, "paste.png_crop_dialog_opens", "no crop dialog after Yes")) return;
  PostMessageW(GetDlgItem(crop, IDOK), BM_CLICK, 0, 0);
  s.log().Expect(WaitForWindowGone(crop, kDefaultWaitMs), "paste.png_crop_ok_closes", "the crop dialog stays");
  MemoryImage expected;
  CropAndScale(expected, LoadPicture(png), 0, 0, 100, ScreenshotWidth, ScreenshotHeight);
  s.model.Command(IDM_PASTE_SCREENSHOT);
  SetScreenshot(s.model.document(), std::move(expected), "clipboard");
  s.View("paste.png_same_as_the_file");
}

void PasteScaled(Scenario& s) {
  const MemoryImage picture = MakeTestPicture(kPastedWidth, kPastedHeight);
  if (!PutDib(picture, kPastedWidth, kPastedHeight)) {
    s.log().Fail("paste.bitmap_put", "the driver cannot put a bitmap on the clipboard");
    return;
  }
  s.session.PostCommand(IDM_PASTE_SCREENSHOT);
  std::wstring text;
  if (!AnswerMessageBox(s.session, EditorText(Text::ProgramCaption), IDYES, text) ||
      text != EditorText(Text::CropQuestion)) {
    s.log().Fail("paste.crop_question", "no crop question: " + Quoted(text));
    return;
  }
  HWND crop = s.session.WaitForDialog(texts::kCropCaption);
  if (!s.log().Expect(crop != nullptr, "paste.crop_dialog_opens", "no crop dialog after Yes")) return;
  s.session.ParkDialog(crop);
  const int smallest = SmallestFittingScale(kPastedWidth, kPastedHeight, ScreenshotWidth, ScreenshotHeight);
  const RegionSize region = ScaledRegion(smallest, ScreenshotWidth, ScreenshotHeight);
  // Below the smallest scale that fits: the box stops there (83 %: 281 x 279) and the field,
  // not being typed in, shows the scale in force; the corner then stops one short of the
  // region's room (300 - 281 - 1).
  SendAndWait(GetDlgItem(crop, IDC_CROP_SCALE), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"20"));
  SendAndWait(GetDlgItem(crop, IDC_CROP_X), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"99"));
  const std::wstring want =
      std::to_wstring(smallest) + L"|" + std::to_wstring(region.width) + L"|" + std::to_wstring(region.height);
  std::wstring shown;
  const bool sized = WaitUntil([&] {
    return (shown = Field(crop, IDC_CROP_SCALE) + L"|" + Field(crop, IDC_CROP_WIDTH) + L"|" +
                    Field(crop, IDC_CROP_HEIGHT)) == want;
  });
  s.log().Expect(sized, "paste.scale_stops_at_smallest_fitting", Quoted(shown) + " instead of " + Quoted(want));
  LRESULT range = 0;
  SendAndWait(GetDlgItem(crop, IDC_CROP_SCALE_UPDOWN), UDM_GETRANGE, 0, 0, &range);
  s.log().Expect(HIWORD(range) == smallest && LOWORD(range) == 100, "paste.scale_updown_range",
                 "the range is " + std::to_string(HIWORD(range)) + ".." + std::to_string(LOWORD(range)));

  // Typed: the field keeps what is being typed ("5" on the way to "50") while the box stays
  // at the smallest scale; left, it shows the scale in force.
  HWND scale = GetDlgItem(crop, IDC_CROP_SCALE);
  RECT field{};
  GetWindowRect(scale, &field);
  MoveMouseTo({(field.left + field.right) / 2, (field.top + field.bottom) / 2});
  PressMouseButton();
  ReleaseMouseButton();
  SendAndWait(scale, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L""));
  TapKey('5');
  const bool typing = WaitUntil([&] {
    return (shown = Field(crop, IDC_CROP_SCALE) + L"|" + Field(crop, IDC_CROP_WIDTH)) ==
           L"5|" + std::to_wstring(region.width);
  });
  s.log().Expect(typing, "paste.scale_kept_while_typing", Quoted(shown));
  TapKey(VK_TAB);
  const bool left = WaitUntil([&] { return (shown = Field(crop, IDC_CROP_SCALE)) == std::to_wstring(smallest); });
  s.log().Expect(left, "paste.scale_in_force_shown_when_left",
                 Quoted(shown) + " instead of " + std::to_string(smallest));

  PostMessageW(GetDlgItem(crop, IDOK), BM_CLICK, 0, 0);
  s.log().Expect(WaitForWindowGone(crop, kDefaultWaitMs), "paste.crop_ok_closes", "the crop dialog stays");
  const int x = kPastedWidth - region.width - 1;
  MemoryImage expected;
  CropAndScale(expected, picture, x, 0, smallest, ScreenshotWidth, ScreenshotHeight);
  s.model.Command(IDM_PASTE_SCREENSHOT);
  SetScreenshot(s.model.document(), std::move(expected), "clipboard");
  s.View("paste.view_shows_scaled_crop");

  TypeShortcut('Z', kCtrl);
  s.model.Command(IDM_UNDO);
  s.View("paste.undone_in_one_step");
}

}  // namespace

void RunPasteChecks(const DriverContext& context) {
  Scenario s(context, "paste");
  if (!s.Start()) return;
  NothingToPaste(s);
  PasteCopiedAsPng(s);
  PasteScaled(s);
}
