// Steps and checks that several scenarios share.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "catalogue.h"
#include "driver_context.h"
#include "editor_session.h"
#include "scenario.h"

// The status bar's part `part`, or the main window's title, reads `want`; a late repaint
// gets a second.
bool ExpectStatus(const DriverContext& context, const EditorSession& session, int part, const std::wstring& want,
                  const std::string& name);
bool ExpectTitle(const DriverContext& context, const EditorSession& session, const std::wstring& want,
                 const std::string& name);
// The menu item's check mark and grayed state.
bool ExpectMenuItem(const DriverContext& context, const EditorSession& session, UINT id, bool checked, bool grayed,
                    const std::string& name);
// "Delete item" (40029) grayed exactly when the model's command state says so.
bool ExpectDeleteItemState(const Scenario& s, const std::string& name);

// The add-item dialog's catalogue as the driver reads Settings.ini.
bool ReadSymbolCatalogue(const DriverContext& context, std::vector<CatalogueEntry>& entries, std::string& error);
// Selects list line `line` as the user would: LB_SETCURSEL and the LBN_SELCHANGE notice.
bool ChooseListLine(HWND dialog, int line);
// Clicks a button that opens no modal window; handled before this returns.
bool ClickButton(HWND dialog, int id);
// The id of the checked radio button among 1010..1012, or 0.
int CheckedColourRadio(HWND dialog);
Pixel ColourOfRadio(int radioId);
const char* NameOfRadio(int radioId);

// The add-item dialog, start to end: open it, choose list line `line` and colour `radioId`,
// press OK and wait for it to close; the model adds the same symbol. Records a failing
// check `name` and returns false when a step does not work.
bool AddMarkerThroughDialog(Scenario& s, const std::vector<CatalogueEntry>& catalogue, int line, int radioId,
                            const std::string& name);

// A mouse click or drag in the view with the real mouse, applied to the model too. The
// press is on canvas point `from`; the pointer then moves to screen point `to` (when given)
// and the button is released there. Waits until the editor took and released the capture.
// False with `error` set when the pointer or the capture do not behave.
bool ClickCanvas(Scenario& s, Point from, std::string& error);
bool DragCanvas(Scenario& s, Point from, POINT to, std::string& error);

// Makes `folder` empty: what a run before left in it is removed first.
void MakeEmptyFolder(const std::wstring& folder);

// Runs a command line in `folder`; its exit code, or -1 when it did not run or end in time
// (it is then ended).
long RunProgram(std::wstring commandLine, const std::wstring& folder, int timeoutMs = 20000);

// File -> Save as SHP for the new file `shp` (a full path): its file dialog, then dialog
// 107, returned; null after recording a failing check `name`.
HWND OpenShpDialog(Scenario& s, const std::wstring& shp, const std::string& name);
// Presses OK in dialog 107 and waits until the export ends it; false after recording a
// failing check `name`.
bool ExportThroughShpDialog(Scenario& s, HWND dialog, const std::string& name);
