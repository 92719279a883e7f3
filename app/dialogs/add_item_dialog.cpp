#include "add_item_dialog.h"

#include "dib_image.h"
#include "dib_image_draw_win32.h"
#include "image_files.h"
#include "language.h"
#include "load_screen_document.h"
#include "marker_commands.h"
#include "message_box_prompts.h"
#include "modal_dialog.h"
#include "resource.h"
#include "symbol_marker.h"

Pixel MarkerColour(int index) {
  constexpr Pixel kColours[kMarkerColourCount] = {kSideColourBlue, kSideColourRed, kSideColourPurpure};
  return kColours[index >= 0 && index < kMarkerColourCount ? index : 0];
}

namespace {

class AddItemDialog final : public ModalDialog {
 public:
  AddItemDialog(const AddItemForm& form, const std::function<void(const std::string&, int)>& place)
      : form_(form), place_(place), colour_(form.colour) {}
  int Show(HWND owner) {
    Run(DialogTemplate(IDD_ADD_ITEM), owner);
    return colour_;
  }

 private:
  // The file name of the selected line; null when there is none or it is empty. Each line's
  // item data is its index in the catalogue.
  const std::string* SelectedFileName() const {
    HWND list = Control(IDC_ITEM_LIST);
    const LRESULT position = SendMessageA(list, LB_GETCURSEL, 0, 0);
    if (position == LB_ERR) return nullptr;
    const LRESULT index = SendMessageA(list, LB_GETITEMDATA, position, 0);
    if (index < 0 || index >= static_cast<LRESULT>(form_.symbols.size())) return nullptr;
    const std::string& fileName = form_.symbols[static_cast<std::size_t>(index)].fileName;
    return fileName.empty() ? nullptr : &fileName;
  }

  void InvalidatePreview() { InvalidateRect(Control(IDC_SYMBOL_PREVIEW), nullptr, TRUE); }

  void ReloadPreview() {
    const std::string* fileName = SelectedFileName();
    if (!fileName) return;
    symbol_.Free();
    const std::string path = TemplatePath(form_.appDir, *fileName);
    if (!path.empty() && LoadImageFile(path.c_str(), symbol_)) {
      // The symbol's blue background takes the dialog's face colour, so only the symbol shows.
      ReplaceColour(symbol_, kTransparentKey, SwapRedBlue(GetSysColor(COLOR_BTNFACE)));
      ReplaceColour(symbol_, kSymbolSideColourKey, MarkerColour(colour_));
    } else {
      symbol_.Free();
    }
    InvalidatePreview();
  }

  // The preview control paints the recoloured symbol centred on the face colour; every other
  // message goes to the static control's own procedure, kept in its user data.
  static LRESULT CALLBACK PreviewProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_PAINT) {
      const auto previous = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(control, GWLP_USERDATA));
      return CallWindowProcA(previous, control, message, wParam, lParam);
    }
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(control, &paint);
    const auto* dialog = static_cast<const AddItemDialog*>(Of(GetParent(control)));
    if (dc && dialog && dialog->symbol_.IsValid()) {
      RECT client;
      GetClientRect(control, &client);
      FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
      const DibImage& symbol = dialog->symbol_;
      Draw(symbol, dc, (client.right - symbol.width) / 2, (client.bottom - symbol.height) / 2);
    }
    EndPaint(control, &paint);
    return 0;
  }

  // The list shows the catalogue in reverse file order: every line goes in at the top.
  BOOL OnInitDialog() {
    if (!form_.catalogueError.empty()) {
      // The dialog stays open with an empty list; nothing can be placed.
      MessageBoxPrompts(window()).Tell(
          Report({{Text::Verbatim, {{"text", form_.catalogueError}}}}, PromptIcon::Error, PromptCaption::Error));
      return TRUE;
    }
    HWND list = Control(IDC_ITEM_LIST);
    for (std::size_t i = 0; i < form_.symbols.size(); ++i) {
      const LRESULT position =
          SendMessageA(list, LB_INSERTSTRING, 0, reinterpret_cast<LPARAM>(form_.symbols[i].displayName.c_str()));
      if (position >= 0) SendMessageA(list, LB_SETITEMDATA, position, static_cast<LPARAM>(i));
    }
    HWND preview = Control(IDC_SYMBOL_PREVIEW);
    SetWindowLongPtrA(preview, GWLP_USERDATA, GetWindowLongPtrA(preview, GWLP_WNDPROC));
    SetWindowLongPtrA(preview, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(PreviewProc));
    CheckRadioButton(window(), IDC_SIDE_COLOUR_BLUE, IDC_SIDE_COLOUR_PURPURE, IDC_SIDE_COLOUR_BLUE + colour_);
    SetFocus(list);
    return FALSE;  // the focus was set here
  }

  INT_PTR Procedure(UINT message, WPARAM wParam, LPARAM) override {
    switch (message) {
      case WM_INITDIALOG: return OnInitDialog();
      case WM_COMMAND: {
        const int id = LOWORD(wParam);
        if (id == IDOK) {
          if (const std::string* fileName = SelectedFileName()) place_(*fileName, colour_);
          End(IDOK);
        } else if (id == IDC_ITEM_LIST) {
          if (HIWORD(wParam) == LBN_SELCHANGE) ReloadPreview();
        } else if (id >= IDC_SIDE_COLOUR_BLUE && id <= IDC_SIDE_COLOUR_PURPURE) {
          colour_ = id - IDC_SIDE_COLOUR_BLUE;
          ReloadPreview();
        } else {
          return FALSE;
        }
        return TRUE;
      }
      default: return FALSE;
    }
  }

  const AddItemForm& form_;
  const std::function<void(const std::string&, int)>& place_;
  int colour_;
  DibImage symbol_;  // the selected symbol in the chosen colour
};

}  // namespace

int ShowAddItemDialog(HWND owner, const AddItemForm& form,
                      const std::function<void(const std::string& symbolFile, int colour)>& place) {
  return AddItemDialog(form, place).Show(owner);
}
