#include "app_state.h"

#include "main_window.h"
#include "map_view.h"
#include "resource.h"

namespace {

// The document's services, carried out with the editor's windows.
class WindowDocumentShell final : public DocumentShell {
 public:
  void RepaintView() override { ::RepaintView(); }
  void SetSideStatus(const char* text) override { SetStatusText(StatusPartSide, text); }
  void SetDeleteItemEnabled(bool enabled) override {
    EnableMainMenuItem(MenuPopupEdit, IDM_DELETE_ITEM, enabled);
  }
  void SetLayerChecks(bool top, bool bottom) override {
    CheckMainMenuItem(MenuPopupView, IDM_VIEW_TOP, top);
    CheckMainMenuItem(MenuPopupView, IDM_VIEW_BOTTOM, bottom);
  }
  void Beep() override { MessageBeep(MB_ICONEXCLAMATION); }
  void MarkerListChanged() override { EndMarkerDrag(); }
};

// Definition order is construction order; destruction runs the other way, so nothing is
// used after it was destroyed.
AppState state;
WindowDocumentShell shell;
DibImage symbolPreview;
DibImage viewCanvas;
LoadScreenDocument document(&shell);
UndoHistory history;

}  // namespace

AppState& App() { return state; }
LoadScreenDocument& Document() { return document; }
UndoHistory& History() { return history; }
DibImage& ViewCanvas() { return viewCanvas; }
DibImage& SymbolPreview() { return symbolPreview; }
