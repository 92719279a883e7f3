#include "select_item_dialog.h"

#include <windows.h>

#include <cstdio>

#include "app_state.h"
#include "marker_commands.h"
#include "resource.h"
#include "ui_language.h"

namespace {

// The list is sorted by its text, so each line carries its marker index as item data,
// attached where the insertion put the line.
void FillMarkerList(HWND list) {
  const LoadScreenDocument& document = Document();
  for (int i = 0; i < document.markers.Count(); ++i) {
    const Marker& marker = document.markers.MarkerAt(i);
    char line[64];
    std::snprintf(line, sizeof line, "%02d : x = %03d y = %03d", i, marker.x, marker.y);
    const LRESULT position = SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line));
    if (position >= 0) SendMessageA(list, LB_SETITEMDATA, position, i);
  }
  if (document.selectedMarker == -1) return;
  const LRESULT count = SendMessageA(list, LB_GETCOUNT, 0, 0);
  for (LRESULT position = 0; position < count; ++position) {
    if (SendMessageA(list, LB_GETITEMDATA, position, 0) == document.selectedMarker) {
      SendMessageA(list, LB_SETCURSEL, position, 0);
      break;
    }
  }
}

void OnSelectionChanged(HWND list) {
  const LRESULT position = SendMessageA(list, LB_GETCURSEL, 0, 0);
  if (position == LB_ERR) return;
  const LRESULT marker = SendMessageA(list, LB_GETITEMDATA, position, 0);
  if (marker == LB_ERR) return;
  SelectMarker(Document(), static_cast<int>(marker));
}

INT_PTR CALLBACK SelectItemDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG: {
      HWND list = GetDlgItem(dialog, IDC_ITEM_LIST);
      FillMarkerList(list);
      SetFocus(list);
      return FALSE;  // the focus was set here
    }
    case WM_COMMAND:
      if (LOWORD(wParam) == IDC_ITEM_LIST && HIWORD(wParam) == LBN_SELCHANGE) {
        OnSelectionChanged(GetDlgItem(dialog, IDC_ITEM_LIST));
        return TRUE;
      }
      if (LOWORD(wParam) == IDCANCEL) {
        EndDialog(dialog, 0);
        return TRUE;
      }
      return FALSE;
    case WM_CLOSE:
      EndDialog(dialog, 0);
      return TRUE;
    default:
      return FALSE;
  }
}

}  // namespace

void OpenSelectItemDialog() {
  AppState& app = App();
  ShowDialog(IDD_SELECT_ITEM, app.mainWindow, SelectItemDialogProc, 0);
}
