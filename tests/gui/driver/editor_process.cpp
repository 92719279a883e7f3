#include "editor_process.h"

#include <vector>

EditorProcess::~EditorProcess() {
  Terminate();
  if (thread_) CloseHandle(thread_);
  if (process_) CloseHandle(process_);
}

bool EditorProcess::Start(const std::wstring& exePath, const std::wstring& workingDir, std::string& error,
                          const std::wstring& arguments) {
  if (process_) {
    error = "an editor is already running in this scenario";
    return false;
  }
  // CreateProcessW may write into the command line, so it gets its own buffer.
  std::wstring commandLine = L"\"" + exePath + L"\"";
  if (!arguments.empty()) commandLine += L" " + arguments;
  std::vector<wchar_t> buffer(commandLine.begin(), commandLine.end());
  buffer.push_back(L'\0');
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOWNORMAL;
  PROCESS_INFORMATION info{};
  if (!CreateProcessW(exePath.c_str(), buffer.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      workingDir.empty() ? nullptr : workingDir.c_str(), &startup, &info)) {
    error = "CreateProcess failed with error " + std::to_string(GetLastError());
    return false;
  }
  process_ = info.hProcess;
  thread_ = info.hThread;
  processId_ = info.dwProcessId;
  threadId_ = info.dwThreadId;
  return true;
}

bool EditorProcess::Running() const { return process_ && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT; }

bool EditorProcess::WaitForExit(int timeoutMs, DWORD& exitCode) const {
  if (!process_) return false;
  if (WaitForSingleObject(process_, static_cast<DWORD>(timeoutMs)) != WAIT_OBJECT_0) return false;
  return GetExitCodeProcess(process_, &exitCode) != 0;
}

void EditorProcess::Terminate() {
  if (!Running()) return;
  TerminateProcess(process_, 1);
  WaitForSingleObject(process_, 5000);
}
