// The probe the GUI test driver has the editor load, as the module of a hook on its window
// thread (see probe_request.h). It only reads, except for a drop, which it makes as the
// shell makes one: the file list in global memory of the editor's process, posted with
// WM_DROPFILES. Nothing changes because it is loaded.
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

// Wine's GetGuiResources is a stub, so the objects are counted here, in the process that
// owns them. Wine looks a GDI handle up by its low word alone in the process's own table,
// and a USER handle (even values from 0x20) likewise: GetObjectType, IsMenu and
// GetCursorFrameInfo answer for every live object of this process and for nothing else.
// Windows are enumerated instead, since a window of another process answers too.
using CursorFrameInfo = HCURSOR(WINAPI*)(HCURSOR, DWORD, DWORD, DWORD*, DWORD*);
constexpr UINT_PTR kLastGdiIndex = 0xFFFF, kFirstUserIndex = 0x20, kLastUserIndex = 0xFFEF;

BOOL CALLBACK CountWindow(HWND window, LPARAM count) {
  DWORD processId = 0;
  GetWindowThreadProcessId(window, &processId);
  if (processId != GetCurrentProcessId()) return TRUE;
  ++*reinterpret_cast<int*>(count);
  // Every descendant, however deep; children of a window of ours are ours.
  EnumChildWindows(
      window, [](HWND, LPARAM n) -> BOOL { return ++*reinterpret_cast<int*>(n), TRUE; }, count);
  return TRUE;
}

void AnswerObjectCounts(ProbeRequest& request) {
  for (int& count : request.gdiByType) count = 0;
  for (UINT_PTR index = 1; index <= kLastGdiIndex; ++index) {
    const DWORD type = GetObjectType(reinterpret_cast<HGDIOBJ>(index));
    if (type > 0 && type < sizeof request.gdiByType / sizeof request.gdiByType[0]) ++request.gdiByType[type];
  }
  const auto frameInfo = reinterpret_cast<CursorFrameInfo>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetCursorFrameInfo")));
  request.menus = request.cursors = 0;
  for (UINT_PTR index = kFirstUserIndex; index <= kLastUserIndex; index += 2) {
    if (IsMenu(reinterpret_cast<HMENU>(index))) ++request.menus;
    DWORD rate = 0, steps = 0;
    if (frameInfo && frameInfo(reinterpret_cast<HCURSOR>(index), 0, 0, &rate, &steps)) ++request.cursors;
  }
  request.windows = 0;
  EnumWindows(CountWindow, reinterpret_cast<LPARAM>(&request.windows));
  for (HWND window = nullptr; (window = FindWindowExW(HWND_MESSAGE, window, nullptr, nullptr));)
    CountWindow(window, reinterpret_cast<LPARAM>(&request.windows));
  request.ok = frameInfo != nullptr;
}
// MessageBeep makes no sound a test could hear: the editor's import of it is pointed at a
// counter (the call still goes through).
LONG beepCount = 0;
using MessageBeepFunction = BOOL(WINAPI*)(UINT);
MessageBeepFunction realMessageBeep = nullptr;

BOOL WINAPI CountingMessageBeep(UINT type) {
  InterlockedIncrement(&beepCount);
  return realMessageBeep ? realMessageBeep(type) : TRUE;
}

bool HookMessageBeep() {
  auto* base = reinterpret_cast<BYTE*>(GetModuleHandleW(nullptr));
  const auto* dos = reinterpret_cast<IMAGE_DOS_HEADER*>(base);
  const auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
  const IMAGE_DATA_DIRECTORY& imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  if (imports.VirtualAddress == 0) return false;
  for (auto* module = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress); module->Name;
       ++module) {
    auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + module->OriginalFirstThunk);
    auto* addresses = reinterpret_cast<IMAGE_THUNK_DATA*>(base + module->FirstThunk);
    for (; names->u1.AddressOfData; ++names, ++addresses) {
      if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) continue;
      const auto* byName = reinterpret_cast<IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
      if (lstrcmpA(reinterpret_cast<const char*>(byName->Name), "MessageBeep") != 0) continue;
      DWORD protection = 0;
      if (!VirtualProtect(&addresses->u1.Function, sizeof addresses->u1.Function, PAGE_READWRITE, &protection))
        return false;
      realMessageBeep = reinterpret_cast<MessageBeepFunction>(addresses->u1.Function);
      addresses->u1.Function = reinterpret_cast<ULONG_PTR>(&CountingMessageBeep);
      VirtualProtect(&addresses->u1.Function, sizeof addresses->u1.Function, protection, &protection);
      return true;
    }
  }
  return false;
}

void AnswerBeeps(ProbeRequest& request) {
  static bool hooked = false;
  if (!hooked) hooked = HookMessageBeep();
  request.beeps = static_cast<int>(beepCount);
  request.ok = hooked ? 1 : 0;
}

// The block this editor shares with the driver, mapped on the first request.
ProbeBlock* SharedBlock() {
  static ProbeBlock* block = [] {
    HANDLE mapping = OpenFileMappingW(FILE_MAP_ALL_ACCESS, FALSE, ProbeBlockName(GetCurrentProcessId()).c_str());
    void* view = mapping ? MapViewOfFile(mapping, FILE_MAP_ALL_ACCESS, 0, 0, sizeof(ProbeBlock)) : nullptr;
    if (mapping) CloseHandle(mapping);  // the view keeps the mapping
    return static_cast<ProbeBlock*>(view);
  }();
  return block;
}

void Answer(ProbeBlock& block) {
  ProbeRequest& request = block.request;
  request.ok = 0;
  switch (request.kind) {
    case ProbeKind::Attach:
      block.editorAddress = &block;
      request.ok = 1;
      break;
    case ProbeKind::MenuItem: AnswerMenuItem(request); break;
    case ProbeKind::ScrollBar: AnswerScrollBar(request); break;
    case ProbeKind::DropFile: DropFile(request); break;
    case ProbeKind::ObjectCounts: AnswerObjectCounts(request); break;
    case ProbeKind::Beeps: AnswerBeeps(request); break;
  }
}
}  // namespace

// Called on the editor's window thread before each message sent to one of its windows.
extern "C" __declspec(dllexport) LRESULT CALLBACK ProbeHook(int code, WPARAM wParam, LPARAM lParam) {
  static const UINT probeMessage = RegisterWindowMessageW(kProbeMessageName);
  const auto* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
  if (code == HC_ACTION && call && call->message == probeMessage)
    if (ProbeBlock* block = SharedBlock()) Answer(*block);
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) { return TRUE; }
