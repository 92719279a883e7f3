#include "window_search.h"

#include "wait.h"

namespace {
struct Search {
  DWORD processId;
  const wchar_t* className;
  std::vector<HWND> found;
};

BOOL CALLBACK CollectWindow(HWND window, LPARAM context) {
  auto* search = reinterpret_cast<Search*>(context);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner != search->processId) return TRUE;
  if (search->className && ClassNameOf(window) != search->className) return TRUE;
  search->found.push_back(window);
  return TRUE;
}
}  // namespace

std::vector<HWND> TopLevelWindowsOf(DWORD processId, const wchar_t* className) {
  Search search{processId, className, {}};
  EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND WaitForTopLevelWindow(DWORD processId, const wchar_t* className, const wchar_t* caption, int timeoutMs) {
  HWND result = nullptr;
  WaitUntil(
      [&] {
        for (HWND window : TopLevelWindowsOf(processId, className)) {
          if (!IsWindowVisible(window)) continue;
          if (caption && CaptionOf(window) != caption) continue;
          result = window;
          return true;
        }
        return false;
      },
      timeoutMs);
  return result;
}

HWND WaitForDialog(DWORD processId, const wchar_t* caption, int timeoutMs) {
  return WaitForTopLevelWindow(processId, L"#32770", caption, timeoutMs);
}

bool WaitForWindowGone(HWND window, int timeoutMs) {
  return WaitUntil([&] { return !IsWindow(window) || !IsWindowVisible(window); }, timeoutMs);
}

std::wstring ClassNameOf(HWND window) {
  wchar_t name[256] = {};
  GetClassNameW(window, name, 256);
  return name;
}

std::wstring CaptionOf(HWND window) {
  wchar_t text[1024] = {};
  GetWindowTextW(window, text, 1024);
  return text;
}

std::wstring ControlText(HWND control) {
  if (!control) return {};
  wchar_t text[4096] = {};
  DWORD_PTR result = 0;
  SendMessageTimeoutW(control, WM_GETTEXT, 4096, reinterpret_cast<LPARAM>(text), SMTO_NORMAL, 2000, &result);
  return text;
}

HWND ChildOfClass(HWND parent, const wchar_t* className) { return FindWindowExW(parent, nullptr, className, nullptr); }
