#include "in_process_probe.h"

#include <cstddef>
#include <cstring>

namespace {
// A question is answered between two of the editor's messages; a busy editor may take a
// while (an export), a hung one never answers.
constexpr UINT kAnswerTimeoutMs = 5000;
}  // namespace

InProcessProbe::~InProcessProbe() {
  if (block_) UnmapViewOfFile(block_);
  if (mapping_) CloseHandle(mapping_);
  if (dll_) FreeLibrary(dll_);
}

bool InProcessProbe::Attach(HWND mainWindow, DWORD processId, const std::wstring& dllPath, std::string& error) {
  mainWindow_ = mainWindow;
  message_ = RegisterWindowMessageW(kProbeMessageName);
  mapping_ = CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(ProbeBlock),
                                ProbeBlockName(processId).c_str());
  block_ = mapping_ ? static_cast<ProbeBlock*>(MapViewOfFile(mapping_, FILE_MAP_ALL_ACCESS, 0, 0, sizeof(ProbeBlock)))
                    : nullptr;
  if (!block_) {
    error = "cannot make the block shared with the editor (error " + std::to_string(GetLastError()) + ")";
    return false;
  }
  std::memset(block_, 0, sizeof *block_);  // a block left by an ended editor of the same id starts anew
  dll_ = LoadLibraryW(dllPath.c_str());
  hookProcedure_ = dll_ ? reinterpret_cast<HOOKPROC>(reinterpret_cast<void*>(GetProcAddress(dll_, kProbeHookName)))
                        : nullptr;
  if (!hookProcedure_) {
    error = "cannot load the probe DLL in the driver (error " + std::to_string(GetLastError()) + ")";
    return false;
  }
  thread_ = GetWindowThreadProcessId(mainWindow, nullptr);
  ProbeRequest request{};
  request.kind = ProbeKind::Attach;
  if (!Ask(request) || !block_->editorAddress) {
    error = "the probe DLL does not answer from inside the editor";
    return false;
  }
  editorBlock_ = block_->editorAddress;
  return true;
}

void* InProcessProbe::editorScratch() const {
  return attached() ? static_cast<unsigned char*>(editorBlock_) + offsetof(ProbeBlock, scratch) : nullptr;
}

bool InProcessProbe::Ask(ProbeRequest& request) const {
  if (!block_ || !hookProcedure_ || !thread_) return false;
  block_->request = request;
  block_->request.ok = 0;
  // Hooked only while asking: a hook on the thread costs the editor two trips to Wine's
  // server for every message sent to its windows (a third slower in the soak).
  HHOOK hook = SetWindowsHookExW(WH_CALLWNDPROC, hookProcedure_, dll_, thread_);
  if (!hook) return false;
  DWORD_PTR unused = 0;
  const bool answered = SendMessageTimeoutW(mainWindow_, message_, 0, 0, SMTO_NORMAL, kAnswerTimeoutMs, &unused) != 0;
  UnhookWindowsHookEx(hook);
  if (!answered) return false;
  request = block_->request;
  return request.ok != 0;
}

bool InProcessProbe::MenuItem(HWND window, UINT item, bool byPosition, MenuItemState& out) const {
  ProbeRequest request{};
  request.kind = ProbeKind::MenuItem;
  request.window = window;
  request.item = item;
  request.byPosition = byPosition ? 1 : 0;
  if (!Ask(request)) return false;
  request.text[sizeof request.text / sizeof request.text[0] - 1] = L'\0';
  out.state = request.state;
  out.type = request.type;
  out.caption = request.text;
  return true;
}

bool InProcessProbe::ScrollBar(HWND window, int bar, ScrollBarState& out) const {
  ProbeRequest request{};
  request.kind = ProbeKind::ScrollBar;
  request.window = window;
  request.bar = bar;
  if (!Ask(request)) return false;
  out = {request.minimum, request.maximum, request.position, request.page};
  return true;
}

bool InProcessProbe::DropFile(HWND window, const std::wstring& path) const {
  ProbeRequest request{};
  request.kind = ProbeKind::DropFile;
  request.window = window;
  if (path.size() >= sizeof request.text / sizeof request.text[0]) return false;
  path.copy(request.text, path.size());
  return Ask(request);
}

bool InProcessProbe::CountObjects(ObjectCounts& out) const {
  ProbeRequest request{};
  request.kind = ProbeKind::ObjectCounts;
  if (!Ask(request)) return false;
  for (int type = 0; type < 16; ++type) out.gdiByType[type] = request.gdiByType[type];
  out.windows = request.windows;
  out.menus = request.menus;
  out.cursors = request.cursors;
  return true;
}

bool InProcessProbe::Beeps(int& out) const {
  ProbeRequest request{};
  request.kind = ProbeKind::Beeps;
  if (!Ask(request)) return false;
  out = request.beeps;
  return true;
}
