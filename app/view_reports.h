// What the map view tells the window around it, so that the view needs nothing of that
// window: the mode text for the status bar and the Mode menu's radio mark. The main window
// installs its implementation before it creates the view; until then the view reports to
// no one.
#pragma once

class ViewReports {
 public:
  virtual ~ViewReports() = default;
  // The status bar's mode part, e.g. "Current mode: Move (200%)".
  virtual void ShowModeText(const char* text) = 0;
  // The radio mark of the Mode popup on item `position` (0 to 2).
  virtual void CheckMode(int position) = 0;
};

// Not owned; must outlive the view. nullptr reports to no one.
void SetViewReports(ViewReports* reports);
