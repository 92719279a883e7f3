// ResourceUsage: what the editor's process holds, read from outside as a task manager
// would, for checks that a long session leaks nothing.
//
// Object counts come from GetGuiResources on the editor's process handle. Wine's is a stub
// (it answers 0 with ERROR_CALL_NOT_IMPLEMENTED); then the probe counts inside the editor:
// every live GDI object, and as USER objects its windows, menus, cursors and icons.
// Memory comes from GetProcessMemoryInfo: private bytes are PagefileUsage, which Wine fills
// from Linux's count of the process's anonymous memory (it leaves PrivateUsage 0), and the
// working set is the resident set.
#pragma once

#include <cstddef>
#include <string>

#include "editor_session.h"

struct ResourceUsage {
  int gdiObjects = 0;
  int userObjects = 0;
  std::string gdiDetail;   // by kind when the probe counted, e.g. "12 bitmaps, 4 DCs, 20 fonts"
  std::string userDetail;  // likewise, "31 windows, 7 menus, 5 cursors and icons"
  std::size_t privateBytes = 0;
  std::size_t workingSet = 0;
  std::string source;  // how the objects were counted
};

// Waits until the editor is idle (no paint or message pending), then reads. False with
// `error` set when a figure cannot be read or is zero (so not meaningful).
bool ReadResourceUsage(const EditorSession& session, ResourceUsage& out, std::string& error);

// "123 (12 bitmaps, 4 DCs ...)" and "35.2 MB": the figures as notes print them.
std::string DescribeObjects(int total, const std::string& detail);
std::string Megabytes(std::size_t bytes);
