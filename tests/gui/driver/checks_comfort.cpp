// Editor comfort: the align command (menu and Ctrl+L) puts the magnified map where the
// formula says and undoes as one step; Ctrl, Shift and Alt alone do not beep with a marker
// selected, while other meaningless keys still do; a quick burst of Ctrl+arrows typed on the
// keyboard keeps its step; the main window cannot be made smaller than its menu bar.
#include <windows.h>

#include <string>
#include <vector>

#include "editor_ids.h"
#include "input.h"
#include "map_alignment.h"
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

void ExpectAligned(const DriverContext& context, EditorSession& session, ExpectedScreen& model,
                   const std::string& name) {
  const Point want = ExpectedAlignment(model.document());
  model.Command();
  AlignLargeMap(model.document());
  const Point got = model.document().largeMapOffset;
  if (got.x != want.x || got.y != want.y) {
    context.log.Fail(name, "the core aligns to " + At(got) + " instead of " + At(want));
    return;
  }
  ExpectView(context, session, model, name);
}

void AlignChecks(const DriverContext& context, EditorSession& session, ExpectedScreen& model) {
  session.Command(ids::kAlignLargeMap);
  ExpectAligned(context, session, model, "comfort.align_command_shows_the_box_centre");
  // The small map moved by keys, then the shortcut.
  for (int i = 0; i < 3; ++i) {
    PressKey(session.main(), VK_RIGHT, kCtrlShift);
    model.Key(VK_RIGHT, kCtrlShift);
  }
  PressKey(session.main(), VK_DOWN, kCtrl);
  model.Key(VK_DOWN, kCtrl);
  TypeShortcut('L', kCtrl);
  ExpectAligned(context, session, model, "comfort.ctrl_l_aligns_after_moving_the_small_map");
  // One step: undo brings back the offset of the first alignment, the small map stays.
  session.Command(ids::kUndo);
  model.Undo();
  ExpectView(context, session, model, "comfort.align_undoes_as_one_step");
}

void QuietModifierChecks(const DriverContext& context, EditorSession& session, ExpectedScreen& model) {
  std::vector<CatalogueEntry> catalogue;
  std::string error;
  if (!ReadSymbolCatalogue(context, catalogue, error) ||
      !AddMarkerThroughDialog(context, session, model, catalogue, 0, ids::kRadioBlue, "comfort.add_marker"))
    return;
  // Right after the dialog closed the pointer may miss its first move; a second try settles it.
  bool selected = false;
  for (int attempt = 0; attempt < 3 && !selected; ++attempt) selected = ClickCanvas(session, model, {104, 104}, error);
  if (!selected) {
    context.log.Fail("comfort.select_marker", error);
    return;
  }
  int start = 0, afterModifiers = 0, afterOther = 0;
  if (!context.log.Expect(session.Beeps(start), "comfort.beeps_counted", "the probe cannot count the editor's beeps"))
    return;
  for (int key : {VK_CONTROL, VK_SHIFT, VK_MENU, VK_LCONTROL, VK_RSHIFT, VK_LMENU}) SendKey(session.main(), key);
  PressKey(session.main(), VK_LEFT, kCtrl);
  model.Key(VK_LEFT, kCtrl);
  session.Beeps(afterModifiers);
  context.log.Expect(afterModifiers == start, "comfort.modifiers_alone_do_not_beep",
                     std::to_string(afterModifiers - start) + " beeps");
  ExpectView(context, session, model, "comfort.ctrl_left_moves_the_marker_by_5");
  SendKey(session.main(), 'A');
  session.Beeps(afterOther);
  context.log.Expect(afterOther == afterModifiers + 1, "comfort.other_keys_still_beep",
                     std::to_string(afterOther - afterModifiers) + " beeps for A");

  // A burst typed faster than the editor handles it: each arrow keeps the Ctrl it was
  // typed with, even when Ctrl is up again by the time the editor gets to it.
  {
    ModifierHold hold(kCtrl);
    for (int i = 0; i < 4; ++i) TapKey(VK_RIGHT);
  }
  for (int i = 0; i < 4; ++i) model.Key(VK_RIGHT, kCtrl);
  ExpectView(context, session, model, "comfort.typed_burst_keeps_its_step");
}

void MinimumSizeChecks(const DriverContext& context, EditorSession& session) {
  RECT window{}, client{};
  GetWindowRect(session.main(), &window);
  GetClientRect(session.main(), &client);
  const int chrome = (window.bottom - window.top) - client.bottom;  // caption, menu bar, frame
  SetWindowPos(session.main(), nullptr, 0, 0, 120, 90, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  GetWindowRect(session.main(), &window);
  GetClientRect(session.main(), &client);
  const int smallChrome = (window.bottom - window.top) - client.bottom;
  context.log.Expect(smallChrome == chrome && client.right >= 400 && client.bottom > 0,
                     "comfort.minimum_size_keeps_menu_on_one_line",
                     "at its smallest the window is " + std::to_string(window.right - window.left) + " x " +
                         std::to_string(window.bottom - window.top) + ", the menu bar and frame take " +
                         std::to_string(smallChrome) + " pixels (" + std::to_string(chrome) + " before)");
  session.PlaceWindow(kStandardViewWidth, kStandardViewHeight);
}

}  // namespace

void RunComfortChecks(const DriverContext& context) {
  EditorSession session(context);
  ExpectedScreen model;
  if (!StartScenario(context, session, model, "comfort", context.packageDir)) return;
  AlignChecks(context, session, model);
  QuietModifierChecks(context, session, model);
  MinimumSizeChecks(context, session);
}
