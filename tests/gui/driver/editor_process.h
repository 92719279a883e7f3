// EditorProcess: one Vantorel.exe started by the driver.
//
// Owns the process and thread handles. The destructor ends an editor that is still running
// with TerminateProcess - only the process this object started, never anything found by
// name - and waits for it to be gone, so the next scenario starts on a quiet desktop.
#pragma once

#include <windows.h>

#include <string>

class EditorProcess {
 public:
  EditorProcess() = default;
  EditorProcess(const EditorProcess&) = delete;
  EditorProcess& operator=(const EditorProcess&) = delete;
  ~EditorProcess();

  // Starts `exePath` with `workingDir` as its current directory, and `arguments` after the
  // program's name on its command line. False with `error` set when the process cannot be
  // created (or one is already running under this object).
  bool Start(const std::wstring& exePath, const std::wstring& workingDir, std::string& error,
             const std::wstring& arguments = {});
  bool Running() const;
  // Waits up to timeoutMs for the process to end. False when it is still running.
  bool WaitForExit(int timeoutMs, DWORD& exitCode) const;
  // Ends the process if it still runs and waits for it.
  void Terminate();

  HANDLE handle() const { return process_; }
  // The editor's main thread, the one that runs its windows.
  HANDLE thread() const { return thread_; }
  DWORD id() const { return processId_; }
  DWORD threadId() const { return threadId_; }

 private:
  HANDLE process_ = nullptr;
  HANDLE thread_ = nullptr;
  DWORD processId_ = 0;
  DWORD threadId_ = 0;
};
