#include "modal_dialog.h"

#include "dialog_placement.h"

ModalDialog* ModalDialog::Of(HWND dialog) {
  return dialog ? reinterpret_cast<ModalDialog*>(GetWindowLongPtrA(dialog, DWLP_USER)) : nullptr;
}

INT_PTR ModalDialog::Run(const void* dialogTemplate, HWND owner) {
  if (!dialogTemplate) return -1;
  const INT_PTR result = DialogBoxIndirectParamA(GetModuleHandleA(nullptr),
                                                 static_cast<LPCDLGTEMPLATEA>(dialogTemplate), owner, Thunk,
                                                 reinterpret_cast<LPARAM>(this));
  window_ = nullptr;
  ReturnFocusTo(owner);
  return result;
}

INT_PTR CALLBACK ModalDialog::Thunk(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  ModalDialog* self = nullptr;
  if (message == WM_INITDIALOG) {
    // Stored first: what the dialog sets up answers with notices that come here at once.
    self = reinterpret_cast<ModalDialog*>(lParam);
    self->window_ = dialog;
    SetWindowLongPtrA(dialog, DWLP_USER, lParam);
  } else {
    self = Of(dialog);
  }
  // Messages before WM_INITDIALOG (the font) are the default's.
  if (!self) return FALSE;
  if (const INT_PTR handled = self->Procedure(message, wParam, lParam)) return handled;
  if (message == WM_CLOSE || (message == WM_COMMAND && LOWORD(wParam) == IDCANCEL)) {
    self->End(0);
    return TRUE;
  }
  return FALSE;
}
