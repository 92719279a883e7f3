#include "remote_controls.h"

#include <commctrl.h>

#include "remote_buffer.h"
#include "window_search.h"

bool SendAndWait(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  DWORD_PTR answer = 0;
  const bool ok = SendMessageTimeoutW(window, message, wParam, lParam, SMTO_NORMAL, 2000, &answer) != 0;
  if (result) *result = static_cast<LRESULT>(answer);
  return ok;
}

std::wstring StatusBarText(HANDLE process, HWND statusBar, int part) {
  // The length message counts UTF-16 units; 4 KB holds any text the bar can show.
  constexpr std::size_t kBytes = 4096;
  RemoteBuffer buffer(process, kBytes);
  if (!buffer.valid()) return {};
  wchar_t zero = 0;
  buffer.Write(&zero, sizeof zero);
  if (!SendAndWait(statusBar, SB_GETTEXTW, static_cast<WPARAM>(part), reinterpret_cast<LPARAM>(buffer.address())))
    return {};
  std::vector<wchar_t> text(kBytes / sizeof(wchar_t), L'\0');
  if (!buffer.Read(text.data(), kBytes)) return {};
  text.back() = L'\0';
  return text.data();
}

std::vector<int> StatusBarParts(HANDLE process, HWND statusBar) {
  constexpr int kMaxParts = 16;
  RemoteBuffer buffer(process, kMaxParts * sizeof(int));
  LRESULT count = 0;
  if (!buffer.valid() ||
      !SendAndWait(statusBar, SB_GETPARTS, kMaxParts, reinterpret_cast<LPARAM>(buffer.address()), &count) ||
      count <= 0 || count > kMaxParts)
    return {};
  std::vector<int> edges(static_cast<std::size_t>(count));
  if (!buffer.Read(edges.data(), edges.size() * sizeof(int))) return {};
  return edges;
}

std::vector<std::wstring> ListBoxLines(HWND list) {
  std::vector<std::wstring> lines;
  LRESULT count = 0;
  if (!SendAndWait(list, LB_GETCOUNT, 0, 0, &count) || count < 0) return lines;
  for (LRESULT i = 0; i < count; ++i) {
    wchar_t text[1024] = {};
    LRESULT length = 0;
    SendAndWait(list, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0, &length);
    if (length < 0 || length >= 1024) {
      lines.push_back(L"<line too long>");
      continue;
    }
    SendAndWait(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
    lines.push_back(text);
  }
  return lines;
}

std::wstring MessageBoxText(HWND box) { return ControlText(GetDlgItem(box, 0xFFFF)); }
