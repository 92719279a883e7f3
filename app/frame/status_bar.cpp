#include "status_bar.h"

#include <commctrl.h>

#include "dpi.h"
#include "language.h"

namespace {
// The tips show a part's whole text where the part cuts it (an export's report is long).
constexpr DWORD kStatusBarStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | SBARS_SIZEGRIP | SBARS_TOOLTIPS | CCS_BOTTOM;
}  // namespace

StatusBar::StatusBar(StatusLine& line) : line_(line) {}

bool StatusBar::Create(HWND parent) {
  window_ = CreateWindowExA(0, STATUSCLASSNAMEA, nullptr, kStatusBarStyle, 0, 0, 0, 0, parent, nullptr,
                            GetModuleHandleA(nullptr), nullptr);
  if (!window_) return false;
  ScaleParts(WindowDpi(parent));
  line_.SetListener([this](StatusPart part) {
    // The mode part names the zoom: the parts are sized for it.
    if (part == StatusPart::Mode && zoomed_ != (line_.Zoom() != 1)) ScaleParts(WindowDpi(GetParent(window_)));
    Write(part);
  });
  RedrawAll();
  return true;
}

bool StatusBar::Shown() const { return window_ && IsWindowVisible(window_); }

void StatusBar::Show(bool shown) {
  if (window_) ShowWindow(window_, shown ? SW_SHOW : SW_HIDE);
}

int StatusBar::PlaceAndMeasure() {
  if (!window_ || !IsWindow(window_) || !IsWindowVisible(window_)) return 0;
  // The control places itself at the bottom of its parent on a WM_SIZE of its own.
  SendMessageA(window_, WM_SIZE, 0, 0);
  RECT bar;
  GetWindowRect(window_, &bar);
  return bar.bottom - bar.top;
}

void StatusBar::Write(StatusPart part) {
  if (!window_) return;
  const std::wstring text = WideLine(line_.Part(part));
  SendMessageW(window_, SB_SETTEXTW, static_cast<WPARAM>(part), reinterpret_cast<LPARAM>(text.c_str()));
  SendMessageW(window_, SB_SETTIPTEXTW, static_cast<WPARAM>(part), reinterpret_cast<LPARAM>(text.c_str()));
}

void StatusBar::RedrawAll() {
  for (int part = 0; part < kStatusPartCount; ++part) Write(static_cast<StatusPart>(part));
}

void StatusBar::ScaleParts(int dpi) {
  if (!window_) return;
  zoomed_ = line_.Zoom() != 1;
  const int modeEdge = zoomed_ ? 330 : 270;
  const int rightEdges[3] = {ScaledForDpi(70, dpi), ScaledForDpi(modeEdge, dpi), -1};
  SendMessageA(window_, SB_SETPARTS, 3, reinterpret_cast<LPARAM>(rightEdges));
}

void StatusBar::OnDpiChanged(int dpi) {
  NONCLIENTMETRICSW metrics;
  if (window_ && NonClientMetricsForDpi(metrics, dpi)) {
    // The bar lets go of the old font before it is deleted.
    if (HFONT font = CreateFontIndirectW(&metrics.lfStatusFont)) {
      SendMessageA(window_, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
      font_.Reset(font);
    }
  }
  ScaleParts(dpi);
}
