#include "link_control.h"

#include <shellapi.h>

#include <cstring>

#include "gdi_handles.h"

namespace {

bool linkClassRegistered = false;
OwnedFont linkFont;

// The target lives in the window's one pointer-sized extra slot.
constexpr int kTargetSlot = 0;
// Room for the label with its terminator.
constexpr int kMaxLabel = 255;

char* Target(HWND window) { return reinterpret_cast<char*>(GetWindowLongPtrA(window, kTargetSlot)); }

void ReplaceTarget(HWND window, char* target) {
  delete[] Target(window);
  SetWindowLongPtrA(window, kTargetSlot, reinterpret_cast<LONG_PTR>(target));
}

LRESULT SetTarget(HWND window, const char* text) {
  if (!text) return 0;
  const std::size_t length = strnlen(text, kMaxLinkTarget + 1);
  if (length > kMaxLinkTarget) return 0;
  char* copy = new char[length + 1];
  std::memcpy(copy, text, length + 1);
  ReplaceTarget(window, copy);
  return 1;
}

void Paint(HWND window) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window, &paint);
  if (dc) {
    // The label comes from a Unicode dialog template: read and draw it as Unicode, so it
    // shows whatever the ANSI code page is.
    wchar_t text[kMaxLabel] = {};
    GetWindowTextW(window, text, kMaxLabel);
    RECT client;
    GetClientRect(window, &client);
    SelectedObject font(dc, linkFont.get());
    SetTextColor(dc, RGB(0, 0, 255));
    SetBkMode(dc, TRANSPARENT);
    DrawTextW(dc, text, -1, &client, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
  }
  EndPaint(window, &paint);
}

LRESULT CALLBACK LinkProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      SetWindowLongPtrA(window, kTargetSlot, 0);
      break;
    case WM_NCDESTROY:
      ReplaceTarget(window, nullptr);
      break;
    case kLinkSetTarget:
      return SetTarget(window, reinterpret_cast<const char*>(wParam));
    case WM_PAINT:
      Paint(window);
      return 0;
    case WM_LBUTTONUP:
      if (const char* target = Target(window))
        ShellExecuteA(window, nullptr, target, nullptr, nullptr, SW_SHOWMAXIMIZED);
      return 0;
    default:
      break;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

bool RegisterLinkClass(HINSTANCE instance) {
  if (linkClassRegistered) return true;
  WNDCLASSEXA linkClass{};
  linkClass.cbSize = sizeof linkClass;
  linkClass.style = CS_HREDRAW | CS_VREDRAW;
  linkClass.lpfnWndProc = LinkProc;
  linkClass.cbWndExtra = sizeof(LONG_PTR);
  linkClass.hInstance = instance;
  linkClass.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32649));  // IDC_HAND
  linkClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
  linkClass.lpszClassName = kLinkClassName;
  if (!RegisterClassExA(&linkClass)) return false;
  linkFont.Reset(CreateFontA(15, 0, 0, 0, FW_BOLD, FALSE, TRUE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                             CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, VARIABLE_PITCH, nullptr));
  linkClassRegistered = true;
  return true;
}

void ReleaseLinkFont() { linkFont.Reset(); }
