// Editor comfort: the align command (menu and Ctrl+L) puts the magnified map where the
// formula says and undoes as one step; Ctrl, Shift and Alt alone do not beep with a marker
// selected, while other meaningless keys still do; a quick burst of Ctrl+arrows typed on the
// keyboard keeps its step; the main window cannot be made smaller than its menu bar.
#include <windows.h>

#include <string>
#include <vector>

#include "input.h"
#include "map_alignment.h"
#include "resource.h"
#include "scenario_support.h"
#include "scenarios.h"

namespace {

long long Wrap(long long a, long long m) { return ((a % m) + m) % m; }

// The largeMapOffset the align command must give, worked out here from the sizes alone.
Point ExpectedAlignment(const LoadScreenDocument& d) {
  const long long wx = Wrap(d.smallMapOffset.x + d.targetBoxPos.x + d.smallTargetBox.width / 2, d.worldMap.width);
  const long long wy = Wrap(d.smallMapOffset.y + d.targetBoxPos.y + d.smallTargetBox.height / 2, d.worldMap.height);
  return {static_cast<int>(Wrap(wx * d.worldMap2x.width / d.worldMap.width - 281 / 2, d.worldMap2x.width)),
          static_cast<int>(Wrap(wy * d.worldMap2x.height / d.worldMap.height - 277 / 2, d.worldMap2x.height))};
}

std::string At(Point p) { return "(" + std::to_string(p.x) + ", " + std::to_string(p.y) + ")"; }

void ExpectAligned(Scenario& s, const std::string& name) {
  const Point want = ExpectedAlignment(s.model.document());
  s.model.Command(IDM_ALIGN_LARGE_MAP);
  const Point got = s.model.document().largeMapOffset;
  if (got.x != want.x || got.y != want.y) {
    s.log().Fail(name, "the core aligns to " + At(got) + " instead of " + At(want));
    return;
  }
  s.View(name);
}

void AlignChecks(Scenario& s) {
  s.session.Command(IDM_ALIGN_LARGE_MAP);
  ExpectAligned(s, "comfort.align_command_shows_the_box_centre");
  // The small map moved by keys, then the shortcut.
  for (int i = 0; i < 3; ++i) {
    PressKey(s.session.main(), VK_RIGHT, kCtrlShift);
    s.model.Key(VK_RIGHT, kCtrlShift);
  }
  PressKey(s.session.main(), VK_DOWN, kCtrl);
  s.model.Key(VK_DOWN, kCtrl);
  TypeShortcut('L', kCtrl);
  ExpectAligned(s, "comfort.ctrl_l_aligns_after_moving_the_small_map");
  // One step: undo brings back the offset of the first alignment, the small map stays.
  s.Command(IDM_UNDO);
  s.View("comfort.align_undoes_as_one_step");
}

void QuietModifierChecks(Scenario& s) {
  std::vector<CatalogueEntry> catalogue;
  std::string error;
  if (!ReadSymbolCatalogue(s.context, catalogue, error) ||
      !AddMarkerThroughDialog(s, catalogue, 0, IDC_SIDE_COLOUR_BLUE, "comfort.add_marker"))
    return;
  // Right after the dialog closed the pointer may miss its first move; a second try settles it.
  bool selected = false;
  for (int attempt = 0; attempt < 3 && !selected; ++attempt) selected = ClickCanvas(s, {104, 104}, error);
  if (!selected) {
    s.log().Fail("comfort.select_marker", error);
    return;
  }
  int start = 0, afterModifiers = 0, afterOther = 0;
  if (!s.log().Expect(s.session.Beeps(start), "comfort.beeps_counted", "the probe cannot count the editor's beeps"))
    return;
  for (int key : {VK_CONTROL, VK_SHIFT, VK_MENU, VK_LCONTROL, VK_RSHIFT, VK_LMENU}) SendKey(s.session.main(), key);
  PressKey(s.session.main(), VK_LEFT, kCtrl);
  s.model.Key(VK_LEFT, kCtrl);
  s.session.Beeps(afterModifiers);
  s.log().Expect(afterModifiers == start, "comfort.modifiers_alone_do_not_beep",
                 std::to_string(afterModifiers - start) + " beeps");
  s.View("comfort.ctrl_left_moves_the_marker_by_5");
  SendKey(s.session.main(), 'A');
  s.session.Beeps(afterOther);
  s.log().Expect(afterOther == afterModifiers + 1, "comfort.other_keys_still_beep",
                 std::to_string(afterOther - afterModifiers) + " beeps for A");

  // A burst typed faster than the editor handles it: each arrow keeps the Ctrl it was
  // typed with, even when Ctrl is up again by the time the editor gets to it.
  {
    ModifierHold hold(kCtrl);
    for (int i = 0; i < 4; ++i) TapKey(VK_RIGHT);
  }
  for (int i = 0; i < 4; ++i) s.model.Key(VK_RIGHT, kCtrl);
  s.View("comfort.typed_burst_keeps_its_step");
}

void MinimumSizeChecks(Scenario& s) {
  RECT window{}, client{};
  GetWindowRect(s.session.main(), &window);
  GetClientRect(s.session.main(), &client);
  const int chrome = (window.bottom - window.top) - client.bottom;  // caption, menu bar, frame
  SetWindowPos(s.session.main(), nullptr, 0, 0, 120, 90, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  GetWindowRect(s.session.main(), &window);
  GetClientRect(s.session.main(), &client);
  const int smallChrome = (window.bottom - window.top) - client.bottom;
  s.log().Expect(smallChrome == chrome && client.right >= 400 && client.bottom > 0,
                 "comfort.minimum_size_keeps_menu_on_one_line",
                 "at its smallest the window is " + std::to_string(window.right - window.left) + " x " +
                     std::to_string(window.bottom - window.top) + ", the menu bar and frame take " +
                     std::to_string(smallChrome) + " pixels (" + std::to_string(chrome) + " before)");
  s.session.PlaceWindow(kStandardViewWidth, kStandardViewHeight);
}

}  // namespace

void RunComfortChecks(const DriverContext& context) {
  Scenario s(context, "comfort");
  if (!s.Start()) return;
  AlignChecks(s);
  QuietModifierChecks(s);
  MinimumSizeChecks(s);
}
