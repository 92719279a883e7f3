#include "editor_commands.h"

#include "map_alignment.h"
#include "marker_commands.h"
#include "resource.h"
#include "view_zoom.h"

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
    case IDM_PREVIEW_AS_EXPORTED: view.SetPreview(!view.PreviewOn()); return true;
    default: return false;
  }
}
