// Times what the editor does on every mouse move of a marker drag: render the whole load
// screen into the 800 x 520 DIB canvas and copy it to a window with GetDC and BitBlt.
// Runs under Wine on a virtual display (tools/repaint_benchmark/run.sh) or on Windows;
// the template package must lie beside the program. Prints its figures; it is no test.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "dib_image.h"
#include "dib_image_draw_win32.h"
#include "image_files.h"
#include "marker_commands.h"
#include "renderer.h"

namespace {

std::string ProgramFolder() {
  char path[MAX_PATH];
  const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string text(path, length);
  return text.substr(0, text.find_last_of('\\') + 1);
}

bool Prepare(LoadScreenDocument& doc) {
  doc.appDir = ProgramFolder();
  std::string message;
  if (!InitImageFiles() || !doc.LoadCommonTemplates(message) || !doc.SetSide(Allied) || !doc.SetCameoCount(3)) {
    std::fprintf(stderr, "repaint benchmark: the template package is not beside the program\n");
    return false;
  }
  MemoryImage symbol;
  LoadImageFile(TemplatePath(doc.appDir, "sym_star.png").c_str(), symbol);
  ReplaceColour(symbol, kSymbolSideColourKey, kSideColourRed);
  for (int i = 0; i < 50; ++i) AddMarker(doc, symbol, (i * 97) % 760, (i * 61) % 480, kSideColourRed);
  SelectMarker(doc, 0);
  return true;
}

double Percentile(std::vector<double> values, double p) {
  std::sort(values.begin(), values.end());
  return values[static_cast<size_t>(p * (values.size() - 1))];
}

}  // namespace

int main() {
  LoadScreenDocument doc;
  if (!Prepare(doc)) return 1;
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = DefWindowProcA;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.lpszClassName = "RepaintBenchmark";
  RegisterClassA(&windowClass);
  HWND window = CreateWindowExA(0, "RepaintBenchmark", "repaint", WS_POPUP | WS_VISIBLE, 0, 0, CanvasWidth,
                                CanvasHeight, nullptr, nullptr, windowClass.hInstance, nullptr);
  DibImage canvas;
  if (!window || !canvas.Create(CanvasWidth, CanvasHeight)) {
    std::fprintf(stderr, "repaint benchmark: no window or canvas\n");
    return 1;
  }
  using Clock = std::chrono::steady_clock;
  std::vector<double> render, repaint;
  for (int i = 0; i < 300; ++i) {
    MoveMarkerTo(doc, 0, 100 + i % 400, 100 + i % 300);  // as a drag does
    const auto start = Clock::now();
    RenderLoadScreen(doc, &canvas);
    const auto rendered = Clock::now();
    HDC dc = GetDC(window);
    DrawPart(canvas, dc, 0, 0, 0, 0, CanvasWidth, CanvasHeight);
    ReleaseDC(window, dc);
    GdiFlush();
    const auto end = Clock::now();
    if (i < 20) continue;  // warm-up
    render.push_back(std::chrono::duration<double, std::milli>(rendered - start).count());
    repaint.push_back(std::chrono::duration<double, std::milli>(end - start).count());
  }
  std::printf("RepaintView (800 x 520, 50 markers), %zu repaints:\n", repaint.size());
  std::printf("  render into the DIB canvas   median %6.2f ms   p95 %6.2f ms\n", Percentile(render, 0.5),
              Percentile(render, 0.95));
  std::printf("  render + copy to the window  median %6.2f ms   p95 %6.2f ms\n", Percentile(repaint, 0.5),
              Percentile(repaint, 0.95));
  std::printf("  (a 60 Hz display shows a frame every 16.7 ms)\n");
  DestroyWindow(window);
  return 0;
}
