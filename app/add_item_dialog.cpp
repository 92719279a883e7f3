#include "add_item_dialog.h"

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "app_state.h"
#include "catalogue.h"
#include "dib_image_draw_win32.h"
#include "image_files.h"
#include "map_view.h"
#include "marker_commands.h"
#include "resource.h"
#include "symbol_marker.h"
#include "ui_language.h"

namespace {

// The colour choice: 0 Blue, 1 Red, 2 Purpure; kept for the run, independent of the side.
int SideColour = 0;

constexpr Pixel kSideColours[3] = {kSideColourBlue, kSideColourRed, kSideColourPurpure};

// Owns the file names the list lines point at (their item data) while the dialog lives.
struct AddItemDialogState {
  std::vector<std::unique_ptr<std::string>> fileNames;
};

// The file name of the selected line; null when there is none or it is empty.
const std::string* SelectedFileName(HWND dialog) {
  HWND list = GetDlgItem(dialog, IDC_ITEM_LIST);
  const LRESULT position = SendMessageA(list, LB_GETCURSEL, 0, 0);
  if (position == LB_ERR) return nullptr;
  const LRESULT data = SendMessageA(list, LB_GETITEMDATA, position, 0);
  if (data == LB_ERR || data == 0) return nullptr;
  const auto* fileName = reinterpret_cast<const std::string*>(data);
  return fileName->empty() ? nullptr : fileName;
}

// Loads a catalogue image from the Templates folder into an image without pixels.
bool LoadSymbol(const std::string& fileName, Image& into) {
  const std::string path = TemplatePath(Document().appDir, fileName);
  return !path.empty() && LoadImageFile(path.c_str(), into);
}

void InvalidatePreview(HWND dialog) { InvalidateRect(GetDlgItem(dialog, IDC_SYMBOL_PREVIEW), nullptr, TRUE); }

void ReloadPreview(HWND dialog) {
  const std::string* fileName = SelectedFileName(dialog);
  if (!fileName) return;
  DibImage& preview = SymbolPreview();
  preview.Free();
  if (LoadSymbol(*fileName, preview)) {
    // The symbol's blue background takes the dialog's face colour, so only the symbol shows.
    ReplaceColour(preview, kTransparentKey, SwapRedBlue(GetSysColor(COLOR_BTNFACE)));
    ReplaceColour(preview, kSymbolSideColourKey, kSideColours[SideColour]);
  } else {
    preview.Free();
  }
  InvalidatePreview(dialog);
}

void PlaceSymbol(HWND dialog) {
  const std::string* fileName = SelectedFileName(dialog);
  if (!fileName) return;
  std::string problem;
  if (!AddSymbolMarker(Document(), *fileName, kSideColours[SideColour], {100, 100}, problem)) {
    InvalidatePreview(dialog);
    return;
  }
  RepaintView();
}

// The preview control paints the recoloured symbol centred on the face colour; every other
// message goes to the static control's own procedure, kept in its user data.
LRESULT CALLBACK PreviewProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != WM_PAINT) {
    const auto previous = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(control, GWLP_USERDATA));
    return CallWindowProcA(previous, control, message, wParam, lParam);
  }
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(control, &paint);
  const DibImage& symbol = SymbolPreview();
  if (dc && symbol.IsValid()) {
    RECT client;
    GetClientRect(control, &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
    Draw(symbol, dc, (client.right - symbol.width) / 2, (client.bottom - symbol.height) / 2);
  }
  EndPaint(control, &paint);
  return 0;
}

void InstallPreviewPainter(HWND control) {
  SetWindowLongPtrA(control, GWLP_USERDATA, GetWindowLongPtrA(control, GWLP_WNDPROC));
  SetWindowLongPtrA(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(PreviewProc));
}

// The list shows the catalogue in reverse file order: every line goes in at the top.
BOOL OnInitDialog(HWND dialog, AddItemDialogState& state) {
  const std::string settingsPath = Document().appDir + "Settings.ini";
  std::vector<CatalogueEntry> entries;
  std::string message;
  if (!LoadCatalogue(settingsPath.c_str(), kSymbolsListSection, CatalogueKind::Symbols, entries, message)) {
    // The dialog stays open with an empty list; nothing can be placed.
    MessageBoxA(dialog, message.c_str(), kErrorCaption, MB_ICONERROR);
    return TRUE;
  }
  HWND list = GetDlgItem(dialog, IDC_ITEM_LIST);
  for (const CatalogueEntry& entry : entries) {
    const LRESULT position =
        SendMessageA(list, LB_INSERTSTRING, 0, reinterpret_cast<LPARAM>(entry.displayName.c_str()));
    if (position < 0) continue;
    auto fileName = std::make_unique<std::string>(entry.fileName);
    SendMessageA(list, LB_SETITEMDATA, position, reinterpret_cast<LPARAM>(fileName.get()));
    state.fileNames.push_back(std::move(fileName));
  }
  InstallPreviewPainter(GetDlgItem(dialog, IDC_SYMBOL_PREVIEW));
  CheckRadioButton(dialog, IDC_SIDE_COLOUR_BLUE, IDC_SIDE_COLOUR_PURPURE, IDC_SIDE_COLOUR_BLUE + SideColour);
  SetFocus(list);
  return FALSE;  // the focus was set here
}

INT_PTR CALLBACK AddItemDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG: {
      auto* state = reinterpret_cast<AddItemDialogState*>(lParam);
      SetWindowLongPtrA(dialog, DWLP_USER, lParam);
      return OnInitDialog(dialog, *state);
    }
    case WM_COMMAND: {
      const int id = LOWORD(wParam);
      if (id == IDOK) {
        PlaceSymbol(dialog);
        EndDialog(dialog, IDOK);
      } else if (id == IDCANCEL) {
        EndDialog(dialog, IDCANCEL);
      } else if (id == IDC_ITEM_LIST) {
        if (HIWORD(wParam) == LBN_SELCHANGE) ReloadPreview(dialog);
      } else if (id >= IDC_SIDE_COLOUR_BLUE && id <= IDC_SIDE_COLOUR_PURPURE) {
        SideColour = id - IDC_SIDE_COLOUR_BLUE;
        ReloadPreview(dialog);
      } else {
        return FALSE;
      }
      return TRUE;
    }
    case WM_CLOSE:
      EndDialog(dialog, IDCANCEL);
      return TRUE;
    case WM_DESTROY: {
      // The lines' item data point into this list: it goes with the dialog.
      auto* state = reinterpret_cast<AddItemDialogState*>(GetWindowLongPtrA(dialog, DWLP_USER));
      if (state) state->fileNames.clear();
      return FALSE;
    }
    default:
      return FALSE;
  }
}

}  // namespace

void OpenAddItemDialog() {
  AppState& app = App();
  AddItemDialogState state;
  ShowDialog(IDD_ADD_ITEM, app.mainWindow, AddItemDialogProc,
                  reinterpret_cast<LPARAM>(&state));
  SymbolPreview().Free();
}
