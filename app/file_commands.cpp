#include "file_commands.h"

#include <windows.h>

#include "app_state.h"
#include "document_state.h"
#include "recent_files_menu.h"
#include "saved_message.h"
#include "scene_open_dialog.h"
#include "scene_reader.h"
#include "scene_save_dialog.h"
#include "scene_writer.h"

namespace {

constexpr char kSaveChangesQuestion[] = "The screen has changes that are not saved.\nDo you want to save them first?";
constexpr char kSaveFailed[] = "Error: Can't save the scene!\n";

std::string FileNameOf(const std::string& path) {
  const auto slash = path.find_last_of("\\/");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The full name, so the title, later saves and the screenshot beside the scene all refer
// to the same folder whatever the current folder becomes.
std::string FullPathOf(const std::string& path) {
  char full[kMaxPath];
  const DWORD length = GetFullPathNameA(path.c_str(), sizeof full, full, nullptr);
  return length > 0 && length < sizeof full ? std::string(full, length) : path;
}

bool SaveTo(const std::string& path) {
  LoadScreenDocument& document = Document();
  History().EndGroup(document);
  std::string error;
  if (!SaveScene(path, document, error)) {
    MessageBoxA(App().mainWindow, (kSaveFailed + error).c_str(), kErrorCaption, MB_ICONERROR);
    return false;
  }
  App().scenePath = path;
  History().MarkSaved();
  UpdateTitle();
  NoteRecentFile(path);
  ShowSavedMessage({FileNameOf(path)});
  return true;
}

bool SaveAs() {
  std::string path = App().scenePath;
  return ChooseSceneToSave(App().mainWindow, path) && SaveTo(path);
}

}  // namespace

bool SaveScreen() { return App().scenePath.empty() ? SaveAs() : SaveTo(App().scenePath); }

namespace {

}  // namespace

bool MayReplaceScreen() {
  if (!History().Modified()) return true;
  switch (MessageBoxA(App().mainWindow, kSaveChangesQuestion, kProgramCaption, MB_YESNOCANCEL | MB_ICONQUESTION)) {
    case IDYES: return SaveScreen();
    case IDNO: return true;
    default: return false;
  }
}

namespace {

// Read apart from the screen, which stays as it is when the scene has an error. The common
// templates are the same for every scene.
bool ReadSceneApart(const std::string& path, LoadScreenDocument& scene, std::string& error) {
  const LoadScreenDocument& document = Document();
  scene.appDir = document.appDir;
  scene.largeTargetBox = document.largeTargetBox;
  scene.smallTargetBox = document.smallTargetBox;
  scene.worldMap2x = document.worldMap2x;
  return LoadScene(path, scene, error);
}

}  // namespace

void OpenSceneCommand() {
  std::string path = App().scenePath;
  if (ChooseSceneToOpen(App().mainWindow, path)) OpenSceneFile(path);
}

void SaveSceneCommand() { SaveScreen(); }
void SaveSceneAsCommand() { SaveAs(); }

bool OpenSceneFile(const std::string& path) { return TryOpenSceneFile(path) == SceneOpenOutcome::Opened; }

SceneOpenOutcome TryOpenSceneFile(const std::string& path) {
  LoadScreenDocument& document = Document();
  History().EndGroup(document);
  const std::string fullPath = FullPathOf(path);
  LoadScreenDocument scene;
  std::string error;
  if (!ReadSceneApart(fullPath, scene, error)) {
    // The reader's line starts with the file at fault, as the command-line tool prints it.
    MessageBoxA(App().mainWindow, error.c_str(), kProgramCaption, MB_ICONERROR);
    return SceneOpenOutcome::Unreadable;
  }
  if (!MayReplaceScreen()) return SceneOpenOutcome::Kept;
  ImagePool pool;
  RestoreState(document, CaptureState(scene, pool));
  App().scenePath = fullPath;
  History().Clear();
  History().MarkSaved();
  NoteRecentFile(fullPath);
  return SceneOpenOutcome::Opened;
}

bool RestoreRecoveredScene(const std::string& recoveredPath, const std::string& originalPath, std::string& error) {
  LoadScreenDocument& document = Document();
  History().EndGroup(document);
  LoadScreenDocument scene;
  if (!ReadSceneApart(recoveredPath, scene, error)) return false;
  if (!MayReplaceScreen()) {
    error.clear();
    return false;
  }
  ImagePool pool;
  RestoreState(document, CaptureState(scene, pool));
  App().scenePath = originalPath;
  History().Clear();
  History().MarkUnsaved();
  return true;
}

void UpdateTitle() {
  const AppState& app = App();
  if (!app.mainWindow) return;
  std::string title = kProgramTitle;
  if (!app.scenePath.empty()) {
    title += " - " + FileNameOf(app.scenePath);
    if (History().Modified()) title += " *";
  }
  SetWindowTextA(app.mainWindow, title.c_str());
}
