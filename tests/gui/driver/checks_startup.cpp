// A fresh editor: title, status bar, menu state and captions, the first picture, and the
// two layer switches.
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <vector>

#include "decoded_image_store.h"
#include "remote_controls.h"
#include "resource.h"
#include "run_language.h"
#include "scenario.h"
#include "scenario_support.h"
#include "scenarios.h"
#include "wide_text.h"
#include "window_search.h"

namespace {
void CheckStatusBar(const DriverContext& context, const EditorSession& session) {
  ExpectStatus(context, session, 0, L"Allied - 2", "startup.status_side");
  ExpectStatus(context, session, 1, L"Current mode: Move small map", "startup.status_mode");
  ExpectStatus(context, session, 2, EditorText(Text::KeyHint), "startup.status_hint");
  const std::vector<int> parts = StatusBarParts(session.probe(), session.statusBar());
  std::string got;
  for (int edge : parts) got += std::to_string(edge) + " ";
  context.log.Expect(parts == std::vector<int>{70, 270, -1}, "startup.status_parts",
                     "part right edges are " + got + "instead of 70 270 -1");
}

void CheckMenuState(const DriverContext& context, const EditorSession& session) {
  ExpectMenuItem(context, session, IDM_VIEW_TOP, true, false, "startup.menu_upper_layer_checked");
  ExpectMenuItem(context, session, IDM_VIEW_BOTTOM, true, false, "startup.menu_lower_layer_checked");
  ExpectMenuItem(context, session, IDM_STATUS_BAR, true, false, "startup.menu_status_bar_checked");
  // Every item starts enabled as the menu resource holds it; the first click on empty
  // canvas, Escape or deleting the last marker grays "Delete item" (the markers scenario).
  ExpectMenuItem(context, session, IDM_DELETE_ITEM, false, false, "startup.menu_delete_item_enabled");
  MenuItemState small, large, target;
  const bool read = session.MenuItem(IDM_MODE_SMALL_MAP, small) && session.MenuItem(IDM_MODE_LARGE_MAP, large) &&
                    session.MenuItem(IDM_MODE_TARGET_BOX, target);
  context.log.Expect(read && small.checked() && small.radio() && !large.checked() && !target.checked(),
                     "startup.menu_mode_radio_on_small_map",
                     read ? "states 40034/40035/40036: " + std::to_string(small.state) + "/" +
                                std::to_string(large.state) + "/" + std::to_string(target.state) +
                                (small.radio() ? "" : ", 40034 without MFT_RADIOCHECK")
                          : "the Mode items cannot be read");
}

}  // namespace

// The menu as the resource of the run's language holds it, popup by popup.
void CheckMenuCaptions(const DriverContext& context, const EditorSession& session, const std::string& prefix,
                       DriverLanguage language) {
  for (const MenuCaptions& popup : ExpectedMenuCaptions(language)) {
    std::string detail;
    for (const MenuCaption& expected : popup.items) {
      MenuItemState item;
      const bool found = expected.popup ? session.MenuPopup(static_cast<int>(expected.item), item)
                                        : session.MenuItem(expected.item, item);
      if (!found)
        detail += "no item " + std::to_string(expected.item) + "; ";
      else if (item.caption != expected.caption)
        detail += std::to_string(expected.item) + " is " + Quoted(item.caption) + " not " +
                  Quoted(std::wstring(expected.caption)) + "; ";
    }
    context.log.Expect(detail.empty(), prefix + popup.name, detail);
  }
}

namespace {

void CheckViewLayout(const DriverContext& context, const EditorSession& session) {
  RECT client{}, view{}, bar{};
  GetClientRect(session.main(), &client);
  GetWindowRect(session.view(), &view);
  GetWindowRect(session.statusBar(), &bar);
  POINT viewOrigin{view.left, view.top};
  ScreenToClient(session.main(), &viewOrigin);
  const int expectedHeight = client.bottom - (bar.bottom - bar.top);
  context.log.Expect(viewOrigin.x == 0 && viewOrigin.y == 0 && view.right - view.left == client.right &&
                         view.bottom - view.top == expectedHeight,
                     "startup.view_fills_client_above_status_bar",
                     "view at (" + std::to_string(viewOrigin.x) + ", " + std::to_string(viewOrigin.y) + ") size " +
                         std::to_string(view.right - view.left) + " x " + std::to_string(view.bottom - view.top) +
                         ", expected (0, 0) size " + std::to_string(client.right) + " x " +
                         std::to_string(expectedHeight));
}

// Upper off, both off (black), lower off, both on: check marks and pictures follow.
void CheckLayers(Scenario& s) {
  struct Toggle {
    UINT command;
    const char* name;
  };
  const Toggle toggles[] = {{IDM_VIEW_TOP, "layers.upper_off"},
                            {IDM_VIEW_BOTTOM, "layers.both_off"},
                            {IDM_VIEW_TOP, "layers.lower_off"},
                            {IDM_VIEW_BOTTOM, "layers.both_on"}};
  for (const Toggle& toggle : toggles) {
    s.Command(toggle.command);
    const std::string name = toggle.name;
    ExpectMenuItem(s.context, s.session, IDM_VIEW_TOP, s.model.document().viewTop != 0, false, name + "_upper_check");
    ExpectMenuItem(s.context, s.session, IDM_VIEW_BOTTOM, s.model.document().viewBottom != 0, false,
                   name + "_lower_check");
    s.View(name + "_picture");
    if (name == "layers.both_off") {
      // Independent of the renderer: nothing at all is drawn.
      DibImage black;
      black.Create(CanvasWidth, CanvasHeight);
      black.Fill(0);
      s.Shows(black, "layers.both_off_is_black");
    }
  }
}

// The editor keeps the large templates decoded in the user's cache (the driver's own, in
// the same prefix). Every entry damaged, the next start decodes them again: same picture.
void CheckDamagedCache(const DriverContext& context) {
  namespace fs = std::filesystem;
  const std::string folder = UserImageCacheFolder();
  int damaged = 0;
  std::error_code error;
  for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    if (it->path().extension() != ".pixels") continue;
    // Pixels of row 150, which the first picture shows of every template: after the 40
    // bytes of the header (width and height at 32) and a hash per row.
    std::fstream entry(it->path(), std::ios::in | std::ios::out | std::ios::binary);
    std::uint32_t size[2] = {};
    entry.seekg(32);
    entry.read(reinterpret_cast<char*>(size), sizeof size);
    entry.seekp(40 + 8 * std::streamoff{size[1]} + 4 * std::streamoff{size[0]} * 150);
    damaged += static_cast<bool>(entry.write("damaged", 7));
  }
  context.log.Expect(damaged >= 3, "startup.cache_holds_the_large_templates",
                     std::to_string(damaged) + " entries in " + folder);
  Scenario s(context, "startup_damaged_cache");
  if (!s.Start()) return;
  s.View("startup.damaged_cache_same_picture");
}

void CheckFirstStart(const DriverContext& context) {
  Scenario s(context, "startup");
  if (!s.Start()) return;
  const std::wstring title = CaptionOf(s.session.main());
  context.log.Expect(title == EditorText(Text::ProgramTitle), "startup.title", "the title is " + Quoted(title));
  CheckStatusBar(s.context, s.session);
  CheckMenuState(s.context, s.session);
  CheckMenuCaptions(s.context, s.session, "startup.menu_captions_", RunLanguage());
  CheckViewLayout(s.context, s.session);
  s.View("startup.picture");
  CheckLayers(s);
}
}  // namespace

void RunStartupChecks(const DriverContext& context) {
  CheckFirstStart(context);
  CheckDamagedCache(context);
}
