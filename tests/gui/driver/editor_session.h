// EditorSession: one running editor under test, with its windows and the ways to read them.
//
// Start launches Vantorel.exe from a staged folder (its working directory is the scratch
// folder, so the editor must find its files through its own location), waits for the main
// window, loads the in-process probe and puts the main window at a fixed place with a view
// of 840 x 560 pixels (the canvas centred with a 20-pixel margin), where nothing else
// covers it. The destructor ends an editor that still runs.
#pragma once

#include <windows.h>

#include <string>

#include "driver_context.h"
#include "editor_process.h"
#include "in_process_probe.h"
#include "screen_capture.h"
#include "view_geometry.h"
#include "wait.h"

inline constexpr int kStandardViewWidth = 840;
inline constexpr int kStandardViewHeight = 560;
// Screen position of the main window: far enough from the screen's left and top edges that
// a drag to the screen corner ends left of and above the canvas.
inline constexpr int kWindowLeft = 60;
inline constexpr int kWindowTop = 30;
// Where dialogs are moved so they do not cover the view (the screen is 1600 pixels wide).
inline constexpr int kDialogParkingX = 1000;
// How long a picture may take to reach the screen after the editor drew it.
inline constexpr int kPictureWaitMs = 1500;

class EditorSession {
 public:
  explicit EditorSession(const DriverContext& context) : context_(context) {}
  EditorSession(const EditorSession&) = delete;
  EditorSession& operator=(const EditorSession&) = delete;

  // Starts the editor in `folder` and waits until it is ready, as above. False with `error`.
  // `arguments` follow the program's name on its command line.
  bool Start(const std::wstring& folder, std::string& error, const std::wstring& arguments = {});
  // Only launches it (for start-up failures, where no main window appears).
  bool Launch(const std::wstring& folder, std::string& error, const std::wstring& arguments = {});

  // Start and Launch first remove the editor's recovery copies that earlier (killed) editors
  // left, so no start is asked about them; a scenario about those copies keeps them.
  void KeepRecoveryCopies() { keepRecoveryCopies_ = true; }

  EditorProcess& process() { return process_; }
  const EditorProcess& process() const { return process_; }
  HWND main() const { return main_; }
  HWND view() const { return view_; }
  // Where the editor put its main window, before Start placed it for the checks.
  const RECT& openedAt() const { return openedAt_; }
  bool openedMaximized() const { return openedMaximized_; }
  HWND statusBar() const { return statusBar_; }
  // Questions asked inside the editor, and memory shared with it.
  const InProcessProbe& probe() const { return probe_; }

  // A menu command that opens no modal window, handled before this returns.
  bool Command(UINT id);
  // A menu command that opens a modal window: posted, the caller waits for the window.
  void PostCommand(UINT id);
  HWND WaitForDialog(const std::wstring& caption, int timeoutMs = kDefaultWaitMs) const;
  // Moves a dialog of the editor off the view.
  void ParkDialog(HWND dialog) const;
  bool PressKey(int virtualKey, int modifiers);

  std::wstring StatusText(int part) const;
  std::wstring Title() const;
  // Drops the file on the main window, as the shell does when the user drops it there.
  bool DropFile(const std::wstring& path) const;
  bool MenuItem(UINT id, MenuItemState& out) const;
  bool MenuPopup(int position, MenuItemState& out) const;
  bool ScrollBar(int bar, ScrollBarState& out) const;
  bool CountObjects(ObjectCounts& out) const { return probe_.CountObjects(out); }
  bool Beeps(int& out) const { return probe_.Beeps(out); }

  // Resizes the main window until the view window is width x height. False when the editor
  // does not lay its view out to the size asked.
  bool PlaceWindow(int viewWidth, int viewHeight);
  SIZE ViewClientSize() const;
  // The screen point showing canvas point `canvas` with the view scrolled to `scroll`.
  POINT CanvasToScreen(Point canvas, Point scroll = {}) const;
  Point ScreenToCanvas(POINT screen, Point scroll = {}) const;
  // The window holding the editor's mouse capture, or null.
  HWND MouseCapture() const;
  // Reads the canvas part the view shows (geometry from the view's size and `scroll`).
  bool CaptureCanvas(ScreenPicture& out, ViewGeometry& geometry, Point scroll = {}) const;
  // Waits until the view shows `expected` (scrolled to `scroll`); false with a description
  // of the difference when it does not within kPictureWaitMs.
  bool ViewShows(const Image& expected, std::string& detail, Point scroll = {}) const;

 private:
  const DriverContext& context_;
  EditorProcess process_;
  InProcessProbe probe_;
  HWND main_ = nullptr;
  RECT openedAt_{};
  bool openedMaximized_ = false;
  HWND view_ = nullptr;
  HWND statusBar_ = nullptr;
  bool keepRecoveryCopies_ = false;
};
