#include "remote_controls.h"

#include <commctrl.h>

#include <algorithm>

#include "window_search.h"

bool SendAndWait(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  DWORD_PTR answer = 0;
  const bool ok = SendMessageTimeoutW(window, message, wParam, lParam, SMTO_NORMAL, 2000, &answer) != 0;
  if (result) *result = static_cast<LRESULT>(answer);
  return ok;
}

std::wstring StatusBarText(const InProcessProbe& probe, HWND statusBar, int part) {
  // The length message counts UTF-16 units; the scratch holds any text the bar can show.
  auto* text = reinterpret_cast<wchar_t*>(probe.scratch());
  if (!text) return {};
  constexpr std::size_t kChars = kProbeScratchBytes / sizeof(wchar_t);
  text[0] = L'\0';  // what a control that writes nothing leaves
  if (!SendAndWait(statusBar, SB_GETTEXTW, static_cast<WPARAM>(part), reinterpret_cast<LPARAM>(probe.editorScratch())))
    return {};
  return std::wstring(text, std::find(text, text + kChars - 1, L'\0'));
}

std::vector<int> StatusBarParts(const InProcessProbe& probe, HWND statusBar) {
  constexpr int kMaxParts = 16;
  static_assert(kMaxParts * sizeof(int) <= kProbeScratchBytes);
  LRESULT count = 0;
  if (!probe.scratch() ||
      !SendAndWait(statusBar, SB_GETPARTS, kMaxParts, reinterpret_cast<LPARAM>(probe.editorScratch()), &count) ||
      count <= 0 || count > kMaxParts)
    return {};
  const auto* edges = reinterpret_cast<const int*>(probe.scratch());
  return std::vector<int>(edges, edges + count);
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
