#include "recovery_folders.h"

#include <windows.h>
#include <shlobj.h>

std::wstring RecoveryFolder() {
  wchar_t folder[MAX_PATH];
  if (FAILED(SHGetFolderPathW(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, folder))) return {};
  return std::wstring(folder) + L"\\Vantorel\\Recovery";
}

namespace {
std::vector<std::wstring> Entries(const std::wstring& folder) {
  std::vector<std::wstring> names;
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    const std::wstring name = found.cFileName;
    if (name != L"." && name != L"..") names.push_back(name);
  } while (FindNextFileW(search, &found));
  FindClose(search);
  return names;
}
}  // namespace

std::vector<std::wstring> RecoveryEntries() {
  const std::wstring root = RecoveryFolder();
  return root.empty() ? std::vector<std::wstring>{} : Entries(root);
}

void RemoveRecoveryCopies() {
  const std::wstring root = RecoveryFolder();
  if (root.empty()) return;
  for (const std::wstring& name : Entries(root)) {
    const std::wstring folder = root + L"\\" + name;
    for (const std::wstring& file : Entries(folder)) DeleteFileW((folder + L"\\" + file).c_str());
    if (!RemoveDirectoryW(folder.c_str())) DeleteFileW(folder.c_str());
  }
}
