// Times how long two programs take from their launch to their first picture on the screen,
// interleaved run by run, and prints the medians: the editor (its map view shows the
// composed load screen) and the floor program (its window shows its one colour). Run by
// tools/startup_benchmark/run.sh under Wine on a virtual display, with a warm wine server.
//
//   startup_timer RUNS EDITOR.exe FLOOR.exe
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

double Now() {
  LARGE_INTEGER counter, frequency;
  QueryPerformanceCounter(&counter);
  QueryPerformanceFrequency(&frequency);
  return 1000.0 * static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

struct Search {
  DWORD process;
  const char* className;
  HWND found;
};

BOOL CALLBACK FindTopWindow(HWND window, LPARAM data) {
  auto* search = reinterpret_cast<Search*>(data);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  char name[64] = {};
  GetClassNameA(window, name, sizeof name);
  if (owner == search->process && IsWindowVisible(window) && std::string(name) == search->className) {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}

COLORREF ScreenPixel(POINT at) {
  HDC screen = GetDC(nullptr);
  const COLORREF colour = GetPixel(screen, at.x, at.y);
  ReleaseDC(nullptr, screen);
  return colour;
}

// True once the program's picture is on the screen.
bool PictureShown(DWORD process, bool editor) {
  Search search{process, editor ? "VANTORClass" : "StartupFloor", nullptr};
  EnumWindows(FindTopWindow, reinterpret_cast<LPARAM>(&search));
  if (!search.found) return false;
  HWND area = editor ? FindWindowExA(search.found, nullptr, "ViewClass", nullptr) : search.found;
  if (!area) return false;
  RECT client;
  GetClientRect(area, &client);
  if (client.right < 400 || client.bottom < 300) return false;
  if (!editor) {
    POINT middle{client.right / 2, client.bottom / 2};
    ClientToScreen(area, &middle);
    return ScreenPixel(middle) == RGB(1, 2, 3);
  }
  // The load screen: its frame and map are drawn, so the pixels along a row of the view
  // differ, while a view not yet painted shows one background colour. One read per poll:
  // each read of the screen is a round trip to the X server under Wine.
  POINT origin{0, client.bottom / 2};
  ClientToScreen(area, &origin);
  const int width = client.right;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = 1;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP strip = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  bool varied = false;
  if (strip && bits) {
    HGDIOBJ old = SelectObject(memory, strip);
    BitBlt(memory, 0, 0, width, 1, screen, origin.x, origin.y, SRCCOPY);
    GdiFlush();
    const auto* pixels = static_cast<const std::uint32_t*>(bits);
    for (int x = 1; x < width && !varied; ++x) varied = (pixels[x] & 0xFFFFFF) != (pixels[0] & 0xFFFFFF);
    SelectObject(memory, old);
  }
  if (strip) DeleteObject(strip);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return varied;
}

// Milliseconds from CreateProcess to the first picture; negative when it never came.
double TimeOneStart(const std::string& program, bool editor) {
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  std::string commandLine = "\"" + program + "\"";
  std::string folder = program.substr(0, program.find_last_of("\\/") + 1);
  const double start = Now();
  if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup, &info))
    return -1;
  double shown = -1;
  while (Now() - start < 10000) {
    if (PictureShown(info.dwProcessId, editor)) {
      shown = Now() - start;
      break;
    }
    if (WaitForSingleObject(info.hProcess, 2) == WAIT_OBJECT_0) break;
  }
  TerminateProcess(info.hProcess, 0);
  WaitForSingleObject(info.hProcess, 5000);
  CloseHandle(info.hThread);
  CloseHandle(info.hProcess);
  return shown;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const std::size_t n = values.size();
  return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: startup_timer RUNS EDITOR.exe FLOOR.exe\n");
    return 2;
  }
  const int runs = std::max(1, std::atoi(argv[1]));
  // One start of each first, not counted: it brings the files into the cache.
  TimeOneStart(argv[3], false);
  TimeOneStart(argv[2], true);
  std::vector<double> editor, floor;
  for (int run = 0; run < runs; ++run) {
    const double f = TimeOneStart(argv[3], false), e = TimeOneStart(argv[2], true);
    if (f < 0 || e < 0) {
      std::fprintf(stderr, "startup_timer: run %d: no picture within 10 s\n", run + 1);
      return 1;
    }
    floor.push_back(f);
    editor.push_back(e);
    std::printf("run %2d: floor %7.1f ms, editor %7.1f ms\n", run + 1, f, e);
  }
  const double floorMedian = Median(floor), editorMedian = Median(editor);
  std::printf("\nmedian of %d interleaved runs, launch to first picture:\n", runs);
  std::printf("  floor (a window program with the same imports)  %7.1f ms\n", floorMedian);
  std::printf("  Vantorel.exe (the load screen in its view)      %7.1f ms\n", editorMedian);
  std::printf("  above the floor                                 %7.1f ms (goal: at most 60)\n", editorMedian - floorMedian);
  return 0;
}
