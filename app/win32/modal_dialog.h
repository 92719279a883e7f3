// ModalDialog: the base of the modal dialogs. The dialog's object is its state: Run keeps
// `this` in the dialog's user data from WM_INITDIALOG on (the one window-procedure thunk)
// and hands every message to the virtual Procedure. What a dialog does not answer of Cancel,
// Escape and the close box ends it with 0. When the dialog has ended, the owner is active
// and has the keyboard again, whatever window the closing activated.
#pragma once

#include <windows.h>

class ModalDialog {
 public:
  ModalDialog() = default;
  ModalDialog(const ModalDialog&) = delete;
  ModalDialog& operator=(const ModalDialog&) = delete;
  virtual ~ModalDialog() = default;

  // The dialog of the object behind `dialog`, for the procedures of its controls; null
  // before WM_INITDIALOG.
  static ModalDialog* Of(HWND dialog);

 protected:
  // Runs the dialog from `dialogTemplate` (a resource in memory) modally over `owner`. The
  // value given to End; -1 when the template is null or the dialog could not be made.
  INT_PTR Run(const void* dialogTemplate, HWND owner);
  // The dialog procedure's work for messages from WM_INITDIALOG on, answered as a dialog
  // procedure answers (TRUE: handled).
  virtual INT_PTR Procedure(UINT message, WPARAM wParam, LPARAM lParam) = 0;
  HWND window() const { return window_; }
  HWND Control(int id) const { return GetDlgItem(window_, id); }
  void End(INT_PTR result) { EndDialog(window_, result); }

 private:
  static INT_PTR CALLBACK Thunk(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
  HWND window_ = nullptr;
};
