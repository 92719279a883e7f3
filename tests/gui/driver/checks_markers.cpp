// Markers: the add-item dialog in each colour, the select-item dialog, mouse drags (a press
// takes the marker drawn on top) with
// clamping at the canvas edges, arrow keys, Tab, Escape, clicks and both ways of deleting.
// Every step ends with the view compared to the driver's model; positions the user can
// read (the select-item dialog's lines, with each marker's symbol and colour, and the status
// bar's selected marker) are checked against numbers computed here.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "image_files.h"
#include "input.h"
#include "marker_commands.h"
#include "memory_image.h"
#include "picture_compare.h"
#include "remote_controls.h"
#include "resource.h"
#include "run_language.h"
#include "scenario.h"
#include "scenario_support.h"
#include "scenarios.h"
#include "wide_text.h"
#include "window_search.h"

namespace {
struct MarkerScenario : Scenario {
  explicit MarkerScenario(const DriverContext& context) : Scenario(context, "markers") {}
  std::vector<CatalogueEntry> catalogue;

  const Marker& MarkerAt(int i) { return model.document().markers.MarkerAt(i); }
  Point CentreOf(int i) {
    const Marker& m = MarkerAt(i);
    return {m.x + m.image.width / 2, m.y + m.image.height / 2};
  }
};

// Marker `index`'s line at (x, y): its number and position, then its symbol's catalogue name
// and its colour, as the model's marker has them.
std::wstring SelectLine(MarkerScenario& s, int index, int x, int y) {
  char position[64];
  std::snprintf(position, sizeof position, "%02d : x = %03d y = %03d", index, x, y);
  const Marker& marker = s.MarkerAt(index);
  std::string symbol = marker.symbolFile;
  for (const CatalogueEntry& entry : s.catalogue)
    if (entry.fileName == marker.symbolFile) symbol = entry.displayName;
  const Text colour = static_cast<Pixel>(marker.colour) == kSideColourRed       ? Text::MarkerRed
                      : static_cast<Pixel>(marker.colour) == kSideColourPurpure ? Text::MarkerPurple
                                                                                : Text::MarkerBlue;
  return EditorText({{Text::MarkerListLine, {{"position", position}, {"symbol", symbol}, {"colour", colour}}}});
}

// The status bar names the selected marker at (x, y), or shows the key hint when `index` is -1.
void ExpectSelectionStatus(MarkerScenario& s, int index, int x, int y, const std::string& name) {
  char number[16];
  std::snprintf(number, sizeof number, "%02d", index);
  const std::wstring want =
      index < 0 ? EditorText(Text::KeyHint)
                : EditorText({{Text::SelectedMarker,
                               {{"index", number}, {"x", std::to_string(x)}, {"y", std::to_string(y)}}}});
  ExpectStatus(s.context, s.session, 2, want, name);
}

std::string Join(const std::vector<std::wstring>& lines) {
  std::string out;
  for (const std::wstring& line : lines) out += (out.empty() ? "" : ", ") + Quoted(line);
  return "[" + out + "]";
}

// The preview the add-item dialog must paint: the symbol on the dialog face colour, its
// background shown in that colour and its side-coloured parts tinted, centred.
bool ExpectedPreview(const std::string& symbolPath, Pixel colour, int width, int height, DibImage& out) {
  MemoryImage symbol;
  if (!LoadImageFile(symbolPath.c_str(), symbol)) return false;
  const Pixel face = SwapRedBlue(GetSysColor(COLOR_BTNFACE));
  ReplaceColour(symbol, kTransparentKey, face);
  ReplaceColour(symbol, kSymbolSideColourKey, colour);
  out.Create(width, height);
  out.Fill(face);
  const int left = (width - symbol.width) / 2, top = (height - symbol.height) / 2;
  for (int y = 0; y < symbol.height; ++y)
    for (int x = 0; x < symbol.width; ++x) out.WritePixel(left + x, top + y, symbol.ReadPixel(x, y));
  return true;
}

void CheckPreview(MarkerScenario& s, HWND dialog, int line, int radioId, const std::string& name) {
  HWND preview = GetDlgItem(dialog, IDC_SYMBOL_PREVIEW);
  RECT client{};
  GetClientRect(preview, &client);
  const CatalogueEntry& entry = s.catalogue[s.catalogue.size() - 1 - static_cast<std::size_t>(line)];
  DibImage expected;
  if (!ExpectedPreview(TemplatePath(s.model.document().appDir, entry.fileName), ColourOfRadio(radioId), client.right,
                       client.bottom, expected)) {
    s.log().Fail(name, "the driver cannot read the symbol " + entry.fileName);
    return;
  }
  POINT origin{0, 0};
  ClientToScreen(preview, &origin);
  const RECT area{origin.x, origin.y, origin.x + client.right, origin.y + client.bottom};
  ScreenPicture picture;
  PictureDifference difference;
  const bool same = WaitUntil(
      [&] {
        if (!CaptureScreen(area, picture)) return false;
        difference = ComparePictures(picture, expected);
        return difference.count == 0;
      },
      kPictureWaitMs, 20);
  s.log().Expect(same, name, DescribeDifference(difference));
}

// Opens the add-item dialog three times, each time checking the remembered colour, and adds
// one marker per colour: red, purpure, then blue.
void AddThreeMarkers(MarkerScenario& s) {
  const std::vector<std::wstring> expectedLines = [&] {
    std::vector<std::wstring> lines;
    for (auto it = s.catalogue.rbegin(); it != s.catalogue.rend(); ++it) lines.push_back(FromAnsi(it->displayName));
    return lines;
  }();
  const int radios[] = {IDC_SIDE_COLOUR_RED, IDC_SIDE_COLOUR_PURPURE, IDC_SIDE_COLOUR_BLUE};
  int remembered = IDC_SIDE_COLOUR_BLUE;  // the first opening starts with blue
  for (int round = 0; round < 3; ++round) {
    const int radio = radios[round];
    const int line = round % static_cast<int>(s.catalogue.size());
    const std::string name = std::string("markers.add_") + NameOfRadio(radio);
    s.session.PostCommand(IDM_ADD_ITEM);
    HWND dialog = s.session.WaitForDialog(texts::kAddItemCaption);
    if (!dialog) {
      s.log().Fail(name + "_dialog_opens", "no dialog captioned " + Quoted(std::wstring(texts::kAddItemCaption)));
      return;
    }
    if (round == 0) {
      const std::vector<std::wstring> lines = ListBoxLines(GetDlgItem(dialog, IDC_ITEM_LIST));
      s.log().Expect(lines == expectedLines, "markers.add_dialog_lists_catalogue_in_reverse",
                     "lines " + Join(lines) + ", expected " + Join(expectedLines));
    }
    const int checked = CheckedColourRadio(dialog);
    s.log().Expect(checked == remembered, name + "_dialog_starts_with_" + NameOfRadio(remembered),
                   std::string("checked: ") + NameOfRadio(checked));
    if (!ChooseListLine(dialog, line) || !ClickButton(dialog, radio)) {
      s.log().Fail(name, "the dialog's list or radio buttons do not answer");
      return;
    }
    CheckPreview(s, dialog, line, radio, name + "_preview");
    if (!ClickButton(dialog, IDOK) || !WaitForWindowGone(dialog, kDefaultWaitMs)) {
      s.log().Fail(name, "OK does not close the dialog");
      return;
    }
    std::string error;
    const CatalogueEntry& entry = s.catalogue[s.catalogue.size() - 1 - static_cast<std::size_t>(line)];
    if (!s.model.AddSymbol(entry.fileName, ColourOfRadio(radio), error)) {
      s.log().Fail(name, error);
      return;
    }
    s.View(name + "_unselected_at_100_100");
    ExpectMenuItem(s.context, s.session, IDM_DELETE_ITEM, false, false, name + "_enables_delete_item");
    remembered = radio;
  }
}

// The select-item dialog's lines must equal `want`; its current line must be `current`.
// Leaves the dialog open and returns it (null when it did not open).
HWND OpenSelectDialog(MarkerScenario& s, const std::vector<std::wstring>& want, int current, const std::string& name) {
  s.session.PostCommand(IDM_SELECT_ITEM);
  HWND dialog = s.session.WaitForDialog(texts::kSelectItemCaption);
  if (!dialog) {
    s.log().Fail(name, "no dialog captioned " + Quoted(std::wstring(texts::kSelectItemCaption)));
    return nullptr;
  }
  s.session.ParkDialog(dialog);
  HWND list = GetDlgItem(dialog, IDC_ITEM_LIST);
  const std::vector<std::wstring> lines = ListBoxLines(list);
  LRESULT selected = LB_ERR;
  SendAndWait(list, LB_GETCURSEL, 0, 0, &selected);
  std::string detail;
  if (lines != want) detail = "lines " + Join(lines) + ", expected " + Join(want);
  if (selected != current)
    detail += (detail.empty() ? "" : "; ") + std::string("current line ") + std::to_string(selected) + ", expected " +
              std::to_string(current);
  s.log().Expect(detail.empty(), name, detail);
  return dialog;
}

void CloseSelectDialog(MarkerScenario& s, HWND dialog, const std::string& name) {
  s.log().Expect(ClickButton(dialog, IDCANCEL) && WaitForWindowGone(dialog, kDefaultWaitMs), name,
                 "button 2 does not close the select-item dialog");
}

void SelectThroughDialog(MarkerScenario& s) {
  const std::vector<std::wstring> lines = {SelectLine(s, 0, 100, 100), SelectLine(s, 1, 100, 100),
                                           SelectLine(s, 2, 100, 100)};
  HWND dialog = OpenSelectDialog(s, lines, LB_ERR, "markers.select_dialog_lines_at_100_100");
  if (!dialog) return;
  if (!ChooseListLine(dialog, 2)) {
    s.log().Fail("markers.select_dialog_selects", "the list does not answer");
  } else {
    SelectMarker(s.model.document(), 2);
    s.View("markers.select_dialog_selects_while_open");
    ExpectDeleteItemState(s, "markers.select_dialog_enables_delete_item");
    ExpectSelectionStatus(s, 2, 100, 100, "markers.status_names_selected_marker");
  }
  CloseSelectDialog(s, dialog, "markers.select_dialog_closes");
}

// The marker the drags and keys move: the last added, drawn over the other two.
constexpr int kTop = 2;

void Drags(MarkerScenario& s) {
  std::string error;
  // All three lie at (100, 100); the press takes the one drawn on top, marker 2.
  if (!DragCanvas(s, s.CentreOf(kTop), s.session.CanvasToScreen({300, 200}), error)) {
    s.log().Fail("markers.drag_moves_marker_on_top", error);
    return;
  }
  s.View("markers.drag_moves_marker_on_top");
  const int w = s.MarkerAt(kTop).image.width, h = s.MarkerAt(kTop).image.height;
  const POINT farCorner{GetSystemMetrics(SM_CXSCREEN) - 2, GetSystemMetrics(SM_CYSCREEN) - 2};
  if (!DragCanvas(s, s.CentreOf(kTop), farCorner, error)) {
    s.log().Fail("markers.drag_far_right_bottom", error);
    return;
  }
  s.View("markers.drag_far_right_bottom_picture");
  const std::vector<std::wstring> clamped = {SelectLine(s, 0, 100, 100), SelectLine(s, 1, 100, 100),
                                             SelectLine(s, 2, 799 - w, 519 - h)};
  if (HWND dialog = OpenSelectDialog(s, clamped, kTop, "markers.drag_stops_at_799_minus_w_519_minus_h"))
    CloseSelectDialog(s, dialog, "markers.select_dialog_closes_again");
  if (!DragCanvas(s, s.CentreOf(kTop), POINT{1, 1}, error)) {
    s.log().Fail("markers.drag_far_left_top", error);
    return;
  }
  s.View("markers.drag_far_left_top_picture");
  const std::vector<std::wstring> atOrigin = {SelectLine(s, 0, 100, 100), SelectLine(s, 1, 100, 100),
                                              SelectLine(s, 2, 0, 0)};
  if (HWND dialog = OpenSelectDialog(s, atOrigin, kTop, "markers.drag_stops_at_0_0"))
    CloseSelectDialog(s, dialog, "markers.select_dialog_closes_after_drags");
}

// Marker 2 is selected at (0, 0).
void ArrowKeys(MarkerScenario& s) {
  struct Step {
    const char* name;
    int key;
    int modifiers;
  };
  const auto press = [&](const Step& step) {
    const bool handled = s.session.PressKey(step.key, step.modifiers);
    s.model.Key(step.key, step.modifiers);
    if (!handled)
      s.log().Fail(step.name, "the main window does not handle WM_KEYDOWN");
    else
      s.View(step.name);
  };
  const Step fromOrigin[] = {{"markers.key_up_at_0_stays", VK_UP, kNoModifier},
                             {"markers.key_left_at_0_stays", VK_LEFT, kCtrl},
                             {"markers.key_ctrl_shift_right_by_10", VK_RIGHT, kCtrlShift},
                             {"markers.key_shift_down_by_2", VK_DOWN, kShift},
                             {"markers.key_left_by_1", VK_LEFT, kNoModifier},
                             {"markers.key_ctrl_down_by_5", VK_DOWN, kCtrl},
                             {"markers.key_other_changes_nothing", 'A', kNoModifier}};
  for (const Step& step : fromOrigin) press(step);

  // Back to the far corner and two pixels in with plain keys: Ctrl+Shift must then stop
  // the marker where the drag stopped it.
  std::string error;
  const POINT farCorner{GetSystemMetrics(SM_CXSCREEN) - 2, GetSystemMetrics(SM_CYSCREEN) - 2};
  if (!DragCanvas(s, s.CentreOf(kTop), farCorner, error)) {
    s.log().Fail("markers.keys_near_edges", error);
    return;
  }
  const Step nearEdges[] = {{"markers.key_left_from_edge", VK_LEFT, kNoModifier},
                            {"markers.key_left_again", VK_LEFT, kNoModifier},
                            {"markers.key_up_from_edge", VK_UP, kNoModifier},
                            {"markers.key_up_again", VK_UP, kNoModifier},
                            {"markers.key_ctrl_shift_right_stops_at_edge", VK_RIGHT, kCtrlShift},
                            {"markers.key_ctrl_shift_down_stops_at_edge", VK_DOWN, kCtrlShift}};
  for (const Step& step : nearEdges) press(step);
  const int w = s.MarkerAt(kTop).image.width, h = s.MarkerAt(kTop).image.height;
  const std::vector<std::wstring> lines = {SelectLine(s, 0, 100, 100), SelectLine(s, 1, 100, 100),
                                           SelectLine(s, 2, 799 - w, 519 - h)};
  if (HWND dialog = OpenSelectDialog(s, lines, kTop, "markers.keys_stop_at_799_minus_w_519_minus_h"))
    CloseSelectDialog(s, dialog, "markers.select_dialog_closes_after_keys");
  ExpectSelectionStatus(s, kTop, 799 - w, 519 - h, "markers.status_follows_moved_marker");
}

void TabEscapeAndClicks(MarkerScenario& s) {
  const char* tabs[] = {"markers.tab_wraps_to_0", "markers.tab_selects_1", "markers.tab_selects_2"};
  for (const char* name : tabs) {
    s.session.PressKey(VK_TAB, kNoModifier);
    s.model.Key(VK_TAB, kNoModifier);
    s.View(name);
  }
  s.session.PressKey(VK_ESCAPE, kNoModifier);
  s.model.Key(VK_ESCAPE, kNoModifier);
  s.View("markers.escape_deselects");
  ExpectMenuItem(s.context, s.session, IDM_DELETE_ITEM, false, true, "markers.escape_grays_delete_item");
  ExpectSelectionStatus(s, -1, 0, 0, "markers.status_key_hint_without_selection");

  // The sensitive area reaches one pixel right of and below the symbol.
  std::string error;
  const Marker& corner = s.MarkerAt(kTop);
  if (!ClickCanvas(s, {corner.x + corner.image.width, corner.y + corner.image.height}, error)) {
    s.log().Fail("markers.click_one_past_symbol_edge_selects", error);
    return;
  }
  s.View("markers.click_one_past_symbol_edge_selects");
  ExpectMenuItem(s.context, s.session, IDM_DELETE_ITEM, false, false, "markers.click_enables_delete_item");
  const Point empty = [&] {
    for (Point p : {Point{400, 300}, Point{700, 60}, Point{20, 500}, Point{600, 450}})
      if (HitTestMarker(s.model.document(), p.x, p.y) == -1) return p;
    return Point{400, 300};
  }();
  if (!ClickCanvas(s, empty, error)) {
    s.log().Fail("markers.click_on_empty_canvas_deselects", error);
    return;
  }
  s.View("markers.click_on_empty_canvas_deselects");
  ExpectMenuItem(s.context, s.session, IDM_DELETE_ITEM, false, true, "markers.click_on_empty_canvas_grays_delete_item");
}

void Deletes(MarkerScenario& s) {
  std::string error;
  // Markers 0 and 1 lie at (100, 100): the click selects marker 1, on top, and Delete
  // removes it.
  if (!ClickCanvas(s, s.CentreOf(1), error)) {
    s.log().Fail("markers.delete_key_removes", error);
    return;
  }
  s.session.PressKey(VK_DELETE, kNoModifier);
  s.model.Key(VK_DELETE, kNoModifier);
  s.View("markers.delete_key_removes");
  ExpectDeleteItemState(s, "markers.delete_key_menu_state");

  // The first of these presses lands where the click above did, soon enough to be the
  // second press of a double click: it takes the marker all the same.
  for (const char* name : {"markers.delete_command_removes", "markers.delete_command_removes_last"}) {
    if (!ClickCanvas(s, s.CentreOf(0), error)) {
      s.log().Fail(name, error);
      return;
    }
    s.session.Command(IDM_DELETE_ITEM);
    DeleteSelectedMarker(s.model.document());
    s.View(name);
  }
  ExpectMenuItem(s.context, s.session, IDM_DELETE_ITEM, false, true, "markers.delete_item_grayed_when_list_empty");
  if (HWND dialog = OpenSelectDialog(s, {}, LB_ERR, "markers.select_dialog_empty_after_deletes"))
    CloseSelectDialog(s, dialog, "markers.select_dialog_closes_when_empty");
}
}  // namespace

void RunMarkerChecks(const DriverContext& context) {
  MarkerScenario s(context);
  std::string error;
  if (!ReadSymbolCatalogue(context, s.catalogue, error)) {
    context.log.Fail("markers.catalogue", error);
    return;
  }
  if (!s.Start()) return;
  AddThreeMarkers(s);
  if (s.model.document().markers.Count() != 3) return;
  SelectThroughDialog(s);
  Drags(s);
  ArrowKeys(s);
  TabEscapeAndClicks(s);
  Deletes(s);
}
