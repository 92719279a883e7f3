#include "input.h"

#include "remote_controls.h"
#include "wait.h"

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

// Where the driver last put the pointer.
POINT pointerTarget{};

// A mouse event at `screen`, as one input: the move and the button `buttonFlag` (or none).
void SendMouseAt(POINT screen, DWORD buttonFlag) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dx = AbsoluteCoordinate(screen.x, GetSystemMetrics(SM_CXSCREEN));
  input.mi.dy = AbsoluteCoordinate(screen.y, GetSystemMetrics(SM_CYSCREEN));
  input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | buttonFlag;
  SendInput(1, &input, sizeof input);
  lastKeyEvent = GetTickCount64();
}

bool PointerAt(POINT screen) {
  POINT now{};
  return GetCursorPos(&now) && now.x == screen.x && now.y == screen.y;
}

void SendMouseButton(DWORD flag) {
  // The button goes where the driver put the pointer, even when a late echo moved it since.
  SendMouseAt(pointerTarget, flag);
}
}  // namespace

// The editor reads the modifiers with GetKeyState: its thread's key state, which follows
// the keyboard input it has taken from its queue. The modifiers' own key messages must be
// handled before the key sent next, or it would see the state from before them.
constexpr DWORD kModifierSettleMs = 40;

ModifierHold::ModifierHold(int modifiers) : modifiers_(modifiers) {
  if (modifiers_ == kNoModifier) return;
  WaitForFreshKeyState();
  if (modifiers_ & kCtrl) SendKeyState(VK_CONTROL, true);
  if (modifiers_ & kShift) SendKeyState(VK_SHIFT, true);
  Sleep(kModifierSettleMs);
}

ModifierHold::~ModifierHold() {
  if (modifiers_ == kNoModifier) return;
  if (modifiers_ & kShift) SendKeyState(VK_SHIFT, false);
  if (modifiers_ & kCtrl) SendKeyState(VK_CONTROL, false);
  Sleep(kModifierSettleMs);
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
  pointerTarget = screen;
  // The X server echoes pointer moves and window changes back into the editor, which turns
  // them into moves when it reads them; one read late puts the pointer back where it was.
  // The move is then made again.
  return WaitUntil([&] {
    SendMouseAt(screen, 0);
    return PointerAt(screen);
  });
}

void PressMouseButton() { SendMouseButton(MOUSEEVENTF_LEFTDOWN); }
void ReleaseMouseButton() { SendMouseButton(MOUSEEVENTF_LEFTUP); }
