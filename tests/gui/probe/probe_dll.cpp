// The probe the GUI test driver loads into the editor (see probe_request.h). It only reads:
// nothing in the editor changes because it is loaded.
#include <windows.h>

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
}  // namespace

extern "C" __declspec(dllexport) DWORD WINAPI ProbeThread(void* parameter) {
  auto* request = static_cast<ProbeRequest*>(parameter);
  request->ok = 0;
  switch (request->kind) {
    case ProbeKind::MenuItem: AnswerMenuItem(*request); break;
    case ProbeKind::ScrollBar: AnswerScrollBar(*request); break;
  }
  return request->ok ? 1 : 0;
}

BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) { return TRUE; }
