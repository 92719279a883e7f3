#include "select_item_dialog.h"

#include <string>

#include "language.h"
#include "modal_dialog.h"
#include "resource.h"

namespace {

class SelectItemDialog final : public ModalDialog {
 public:
  SelectItemDialog(const SelectItemForm& form, const std::function<void(int)>& select) : form_(form), select_(select) {}
  void Show(HWND owner) { Run(DialogTemplate(IDD_SELECT_ITEM), owner); }

 private:
  // The list is sorted by its text, so each line carries its marker index as item data,
  // attached where the insertion put the line.
  void FillMarkerList(HWND list) {
    for (std::size_t i = 0; i < form_.lines.size(); ++i) {
      const std::wstring line = WideLine(form_.lines[i]);
      const LRESULT position = SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
      if (position >= 0) SendMessageA(list, LB_SETITEMDATA, position, static_cast<LPARAM>(i));
    }
    if (form_.selected == -1) return;
    const LRESULT count = SendMessageA(list, LB_GETCOUNT, 0, 0);
    for (LRESULT position = 0; position < count; ++position) {
      if (SendMessageA(list, LB_GETITEMDATA, position, 0) == form_.selected) {
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
    select_(static_cast<int>(marker));
  }

  INT_PTR Procedure(UINT message, WPARAM wParam, LPARAM) override {
    switch (message) {
      case WM_INITDIALOG: {
        HWND list = Control(IDC_ITEM_LIST);
        FillMarkerList(list);
        SetFocus(list);
        return FALSE;  // the focus was set here
      }
      case WM_COMMAND:
        if (LOWORD(wParam) == IDC_ITEM_LIST && HIWORD(wParam) == LBN_SELCHANGE) {
          OnSelectionChanged(Control(IDC_ITEM_LIST));
          return TRUE;
        }
        return FALSE;
      default: return FALSE;
    }
  }

  const SelectItemForm& form_;
  const std::function<void(int)>& select_;
};

}  // namespace

void ShowSelectItemDialog(HWND owner, const SelectItemForm& form, const std::function<void(int)>& select) {
  SelectItemDialog(form, select).Show(owner);
}
