// The About dialog: the template package's readme in a box that scrolls but cannot be
// changed, the copyright line as normal text, the link control and its target limit, the
// Close button, and the link opening the guide.
#include <windows.h>

#include <algorithm>
#include <string>

#include "input.h"
#include "link_control.h"
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
// What typing, deleting, pasting, cutting and undoing would send to the box, with all of
// its text selected: any of them that got through would replace or remove that text.
void TryToChange(HWND box) {
  SendAndWait(box, EM_SETSEL, 0, -1);
  for (WPARAM key : {WPARAM('A'), WPARAM(VK_DELETE), WPARAM(VK_BACK), WPARAM(VK_RETURN), WPARAM(VK_INSERT)}) {
    SendAndWait(box, WM_KEYDOWN, key, 0);
    if (key == 'A' || key == VK_BACK || key == VK_RETURN) SendAndWait(box, WM_CHAR, key == 'A' ? 'a' : key, 0);
  }
  SendAndWait(box, WM_CHAR, 0x16, 0);  // Ctrl+V as a character
  for (UINT message : {WM_PASTE, WM_CUT, WM_CLEAR, WM_UNDO}) SendAndWait(box, message, 0, 0);
}

// Sends the link the set-target message with a text of `length` characters, written into
// memory shared with the editor (the message carries a pointer). Returns the link's answer,
// or -1.
LRESULT SetLinkTarget(const InProcessProbe& probe, HWND link, std::size_t length) {
  const std::string target = "https://" + std::string(length - 8, 'a');
  if (!probe.scratch() || target.size() + 1 > kProbeScratchBytes) return -1;
  std::copy(target.c_str(), target.c_str() + target.size() + 1, probe.scratch());
  LRESULT result = -1;
  if (!SendAndWait(link, kLinkSetTarget, reinterpret_cast<WPARAM>(probe.editorScratch()), 0, &result)) return -1;
  return result;
}
}  // namespace

void RunAboutChecks(const DriverContext& context) {
  Scenario s(context, "about");
  if (!s.Start()) return;
  s.session.PostCommand(IDM_ABOUT);
  HWND dialog = s.session.WaitForDialog(texts::kAboutCaption);
  if (!s.Expect(dialog != nullptr, "opens", "no dialog captioned \"关于 Vantorel\"")) return;

  HWND box = GetDlgItem(dialog, IDC_ABOUT_README);
  const std::wstring readme = FromAnsi(ReadWholeFile(s.context.packageDir + L"\\Templates\\readme.txt"));
  const std::wstring shown = ControlText(box);
  s.Expect(!readme.empty() && shown == readme, "shows_readme",
           "the box shows " + std::to_string(shown.size()) + " characters of a " + std::to_string(readme.size()) +
               "-character readme");
  TryToChange(box);
  const std::wstring after = ControlText(box);
  s.Expect(after == shown, "readme_cannot_be_changed",
           "after typing the box shows " + std::to_string(after.size()) + " characters");
  SendAndWait(box, EM_SETSEL, 0, 0);
  SendAndWait(box, WM_KEYDOWN, VK_RIGHT, 0);
  SendAndWait(box, WM_KEYDOWN, VK_DOWN, 0);
  LRESULT selection = 0;
  SendAndWait(box, EM_GETSEL, 0, 0, &selection);
  s.Expect(LOWORD(selection) > 1, "arrow_keys_move_caret",
           "the caret is at " + std::to_string(LOWORD(selection)) + " after Right and Down");

  // The copyright line is drawn as normal text, not grayed.
  HWND copyright = nullptr;
  for (HWND child = GetWindow(dialog, GW_CHILD); child && !copyright; child = GetWindow(child, GW_HWNDNEXT))
    if (ControlText(child).find(L"2007") != std::wstring::npos) copyright = child;
  s.Expect(copyright && IsWindowEnabled(copyright), "copyright_drawn_as_normal_text",
           copyright ? "the copyright line is disabled" : "no copyright line");

  HWND link = GetDlgItem(dialog, IDC_ABOUT_LINK);
  s.Expect(ClassNameOf(link) == L"LinkClass" && ControlText(link) == texts::kLinkLabel, "link",
           "control 1003 is a " + Utf8(ClassNameOf(link)) + " saying " + Quoted(ControlText(link)));
  const LRESULT longest = SetLinkTarget(s.session.probe(), link, 255);
  const LRESULT tooLong = SetLinkTarget(s.session.probe(), link, 256);
  s.Expect(longest == 1 && tooLong == 0, "link_target_at_most_255",
           "255 characters give " + std::to_string(longest) + ", 256 give " + std::to_string(tooLong));

  // The keyboard: Tab from Close into the box and out again, Escape closes the dialog.
  auto focus = [&] {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    return GetGUIThreadInfo(s.session.process().threadId(), &info) ? info.hwndFocus : nullptr;
  };
  HWND close = GetDlgItem(dialog, IDCANCEL);
  TapKey(VK_TAB);
  const bool intoBox = WaitUntil([&] { return focus() == box; }, 1000);
  TapKey(VK_TAB);
  const bool outOfBox = WaitUntil([&] { return focus() == close; }, 1000);
  TapKey(VK_ESCAPE);
  s.Expect(intoBox && outOfBox && WaitForWindowGone(dialog, kDefaultWaitMs), "keyboard_leaves_box_and_closes",
           std::string("Tab into the box ") + (intoBox ? "works" : "fails") + ", Tab out " +
               (outOfBox ? "works" : "fails") + ", then Escape");
  if (IsWindow(dialog)) PostMessageW(close, BM_CLICK, 0, 0);
  WaitForWindowGone(dialog, kDefaultWaitMs);

  // Opened again with the target it sets: "Updates and news" opens the guide in the help
  // viewer (hh.exe, another process), whose page stays blank here, as the tests run Wine
  // without its HTML engine.
  s.session.PostCommand(IDM_ABOUT);
  dialog = s.session.WaitForDialog(texts::kAboutCaption);
  if (!dialog) return;
  PostMessageW(GetDlgItem(dialog, IDC_ABOUT_LINK), WM_LBUTTONUP, 0, 0);
  HWND guide = nullptr;
  s.Expect(WaitUntil([&] { return (guide = FindWindowW(nullptr, L"Vantorel user guide")) != nullptr; }, 20000),
           "link_opens_the_guide", "no window captioned \"Vantorel user guide\" after a click on the link");
  if (guide) {
    PostMessageW(guide, WM_CLOSE, 0, 0);
    WaitForWindowGone(guide, kDefaultWaitMs);
  }
  PostMessageW(GetDlgItem(dialog, IDCANCEL), BM_CLICK, 0, 0);
  WaitForWindowGone(dialog, kDefaultWaitMs);
}
