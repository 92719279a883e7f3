#include "scenario_support.h"

#include <filesystem>

#include "file_dialogs.h"
#include "input.h"
#include "marker_commands.h"
#include "remote_controls.h"
#include "resource.h"
#include "run_language.h"
#include "wide_text.h"
#include "window_search.h"

bool ExpectStatus(const DriverContext& context, const EditorSession& session, int part, const std::wstring& want,
                  const std::string& name) {
  std::wstring got;
  // The editor writes the mode text when it repaints; give a late repaint its moment.
  WaitUntil([&] { return (got = session.StatusText(part)) == want; }, 1000);
  return context.log.Expect(
      got == want, name, "status part " + std::to_string(part) + " is " + Quoted(got) + ", expected " + Quoted(want));
}

bool ExpectTitle(const DriverContext& context, const EditorSession& session, const std::wstring& want,
                 const std::string& name) {
  std::wstring got;
  WaitUntil([&] { return (got = session.Title()) == want; }, 1000);
  return context.log.Expect(got == want, name, "the title is " + Quoted(got) + ", expected " + Quoted(want));
}

bool ExpectMenuItem(const DriverContext& context, const EditorSession& session, UINT id, bool checked, bool grayed,
                    const std::string& name) {
  MenuItemState item;
  if (!session.MenuItem(id, item)) {
    context.log.Fail(name, "the menu has no item " + std::to_string(id));
    return false;
  }
  std::string detail;
  if (item.checked() != checked) detail = checked ? "not checked" : "checked";
  if (item.grayed() != grayed)
    detail += std::string(detail.empty() ? "" : " and ") + (grayed ? "not grayed" : "grayed");
  return context.log.Expect(detail.empty(), name, "item " + std::to_string(id) + " is " + detail);
}

bool ExpectDeleteItemState(const Scenario& s, const std::string& name) {
  return ExpectMenuItem(s.context, s.session, IDM_DELETE_ITEM, false, !s.model.MenuState(IDM_DELETE_ITEM).enabled,
                        name);
}

bool ReadSymbolCatalogue(const DriverContext& context, std::vector<CatalogueEntry>& entries, std::string& error) {
  const std::string path = ToAnsi(context.packageDir) + "\\Settings.ini";
  if (!LoadCatalogue(path.c_str(), kSymbolsListSection, CatalogueKind::Symbols, entries, error)) return false;
  if (entries.empty()) {
    error = "Settings.ini lists no symbols";
    return false;
  }
  return true;
}

bool ChooseListLine(HWND dialog, int line) {
  HWND list = GetDlgItem(dialog, IDC_ITEM_LIST);
  LRESULT selected = LB_ERR;
  return list && SendAndWait(list, LB_SETCURSEL, static_cast<WPARAM>(line), 0, &selected) && selected == line &&
         SendAndWait(dialog, WM_COMMAND, MAKEWPARAM(IDC_ITEM_LIST, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
}

bool ClickButton(HWND dialog, int id) {
  HWND button = GetDlgItem(dialog, id);
  return button && SendAndWait(button, BM_CLICK, 0, 0);
}

int CheckedColourRadio(HWND dialog) {
  for (int id : {IDC_SIDE_COLOUR_BLUE, IDC_SIDE_COLOUR_RED, IDC_SIDE_COLOUR_PURPURE}) {
    LRESULT state = 0;
    if (SendAndWait(GetDlgItem(dialog, id), BM_GETCHECK, 0, 0, &state) && state == BST_CHECKED) return id;
  }
  return 0;
}

Pixel ColourOfRadio(int radioId) {
  switch (radioId) {
    case IDC_SIDE_COLOUR_RED: return kSideColourRed;
    case IDC_SIDE_COLOUR_PURPURE: return kSideColourPurpure;
    default: return kSideColourBlue;
  }
}

const char* NameOfRadio(int radioId) {
  switch (radioId) {
    case IDC_SIDE_COLOUR_BLUE: return "blue";
    case IDC_SIDE_COLOUR_RED: return "red";
    case IDC_SIDE_COLOUR_PURPURE: return "purpure";
    default: return "none";
  }
}

bool AddMarkerThroughDialog(Scenario& s, const std::vector<CatalogueEntry>& catalogue, int line, int radioId,
                            const std::string& name) {
  EditorSession& session = s.session;
  CheckLog& log = s.log();
  session.PostCommand(IDM_ADD_ITEM);
  HWND dialog = session.WaitForDialog(texts::kAddItemCaption);
  if (!dialog) {
    log.Fail(name, "the add-item dialog did not open");
    return false;
  }
  if (!ChooseListLine(dialog, line) || !ClickButton(dialog, radioId) || !ClickButton(dialog, IDOK)) {
    log.Fail(name, "the dialog's list or buttons do not answer");
    return false;
  }
  if (!WaitForWindowGone(dialog, kDefaultWaitMs)) {
    log.Fail(name, "the add-item dialog stays open after OK");
    return false;
  }
  // The list shows the catalogue in reverse file order.
  const CatalogueEntry& entry = catalogue[catalogue.size() - 1 - static_cast<std::size_t>(line)];
  std::string error;
  if (!s.model.AddSymbol(entry.fileName, ColourOfRadio(radioId), error)) {
    log.Fail(name, error);
    return false;
  }
  return true;
}

namespace {
bool WaitForCapture(const EditorSession& session, bool held) {
  return WaitUntil([&] { return (session.MouseCapture() == session.view()) == held; }, kDefaultWaitMs);
}
}  // namespace

bool ClickCanvas(Scenario& s, Point from, std::string& error) {
  EditorSession& session = s.session;
  ExpectedScreen& model = s.model;
  const bool onMarker = HitTestMarker(model.document(), from.x, from.y) != -1;
  if (!MoveMouseTo(session.CanvasToScreen(from))) {
    error = "the pointer does not reach the canvas point";
    return false;
  }
  PressMouseButton();
  model.MouseDown(from);
  // Only a press on a marker takes the capture; a press elsewhere is seen in the picture.
  if (onMarker && !WaitForCapture(session, true)) {
    ReleaseMouseButton();
    error = "the view did not take the mouse capture on a marker";
    return false;
  }
  ReleaseMouseButton();
  model.MouseUp();
  if (onMarker && !WaitForCapture(session, false)) {
    error = "the view keeps the mouse capture after the button was released";
    return false;
  }
  return true;
}

bool DragCanvas(Scenario& s, Point from, POINT to, std::string& error) {
  EditorSession& session = s.session;
  ExpectedScreen& model = s.model;
  const POINT start = session.CanvasToScreen(from);
  if (!MoveMouseTo(start)) {
    error = "the pointer does not reach the canvas point";
    return false;
  }
  PressMouseButton();
  model.MouseDown(from);
  if (!WaitForCapture(session, true)) {
    ReleaseMouseButton();
    error = "the view did not take the mouse capture on a marker";
    return false;
  }
  // Straight to the target: the X server echoes pointer moves into the Wine window under
  // the pointer, and the echo of a move through the view could arrive after the last move
  // and put the marker back there. Should an echo still win, the pointer goes there again.
  MoveMouseTo(to);
  POINT reached{};
  GetCursorPos(&reached);
  model.MouseMove(session.ScreenToCanvas(reached));
  std::string detail;
  if (!session.ViewShows(model.Picture(), detail)) {
    MoveMouseTo({reached.x + 1, reached.y + 1});
    MoveMouseTo(reached);
    session.ViewShows(model.Picture(), detail);
  }
  ReleaseMouseButton();
  model.MouseUp();
  if (!WaitForCapture(session, false)) {
    error = "the view keeps the mouse capture after the button was released";
    return false;
  }
  return true;
}

void MakeEmptyFolder(const std::wstring& folder) {
  std::error_code ignored;
  std::filesystem::remove_all(folder, ignored);
  std::filesystem::create_directories(folder, ignored);
}

long RunProgram(std::wstring commandLine, const std::wstring& folder, int timeoutMs) {
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, folder.c_str(),
                      &startup, &process))
    return -1;
  DWORD exitCode = 0;
  const bool ended = WaitForSingleObject(process.hProcess, static_cast<DWORD>(timeoutMs)) == WAIT_OBJECT_0;
  if (!ended) TerminateProcess(process.hProcess, 1);
  GetExitCodeProcess(process.hProcess, &exitCode);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return ended ? static_cast<long>(exitCode) : -1;
}

HWND OpenShpDialog(Scenario& s, const std::wstring& shp, const std::string& name) {
  s.session.PostCommand(IDM_SAVE_SHP);
  HWND fileDialog = WaitForFileDialog(s.session.process().id());
  if (!s.Expect(fileDialog && ChooseFileName(fileDialog, shp), name + ".file_dialog", "no file dialog")) return nullptr;
  HWND dialog = s.session.WaitForDialog(texts::kShpSaveCaption);
  s.Expect(dialog != nullptr, name, "dialog 107 did not open");
  return dialog;
}

bool ExportThroughShpDialog(Scenario& s, HWND dialog, const std::string& name) {
  // Long enough for the best quantizer on a loaded machine.
  constexpr int kExportTimeoutMs = 60000;
  PostMessageW(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
  return s.Expect(WaitForWindowGone(dialog, kExportTimeoutMs), name, "the dialog stays open after OK");
}
