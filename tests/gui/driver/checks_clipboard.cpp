// Copy to clipboard, from the menu and with Ctrl+C: one 800 x 520 bitmap whose pixels equal
// the view's, selection outline included, and without the upper layer when it is hidden;
// the status bar says the picture was copied.
#include <windows.h>

#include <string>
#include <vector>

#include "clipboard_reader.h"
#include "input.h"
#include "picture_compare.h"
#include "resource.h"
#include "run_language.h"
#include "scenario.h"
#include "scenario_support.h"
#include "scenarios.h"
#include "wait.h"
#include "wide_text.h"

namespace {
// The menu command, or Ctrl+C typed as the user does; the status bar says it was copied.
void CopyAndCompare(Scenario& s, const std::string& prefix, bool byShortcut = false) {
  if (!EmptyClipboardNow()) {
    s.log().Fail(prefix + ".copy", "the driver cannot empty the clipboard");
    return;
  }
  if (byShortcut) {
    TypeShortcut('C', kCtrl);
    s.log().Expect(WaitUntil([] { return ClipboardHasBitmap(); }), prefix + ".ctrl_c_copies", "nothing was copied");
  } else {
    s.session.Command(IDM_COPY_TO_CLIPBOARD);
  }
  std::wstring status;
  const bool said = WaitUntil([&] { return (status = s.session.StatusText(2)) == EditorText(Text::PictureCopied); });
  s.log().Expect(said, prefix + ".status_says_copied", "the status bar says " + Quoted(status));
  s.log().Expect(ClipboardHasBitmap(), prefix + ".offers_bitmap", "no CF_BITMAP on the clipboard");
  ScreenPicture copied;
  std::string error;
  if (!ReadClipboardPicture(copied, error)) {
    s.log().Fail(prefix + ".size_800_x_520", error);
    return;
  }
  if (!s.log().Expect(copied.width == CanvasWidth && copied.height == CanvasHeight, prefix + ".size_800_x_520",
                      "the bitmap is " + std::to_string(copied.width) + " x " + std::to_string(copied.height)))
    return;
  s.log().Expect(ComparePictures(copied, s.model.Picture()).count == 0, prefix + ".equals_render",
                 DescribeDifference(ComparePictures(copied, s.model.Picture())));
  ScreenPicture shown;
  ViewGeometry geometry;
  const bool captured = s.session.CaptureCanvas(shown, geometry);
  s.log().Expect(captured && shown.pixels == copied.pixels, prefix + ".equals_view",
                 captured ? "the view shows other pixels" : "cannot read the view");
}
}  // namespace

void RunClipboardChecks(const DriverContext& context) {
  Scenario s(context, "clipboard");
  std::vector<CatalogueEntry> catalogue;
  std::string error;
  if (!ReadSymbolCatalogue(context, catalogue, error)) {
    context.log.Fail("clipboard.catalogue", error);
    return;
  }
  if (!s.Start()) return;
  // A picture that differs from the start: the large map moved and a selected marker.
  s.Command(IDM_MODE_LARGE_MAP);
  s.session.PressKey(VK_RIGHT, kCtrl);
  s.model.Key(VK_RIGHT, kCtrl);
  if (!AddMarkerThroughDialog(s, catalogue, 0, IDC_SIDE_COLOUR_RED, "clipboard.add_marker")) return;
  const Marker& marker = s.model.document().markers.MarkerAt(0);
  if (!ClickCanvas(s, {marker.x + marker.image.width / 2, marker.y + marker.image.height / 2}, error)) {
    context.log.Fail("clipboard.select_marker", error);
    return;
  }
  s.View("clipboard.view_before_copy");
  CopyAndCompare(s, "clipboard");
  s.Command(IDM_VIEW_TOP);
  CopyAndCompare(s, "clipboard.upper_layer_hidden", true);
}
