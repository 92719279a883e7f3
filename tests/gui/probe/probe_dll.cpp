// The probe the GUI test driver loads into the editor (see probe_request.h). It only reads,
// except for a drop, which it makes as the shell makes one: the file list in global memory
// of the editor's process, posted with WM_DROPFILES. Nothing changes because it is loaded.
#include <windows.h>
#include <shlobj.h>

#include <cwchar>

#include "probe_request.h"

namespace {
void AnswerMenuItem(ProbeRequest& request) {
  HMENU menu = GetMenu(request.window);
  MENUITEMINFOW info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_STATE | MIIM_FTYPE | MIIM_STRING;
  info.dwTypeData = request.text;
  info.cch = sizeof request.text / sizeof request.text[0];
  request.text[0] = L'\0';
  request.ok = menu && GetMenuItemInfoW(menu, request.item, request.byPosition ? TRUE : FALSE, &info);
  request.state = info.fState;
  request.type = info.fType;
}

void AnswerScrollBar(ProbeRequest& request) {
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  info.fMask = SIF_ALL;
  request.ok = GetScrollInfo(request.window, request.bar, &info) != 0;
  request.minimum = info.nMin;
  request.maximum = info.nMax;
  request.position = info.nPos;
  request.page = static_cast<int>(info.nPage);
}
// The window releases the memory with DragFinish.
void DropFile(ProbeRequest& request) {
  request.text[sizeof request.text / sizeof request.text[0] - 1] = L'\0';
  const std::size_t chars = std::wcslen(request.text);
  // The list of names ends with an empty one: two terminators, zeroed by GHND.
  HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + (chars + 2) * sizeof(wchar_t));
  auto* drop = memory ? static_cast<DROPFILES*>(GlobalLock(memory)) : nullptr;
  if (!drop) {
    if (memory) GlobalFree(memory);
    return;
  }
  drop->pFiles = sizeof(DROPFILES);
  drop->fWide = TRUE;
  std::wmemcpy(reinterpret_cast<wchar_t*>(drop + 1), request.text, chars);
  GlobalUnlock(memory);
  request.ok = PostMessageW(request.window, WM_DROPFILES, reinterpret_cast<WPARAM>(memory), 0);
  if (!request.ok) GlobalFree(memory);
}
}  // namespace

extern "C" __declspec(dllexport) DWORD WINAPI ProbeThread(void* parameter) {
  auto* request = static_cast<ProbeRequest*>(parameter);
  request->ok = 0;
  switch (request->kind) {
    case ProbeKind::MenuItem: AnswerMenuItem(*request); break;
    case ProbeKind::ScrollBar: AnswerScrollBar(*request); break;
    case ProbeKind::DropFile: DropFile(*request); break;
  }
  return request->ok ? 1 : 0;
}

BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) { return TRUE; }
