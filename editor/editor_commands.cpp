#include "editor_commands.h"

#include "map_alignment.h"
#include "marker_commands.h"
#include "resource.h"
#include "view_zoom.h"

namespace {

// The preview item of one picture: on for that picture, or off when it shows already.
PreviewChoice Toggled(PreviewChoice choice, bool ls640) {
  choice.on = !(choice.on && choice.ls640 == ls640);
  choice.ls640 = ls640;
  return choice;
}

// The marks show in the preview only: marking turns the preview on.
PreviewChoice MarkToggled(PreviewChoice choice) {
  choice.markIndex0 = !choice.markIndex0;
  choice.on = choice.on || choice.markIndex0;
  return choice;
}

}  // namespace

bool RunEditorCommand(EditingSession& session, EditorView& view, int id) {
  session.EndGroup();
  LoadScreenDocument& document = session.document();
  switch (id) {
    case IDM_UNDO: session.Undo(); return true;
    case IDM_REDO: session.Redo(); return true;
    case IDM_VIEW_TOP: document.SetLayers(!document.viewTop, document.viewBottom); return true;
    case IDM_VIEW_BOTTOM: document.SetLayers(document.viewTop, !document.viewBottom); return true;
    case IDM_DELETE_ITEM: DeleteSelectedMarker(document); return true;
    case IDM_CANCEL_ITEM: ClearSelection(document); return true;
    case IDM_ALIGN_LARGE_MAP: AlignLargeMap(document); return true;
    case IDM_MODE_SMALL_MAP: view.SetMode(EditMode::SmallMap); return true;
    case IDM_MODE_LARGE_MAP: view.SetMode(EditMode::LargeMap); return true;
    case IDM_MODE_TARGET_BOX: view.SetMode(EditMode::TargetBox); return true;
    case IDM_ZOOM_IN: view.SetZoom(view.Zoom() + 1); return true;
    case IDM_ZOOM_OUT: view.SetZoom(view.Zoom() - 1); return true;
    case IDM_ACTUAL_SIZE: view.SetZoom(1); return true;
    case IDM_FIT_TO_WINDOW: {
      const ViewArea area = view.Area();
      view.SetZoom(FittingZoom(area.width, area.height, CanvasWidth, CanvasHeight));
      return true;
    }
    case IDM_PREVIEW_AS_EXPORTED: view.SetPreview(Toggled(view.Preview(), false)); return true;
    case IDM_PREVIEW_640: view.SetPreview(Toggled(view.Preview(), true)); return true;
    case IDM_MARK_INDEX0: view.SetPreview(MarkToggled(view.Preview())); return true;
    default: return false;
  }
}
