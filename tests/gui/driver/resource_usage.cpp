#include "resource_usage.h"

#include <psapi.h>

#include <cstdio>

#include "remote_controls.h"

namespace {
// GetObjectType's kinds, by number (OBJ_PEN 1 to OBJ_COLORSPACE 14).
const char* const kGdiKinds[16] = {"",
                                   "pens",
                                   "brushes",
                                   "DCs",
                                   "metafile DCs",
                                   "palettes",
                                   "fonts",
                                   "bitmaps",
                                   "regions",
                                   "metafiles",
                                   "memory DCs",
                                   "extended pens",
                                   "enhanced metafile DCs",
                                   "enhanced metafiles",
                                   "colour spaces",
                                   ""};

void Append(std::string& list, int count, const char* kind) {
  if (count == 0) return;
  list += (list.empty() ? "" : ", ") + std::to_string(count) + " " + kind;
}

// The editor paints when its queue is empty: answering a sent message twice, with a pause
// after each, leaves it the time to, so nothing is half done when it is counted.
bool WaitUntilIdle(const EditorSession& session) {
  for (int i = 0; i < 2; ++i) {
    if (!SendAndWait(session.main(), WM_NULL, 0, 0)) return false;
    Sleep(100);
  }
  return true;
}

bool CountObjectsOnce(const EditorSession& session, ResourceUsage& out, std::string& error) {
  HANDLE process = session.process().handle();
  SetLastError(0);
  out.gdiObjects = static_cast<int>(GetGuiResources(process, GR_GDIOBJECTS));
  out.userObjects = static_cast<int>(GetGuiResources(process, GR_USEROBJECTS));
  const DWORD why = GetLastError();
  if (out.gdiObjects > 0 && out.userObjects > 0) {
    out.source = "GetGuiResources";
    return true;
  }
  ObjectCounts counts;
  if (!session.CountObjects(counts)) {
    error = "GetGuiResources answers 0 (error " + std::to_string(why) + ") and the probe cannot count";
    return false;
  }
  out.gdiObjects = 0;
  out.gdiDetail.clear();
  for (int kind = 1; kind < 16; ++kind) {
    out.gdiObjects += counts.gdiByType[kind];
    Append(out.gdiDetail, counts.gdiByType[kind], kGdiKinds[kind]);
  }
  out.userObjects = counts.windows + counts.menus + counts.cursors;
  out.userDetail.clear();
  Append(out.userDetail, counts.windows, "windows");
  Append(out.userDetail, counts.menus, "menus");
  Append(out.userDetail, counts.cursors, "cursors and icons");
  out.source = "counted inside the editor (GetGuiResources answers 0, error " + std::to_string(why) + ")";
  return true;
}

// The system makes a region or a context for a moment now and then (an exposed window
// repainted); the least of three readings is what the editor holds.
bool CountObjects(const EditorSession& session, ResourceUsage& out, std::string& error) {
  ResourceUsage reading;
  for (int i = 0; i < 3; ++i) {
    if (i > 0) Sleep(100);
    if (!CountObjectsOnce(session, reading, error)) return false;
    if (i == 0 || reading.gdiObjects + reading.userObjects < out.gdiObjects + out.userObjects) out = reading;
  }
  return true;
}
}  // namespace

bool ReadResourceUsage(const EditorSession& session, ResourceUsage& out, std::string& error) {
  if (!WaitUntilIdle(session)) {
    error = "the editor does not answer";
    return false;
  }
  if (!CountObjects(session, out, error)) return false;
  PROCESS_MEMORY_COUNTERS memory{};
  memory.cb = sizeof memory;
  if (!GetProcessMemoryInfo(session.process().handle(), &memory, sizeof memory)) {
    error = "GetProcessMemoryInfo fails with error " + std::to_string(GetLastError());
    return false;
  }
  out.privateBytes = memory.PagefileUsage;
  out.workingSet = memory.WorkingSetSize;
  // The editor holds at least its main window and view, a bitmap for its canvas and far
  // more than a megabyte: anything less is a figure that measures nothing.
  if (out.gdiObjects <= 0 || out.userObjects < 2 || out.privateBytes < (1u << 20) || out.workingSet < (1u << 20)) {
    error = "figures that cannot be the editor's: " + DescribeObjects(out.gdiObjects, out.gdiDetail) + " GDI and " +
            DescribeObjects(out.userObjects, out.userDetail) + " USER objects, private " + Megabytes(out.privateBytes) +
            ", working set " + Megabytes(out.workingSet);
    return false;
  }
  return true;
}

std::string DescribeObjects(int total, const std::string& detail) {
  return std::to_string(total) + (detail.empty() ? "" : " (" + detail + ")");
}

std::string Megabytes(std::size_t bytes) {
  char text[32];
  std::snprintf(text, sizeof text, "%.1f MB", static_cast<double>(bytes) / (1024.0 * 1024.0));
  return text;
}
