// Per-monitor DPI: the program declares itself per-monitor aware (app.manifest), so the
// system no longer stretches it and it sizes its own parts for the monitor's DPI. These use
// the DPI functions of newer Windows when present and the screen's DPI otherwise.
#pragma once

#include <windows.h>

// The DPI of the monitor `window` is on (96 = 100 %).
int WindowDpi(HWND window);
// `value` in pixels at 96 DPI, at `dpi`.
int ScaledForDpi(int value, int dpi);
// GetSystemMetrics for `dpi` where the system can say it.
int SystemMetricForDpi(int index, int dpi);
// The non-client metrics (menu and status fonts) for `dpi`. False when the system says none.
bool NonClientMetricsForDpi(NONCLIENTMETRICSW& metrics, int dpi);
