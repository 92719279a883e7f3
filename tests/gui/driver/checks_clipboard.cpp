// Copy to clipboard: one 800 x 520 bitmap whose pixels equal the view's, selection outline
// included, and without the upper layer when it is hidden.
#include <windows.h>

#include <string>
#include <vector>

#include "clipboard_reader.h"
#include "editor_ids.h"
#include "input.h"
#include "picture_compare.h"
#include "scenario_support.h"
#include "scenarios.h"

namespace {
void CopyAndCompare(const DriverContext& context, EditorSession& session, ExpectedScreen& model,
                    const std::string& prefix) {
  if (!EmptyClipboardNow()) {
    context.log.Fail(prefix + ".copy", "the driver cannot empty the clipboard");
    return;
  }
  session.Command(ids::kCopyToClipboard);
  context.log.Expect(ClipboardHasBitmap(), prefix + ".offers_bitmap", "no CF_BITMAP on the clipboard");
  ScreenPicture copied;
  std::string error;
  if (!ReadClipboardPicture(copied, error)) {
    context.log.Fail(prefix + ".size_800_x_520", error);
    return;
  }
  if (!context.log.Expect(copied.width == CanvasWidth && copied.height == CanvasHeight, prefix + ".size_800_x_520",
                          "the bitmap is " + std::to_string(copied.width) + " x " + std::to_string(copied.height)))
    return;
  context.log.Expect(ComparePictures(copied, model.Picture()).count == 0, prefix + ".equals_render",
                     DescribeDifference(ComparePictures(copied, model.Picture())));
  ScreenPicture shown;
  ViewGeometry geometry;
  const bool captured = session.CaptureCanvas(shown, geometry);
  context.log.Expect(captured && shown.pixels == copied.pixels, prefix + ".equals_view",
                     captured ? "the view shows other pixels" : "cannot read the view");
}
}  // namespace

void RunClipboardChecks(const DriverContext& context) {
  EditorSession session(context);
  ExpectedScreen model;
  std::vector<CatalogueEntry> catalogue;
  std::string error;
  if (!ReadSymbolCatalogue(context, catalogue, error)) {
    context.log.Fail("clipboard.catalogue", error);
    return;
  }
  if (!StartScenario(context, session, model, "clipboard", context.packageDir)) return;
  // A picture that differs from the start: the large map moved and a selected marker.
  session.Command(ids::kModeLargeMap);
  model.SetMode(EditMode::LargeMap);
  session.PressKey(VK_RIGHT, kCtrl);
  model.Key(VK_RIGHT, kCtrl);
  if (!AddMarkerThroughDialog(context, session, model, catalogue, 0, ids::kRadioRed, "clipboard.add_marker")) return;
  const Marker& marker = model.document().markers.MarkerAt(0);
  if (!ClickCanvas(session, model, {marker.x + marker.image.width / 2, marker.y + marker.image.height / 2}, error)) {
    context.log.Fail("clipboard.select_marker", error);
    return;
  }
  ExpectView(context, session, model, "clipboard.view_before_copy");
  CopyAndCompare(context, session, model, "clipboard");
  session.Command(ids::kUpperLayer);
  model.ToggleTopLayer();
  CopyAndCompare(context, session, model, "clipboard.upper_layer_hidden");
}
