#include "recovery_places_win32.h"

#include <windows.h>
#include <shlobj.h>

namespace {

std::uint64_t Ticks(const FILETIME& time) {
  return (static_cast<std::uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

bool StartTimeOf(HANDLE process, std::uint64_t& start) {
  FILETIME created, exited, kernel, user;
  if (!GetProcessTimes(process, &created, &exited, &kernel, &user)) return false;
  start = Ticks(created);
  return true;
}

}  // namespace

std::string RecoveryRoot() {
  char folder[MAX_PATH];
  if (FAILED(SHGetFolderPathA(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, folder))) return {};
  return std::string(folder) + "\\Vantorel\\Recovery";
}

EditorIdentity ThisEditor() {
  EditorIdentity self;
  self.processId = GetCurrentProcessId();
  StartTimeOf(GetCurrentProcess(), self.startTime);
  return self;
}

bool EditorRunning(const EditorIdentity& editor) {
  HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, editor.processId);
  if (!process) {
    // A process we may not look at still runs; one that is gone cannot be opened at all.
    return GetLastError() == ERROR_ACCESS_DENIED;
  }
  DWORD exitCode = 0;
  std::uint64_t start = 0;
  const bool running = GetExitCodeProcess(process, &exitCode) && exitCode == STILL_ACTIVE &&
                       StartTimeOf(process, start) && start == editor.startTime;
  CloseHandle(process);
  return running;
}

std::vector<std::string> FolderEntries(const std::string& folder) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    const std::string name = found.cFileName;
    if (name != "." && name != "..") names.push_back(name);
  } while (FindNextFileA(search, &found));
  FindClose(search);
  return names;
}

bool MakeFolders(const std::string& folder) {
  if (GetFileAttributesA(folder.c_str()) != INVALID_FILE_ATTRIBUTES) return true;
  const auto slash = folder.find_last_of('\\');
  if (slash != std::string::npos && slash > 2) MakeFolders(folder.substr(0, slash));
  return CreateDirectoryA(folder.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS;
}

void RemoveCopyFolder(const std::string& folder) {
  for (const std::string& name : FolderEntries(folder)) DeleteFileA((folder + "\\" + name).c_str());
  RemoveDirectoryA(folder.c_str());
}

RecoveryTime LocalTimeNow() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  return {now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond};
}
