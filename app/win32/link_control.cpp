#include "link_control.h"

#include <shellapi.h>

#include <cstring>

#include "gdi_handles.h"

namespace {

bool linkClassRegistered = false;
OwnedFont linkFont;

// The target and the parameters live in the window's two pointer-sized extra slots.
constexpr int kTargetSlot = 0;
constexpr int kParametersSlot = sizeof(LONG_PTR);
// Room for the label with its terminator.
constexpr int kMaxLabel = 255;

char* Text(HWND window, int slot) { return reinterpret_cast<char*>(GetWindowLongPtrA(window, slot)); }

void ReplaceText(HWND window, int slot, char* text) {
  delete[] Text(window, slot);
  SetWindowLongPtrA(window, slot, reinterpret_cast<LONG_PTR>(text));
}

LRESULT SetText(HWND window, int slot, const char* text, std::size_t maxLength) {
  if (!text) return 0;
  const std::size_t length = strnlen(text, maxLength + 1);
  if (length > maxLength) return 0;
  char* copy = new char[length + 1];
  std::memcpy(copy, text, length + 1);
  ReplaceText(window, slot, copy);
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
      SetWindowLongPtrA(window, kParametersSlot, 0);
      break;
    case WM_NCDESTROY:
      ReplaceText(window, kTargetSlot, nullptr);
      ReplaceText(window, kParametersSlot, nullptr);
      break;
    case kLinkSetTarget: return SetText(window, kTargetSlot, reinterpret_cast<const char*>(wParam), kMaxLinkTarget);
    case kLinkSetParameters:
      if (!wParam) {
        ReplaceText(window, kParametersSlot, nullptr);
        return 1;
      }
      return SetText(window, kParametersSlot, reinterpret_cast<const char*>(wParam), kMaxLinkParameters);
    case WM_PAINT: Paint(window); return 0;
    case WM_LBUTTONUP:
      if (const char* target = Text(window, kTargetSlot))
        ShellExecuteA(window, nullptr, target, Text(window, kParametersSlot), nullptr, SW_SHOWMAXIMIZED);
      return 0;
    default: break;
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
  linkClass.cbWndExtra = 2 * sizeof(LONG_PTR);
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
