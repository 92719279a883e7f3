// The arrow keys in the three edit modes, with the steps 1, 2 (Shift), 5 (Ctrl) and 10
// (Ctrl+Shift): wrap-around of both maps and the bounds of the target box. After every step
// the status text and the picture are checked, and the driver's model must have reached
// the position the step is written for (so a fault shared by the editor and the core does
// not pass unseen).
#include <climits>
#include <string>
#include <vector>

#include "input.h"
#include "resource.h"
#include "scenario.h"
#include "scenario_support.h"
#include "scenarios.h"
#include "wide_text.h"

namespace {
// Symbolic coordinates, resolved against the package's image sizes.
constexpr int kAny = INT_MIN;               // not checked
constexpr int kLastColumn = INT_MIN + 1;    // width of the moved map - 1
constexpr int kLastRow = INT_MIN + 2;       // height of the moved map - 1
constexpr int kLowestBoxRow = INT_MIN + 3;  // largeTargetBox height - smallTargetBox height + 48

struct KeyStep {
  const char* name;
  int key;
  int modifiers;
  int repeat;  // presses; 0 = until the position stops changing
  int wantX, wantY;
};

struct ModeCase {
  const char* name;
  UINT command;
  const wchar_t* statusText;
  std::vector<KeyStep> steps;
};

constexpr int kLeft = VK_LEFT, kRight = VK_RIGHT, kUp = VK_UP, kDown = VK_DOWN;

const std::vector<ModeCase> kModes = {
    {"small_map",
     IDM_MODE_SMALL_MAP,
     L"Current mode: Move small map",
     {{"right_by_1", kRight, kNoModifier, 1, 1, 0},
      {"ctrl_right_by_5", kRight, kCtrl, 1, 6, 0},
      {"ctrl_shift_left_wraps_to_last_column", kLeft, kCtrlShift, 1, kLastColumn, 0},
      {"right_wraps_to_0", kRight, kNoModifier, 1, 0, 0},
      {"shift_down_by_2", kDown, kShift, 1, 0, 2},
      {"ctrl_up_wraps_to_last_row", kUp, kCtrl, 1, 0, kLastRow},
      {"down_wraps_to_0", kDown, kNoModifier, 1, 0, 0},
      {"right_3_times", kRight, kNoModifier, 3, 3, 0},
      {"ctrl_shift_left_from_3_wraps", kLeft, kCtrlShift, 1, kLastColumn, 0},
      {"other_key_changes_nothing", 'A', kNoModifier, 1, kLastColumn, 0}}},
    {"large_map",
     IDM_MODE_LARGE_MAP,
     L"Current mode: Move large map",
     {{"ctrl_shift_left_by_10", kLeft, kCtrlShift, 1, 222, 103},
      {"shift_up_by_2", kUp, kShift, 1, 222, 101},
      {"ctrl_down_by_5", kDown, kCtrl, 1, 222, 106},
      {"ctrl_shift_right_by_10", kRight, kCtrlShift, 1, 232, 106},
      {"ctrl_shift_up_wraps_to_last_row", kUp, kCtrlShift, 11, 232, kLastRow},
      {"down_wraps_to_0", kDown, kNoModifier, 1, 232, 0},
      {"ctrl_shift_left_wraps_to_last_column", kLeft, kCtrlShift, 24, kLastColumn, 0},
      {"right_wraps_to_0", kRight, kNoModifier, 1, 0, 0}}},
    {"target_box",
     IDM_MODE_TARGET_BOX,
     L"Current mode: Move target box",
     {{"left_does_nothing", kLeft, kNoModifier, 1, 232, 103},
      {"ctrl_right_does_nothing", kRight, kCtrl, 1, 232, 103},
      {"ctrl_shift_up_by_10", kUp, kCtrlShift, 1, 232, 93},
      {"ctrl_shift_up_stops_at_56", kUp, kCtrlShift, 4, 232, 56},
      {"up_at_56_stays", kUp, kNoModifier, 1, 232, 56},
      {"shift_down_by_2", kDown, kShift, 1, 232, 58},
      {"ctrl_shift_down_stops_at_lowest", kDown, kCtrlShift, 0, 232, kLowestBoxRow},
      {"down_at_lowest_stays", kDown, kNoModifier, 1, 232, kLowestBoxRow}}},
};

Point& MovedPoint(LoadScreenDocument& document, EditMode mode) {
  switch (mode) {
    case EditMode::SmallMap: return document.smallMapOffset;
    case EditMode::LargeMap: return document.largeMapOffset;
    default: return document.targetBoxPos;
  }
}

int Resolve(int want, const LoadScreenDocument& document, EditMode mode) {
  const Image& map = mode == EditMode::LargeMap ? static_cast<const Image&>(document.worldMap2x)
                                                : static_cast<const Image&>(document.worldMap);
  switch (want) {
    case kLastColumn: return map.width - 1;
    case kLastRow: return map.height - 1;
    case kLowestBoxRow: return document.largeTargetBox.height - document.smallTargetBox.height + 48;
    default: return want;
  }
}

// Presses the step's key as often as it says, the modifiers held throughout; false when the
// editor stops answering.
bool PressStep(EditorSession& session, ExpectedScreen& model, const KeyStep& step) {
  constexpr int kMaxPresses = 200;
  ModifierHold hold(step.modifiers);
  for (int i = 0; i < (step.repeat ? step.repeat : kMaxPresses); ++i) {
    const Point before = MovedPoint(model.document(), model.Mode());
    if (!SendKey(session.main(), step.key)) return false;
    model.Key(step.key, step.modifiers);
    const Point after = MovedPoint(model.document(), model.Mode());
    if (step.repeat == 0 && before.x == after.x && before.y == after.y) break;
  }
  return true;
}

void RunMode(Scenario& s, const ModeCase& mode) {
  const std::string prefix = std::string("keys.") + mode.name + ".";
  s.Command(mode.command);
  MenuItemState item;
  s.log().Expect(s.session.MenuItem(mode.command, item) && item.checked() && item.radio(), prefix + "radio_mark",
                 "item " + std::to_string(mode.command) + " has state " + std::to_string(item.state) + " type " +
                     std::to_string(item.type));
  ExpectStatus(s.context, s.session, 1, mode.statusText, prefix + "status_text");
  s.View(prefix + "picture");
  for (const KeyStep& step : mode.steps) {
    const std::string name = prefix + step.name;
    if (!PressStep(s.session, s.model, step)) {
      s.log().Fail(name, "the main window does not handle WM_KEYDOWN");
      continue;
    }
    const Point reached = MovedPoint(s.model.document(), s.model.Mode());
    const int wantX = Resolve(step.wantX, s.model.document(), s.model.Mode());
    const int wantY = Resolve(step.wantY, s.model.document(), s.model.Mode());
    if ((step.wantX != kAny && reached.x != wantX) || (step.wantY != kAny && reached.y != wantY)) {
      s.log().Fail(name, "the driver's model reached (" + std::to_string(reached.x) + ", " + std::to_string(reached.y) +
                             ") instead of (" + std::to_string(wantX) + ", " + std::to_string(wantY) +
                             "): the core's key handling is wrong");
      continue;
    }
    std::string picture;
    const bool pictureOk = s.session.ViewShows(s.model.Picture(), picture);
    const std::wstring status = s.session.StatusText(1);
    std::string detail = pictureOk ? "" : picture;
    if (status != mode.statusText) detail += (detail.empty() ? "" : "; ") + std::string("status ") + Quoted(status);
    s.log().Expect(detail.empty(), name, detail);
  }
}
}  // namespace

void RunKeyChecks(const DriverContext& context) {
  Scenario s(context, "keys");
  if (!s.Start()) return;
  for (const ModeCase& mode : kModes) RunMode(s, mode);
}
