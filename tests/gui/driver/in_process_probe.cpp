#include "in_process_probe.h"

#include <tlhelp32.h>

#include "remote_buffer.h"

namespace {
constexpr DWORD kRemoteTimeoutMs = 5000;

// Runs `routine(argument)` in the editor and returns the thread's exit code, or false.
bool RunRemote(HANDLE process, void* routine, void* argument, DWORD& exitCode) {
  HANDLE thread =
      CreateRemoteThread(process, nullptr, 0, reinterpret_cast<LPTHREAD_START_ROUTINE>(routine), argument, 0, nullptr);
  if (!thread) return false;
  const bool done = WaitForSingleObject(thread, kRemoteTimeoutMs) == WAIT_OBJECT_0;
  const bool haveCode = done && GetExitCodeThread(thread, &exitCode);
  CloseHandle(thread);
  return haveCode;
}

// Base address of the module named `name` in the process, or null.
BYTE* RemoteModuleBase(DWORD processId, const std::wstring& name) {
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, processId);
  if (snapshot == INVALID_HANDLE_VALUE) return nullptr;
  MODULEENTRY32W entry{};
  entry.dwSize = sizeof entry;
  BYTE* base = nullptr;
  for (BOOL more = Module32FirstW(snapshot, &entry); more && !base; more = Module32NextW(snapshot, &entry))
    if (lstrcmpiW(entry.szModule, name.c_str()) == 0) base = entry.modBaseAddr;
  CloseHandle(snapshot);
  return base;
}
}  // namespace

bool InProcessProbe::Attach(HANDLE process, DWORD processId, const std::wstring& dllPath, std::string& error) {
  process_ = process;
  // Where ProbeThread lies inside the DLL: load it here too and take the offset.
  HMODULE local = LoadLibraryW(dllPath.c_str());
  FARPROC localRoutine = local ? GetProcAddress(local, kProbeThreadName) : nullptr;
  if (!localRoutine) {
    error = "cannot load the probe DLL in the driver (error " + std::to_string(GetLastError()) + ")";
    return false;
  }
  const auto offset = reinterpret_cast<BYTE*>(localRoutine) - reinterpret_cast<BYTE*>(local);

  // Kernel32 lies at the same address in every process of the prefix, so LoadLibraryW's
  // address here is valid in the editor too.
  const std::size_t pathBytes = (dllPath.size() + 1) * sizeof(wchar_t);
  RemoteBuffer path(process, pathBytes);
  void* loadLibrary = reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "LoadLibraryW"));
  // The thread's exit code is only the low half of the module handle, so success is judged
  // by the module list below.
  DWORD loaded = 0;
  if (!path.Write(dllPath.c_str(), pathBytes) || !RunRemote(process, loadLibrary, path.address(), loaded)) {
    error = "cannot load the probe DLL into the editor";
    return false;
  }
  const std::size_t slash = dllPath.find_last_of(L"\\/");
  BYTE* base = RemoteModuleBase(processId, slash == std::wstring::npos ? dllPath : dllPath.substr(slash + 1));
  if (!base) {
    error = "the probe DLL is not listed among the editor's modules";
    return false;
  }
  remoteThread_ = base + offset;
  return true;
}

bool InProcessProbe::Ask(ProbeRequest& request) const {
  if (!remoteThread_) return false;
  RemoteBuffer block(process_, sizeof request);
  DWORD answered = 0;
  return block.Write(&request, sizeof request) && RunRemote(process_, remoteThread_, block.address(), answered) &&
         block.Read(&request, sizeof request) && request.ok;
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
