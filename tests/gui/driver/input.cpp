#include "input.h"

#include "remote_controls.h"

namespace {
void SendKeyState(WORD key, bool down) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = key;
  input.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
  SendInput(1, &input, sizeof input);
}

// Wine caches a process's view of the key state for 50 ms after it last asked the server
// and found a key released; the editor asks on every key it handles (also on the key
// messages the modifiers themselves produce), and mouse input refreshes that cache too (Ctrl
// pressed at once after a drag was read as released). Pressing modifiers therefore waits
// until the cache has expired, or the editor would read Ctrl and Shift as still released.
// While they are held the cache says "down", which Wine always asks the server about again.
constexpr ULONGLONG kKeyStateCacheMs = 70;
ULONGLONG lastKeyEvent = 0;

void WaitForFreshKeyState() {
  const ULONGLONG now = GetTickCount64();
  if (now < lastKeyEvent + kKeyStateCacheMs) Sleep(static_cast<DWORD>(lastKeyEvent + kKeyStateCacheMs - now));
}

// Absolute mouse coordinates are 0..65535 over the screen and Wine maps them back with
// floor(value * size / 65536): rounding up lands exactly on the wanted pixel.
LONG AbsoluteCoordinate(LONG pixel, int screenSize) {
  return static_cast<LONG>((static_cast<long long>(pixel) * 65536 + screenSize - 1) / screenSize);
}

void SendMouseButton(DWORD flag) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = flag;
  SendInput(1, &input, sizeof input);
  lastKeyEvent = GetTickCount64();
}
}  // namespace

ModifierHold::ModifierHold(int modifiers) : modifiers_(modifiers) {
  if (modifiers_ == kNoModifier) return;
  WaitForFreshKeyState();
  if (modifiers_ & kCtrl) SendKeyState(VK_CONTROL, true);
  if (modifiers_ & kShift) SendKeyState(VK_SHIFT, true);
}

ModifierHold::~ModifierHold() {
  if (modifiers_ & kShift) SendKeyState(VK_SHIFT, false);
  if (modifiers_ & kCtrl) SendKeyState(VK_CONTROL, false);
  lastKeyEvent = GetTickCount64();
}

bool SendKey(HWND window, int virtualKey) {
  // Repeat count 1, the scan code left 0: the editor reads only the virtual key.
  const bool handled = SendAndWait(window, WM_KEYDOWN, static_cast<WPARAM>(virtualKey), 1);
  lastKeyEvent = GetTickCount64();
  return handled;
}

bool PressKey(HWND window, int virtualKey, int modifiers) {
  ModifierHold hold(modifiers);
  return SendKey(window, virtualKey);
}

void TapKey(int virtualKey) {
  SendKeyState(static_cast<WORD>(virtualKey), true);
  SendKeyState(static_cast<WORD>(virtualKey), false);
  lastKeyEvent = GetTickCount64();
}

void TypeShortcut(int virtualKey, int modifiers) {
  ModifierHold hold(modifiers);
  TapKey(virtualKey);
}

bool MoveMouseTo(POINT screen) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dx = AbsoluteCoordinate(screen.x, GetSystemMetrics(SM_CXSCREEN));
  input.mi.dy = AbsoluteCoordinate(screen.y, GetSystemMetrics(SM_CYSCREEN));
  input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  SendInput(1, &input, sizeof input);
  lastKeyEvent = GetTickCount64();
  POINT now{};
  GetCursorPos(&now);
  return now.x == screen.x && now.y == screen.y;
}

void PressMouseButton() { SendMouseButton(MOUSEEVENTF_LEFTDOWN); }
void ReleaseMouseButton() { SendMouseButton(MOUSEEVENTF_LEFTUP); }
