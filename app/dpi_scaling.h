// Per-monitor DPI: the program declares itself per-monitor aware (app.manifest), so the
// system no longer stretches it and it sizes its own parts for the monitor's DPI. These use
// the DPI functions of newer Windows when present and the screen's DPI otherwise.
#pragma once

#include <windows.h>

// The DPI of the monitor `window` is on (96 = 100 %).
int WindowDpi(HWND window);
// `value` in pixels at 96 DPI, at `dpi`.
int ScaledForDpi(int value, int dpi);
// GetSystemMetrics for `dpi`.
int SystemMetricForDpi(int index, int dpi);
// The menu font's metrics for `dpi`; false when they cannot be had.
bool NonClientMetricsForDpi(NONCLIENTMETRICSW& metrics, int dpi);

// WM_DPICHANGED: takes the window rectangle the system suggests for the new DPI, gives the
// status bar its parts and font for it and lays the window out again.
void OnDpiChanged(HWND window, int dpi, const RECT& suggested);
// The status bar's part edges for `dpi`: 70 and 270 at 96 DPI, the mode part 60 wider
// while the view is zoomed.
void ScaleStatusBar(HWND bar, int dpi);
