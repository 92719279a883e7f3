// What every scenario needs to know about the run.
#pragma once

#include <string>

#include "check_log.h"

struct DriverContext {
  CheckLog& log;
  std::wstring packageDir;  // the staged editor: Vantorel.exe, Templates\, Settings.ini
  std::wstring scratchDir;  // writable; package variants and the editor's working directory
  std::wstring probeDll;    // full path of vantorel_gui_probe.dll

  std::wstring EditorIn(const std::wstring& folder) const { return folder + L"\\Vantorel.exe"; }
};
