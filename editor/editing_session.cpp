#include "editing_session.h"

#include "editor_start.h"
#include "path_names.h"
#include "recent_files.h"
#include "scene_reader.h"
#include "scene_writer.h"

void EditingSession::Shell::RepaintView() { session_.observer().Repaint(); }
void EditingSession::Shell::SetSideStatus(const char* text) { session_.observer().SideChanged(text); }
void EditingSession::Shell::Beep() { session_.observer().Beep(); }
void EditingSession::Shell::MarkerListChanged() { session_.observer().MarkerListChanged(); }

void EditingSession::Shell::SetDeleteItemEnabled(bool enabled) {
  session_.deleteItemEnabled_ = enabled;
  session_.observer().CommandStatesChanged();
}

void EditingSession::Shell::SetLayerChecks(bool, bool) { session_.observer().CommandStatesChanged(); }

void EditingSession::Watcher::WillChange(const LoadScreenDocument& document) {
  session_.history_.WillChange(document);
  session_.observer().ScreenChanged();
}

EditingSession::EditingSession(SessionObserver* observer) : observer_(observer ? observer : &nobody_) {
  history_.SetListener([this] { observer_->HistoryChanged(); });
}

void EditingSession::SetObserver(SessionObserver* observer) { observer_ = observer ? observer : &nobody_; }

void EditingSession::BeginRecording() {
  document_.SetRecorder(&watcher_);
  history_.MarkSaved();
}

void EditingSession::RememberStartScreen() {
  ImagePool pool;
  startScreen_ = CaptureState(document_, pool);
}

bool EditingSession::Start(const std::string& appDir, std::string& message) {
  document_.appDir = appDir;
  if (!LoadStartTemplates(document_, false, message)) return false;
  if (!StartAlliedSide(document_)) {
    message = "the package lacks a template of the Allied side: " + document_.lastTemplateProblem.path;
    return false;
  }
  document_.SetLayers(true, true);
  BeginRecording();
  RememberStartScreen();
  return true;
}

void EditingSession::Key(EditMode mode, int key, int step) { OnKeyWithHistory(document_, history_, mode, key, step); }

bool EditingSession::Undo() {
  if (!history_.Undo(document_)) return false;
  observer().ScreenChanged();
  return true;
}

bool EditingSession::Redo() {
  if (!history_.Redo(document_)) return false;
  observer().ScreenChanged();
  return true;
}

TextLine EditingSession::Title() const {
  // An untitled screen names itself only once it holds something to save.
  if (scenePath_.empty() && !Modified()) return {{Text::ProgramTitle}};
  const TextValue file = scenePath_.empty() ? TextValue("file", Text::Untitled)
                                            : TextValue("file", FileNameOfPath(scenePath_));
  return {{Modified() ? Text::TitleWithSceneModified : Text::TitleWithScene, {{"title", Text::ProgramTitle}, file}}};
}

bool EditingSession::SaveTo(const std::string& path, Prompts& prompts) {
  EndGroup();
  std::string error;
  if (!SaveScene(path, document_, error)) {
    prompts.Tell(Report({{Text::SceneSaveFailed, {{"reason", error}}}}, PromptIcon::Error, PromptCaption::Error));
    return false;
  }
  scenePath_ = path;
  sceneFileAsked_ = false;
  history_.MarkSaved();
  NoteRecentFile(path);
  observer().SceneSaved(path);
  return true;
}

bool EditingSession::Save(Prompts& prompts) {
  return scenePath_.empty() || sceneFileAsked_ ? SaveAs(prompts) : SaveTo(scenePath_, prompts);
}

bool EditingSession::SaveAs(Prompts& prompts) {
  std::string path = scenePath_;
  return prompts.ChooseSceneToSave(path) && SaveTo(path, prompts);
}

bool EditingSession::AskToSaveChanges(const Message& question, Prompts& prompts) {
  if (!Modified()) return true;
  switch (prompts.Ask(Report({question}, PromptIcon::Question), true)) {
    case Answer::Yes: return Save(prompts);
    case Answer::No: return true;
    default: return false;
  }
}

// Opening, New and closing ask the one question, naming the screen.
bool EditingSession::MayReplace(Prompts& prompts) { return AskToSaveChanges(SaveChangesQuestion(), prompts); }

bool EditingSession::MayClose(Prompts& prompts) { return AskToSaveChanges(SaveChangesQuestion(), prompts); }

Message EditingSession::SaveChangesQuestion() const {
  if (scenePath_.empty()) return {Text::CloseQuestion, {{"screen", Text::Untitled}}};
  return {Text::CloseQuestion, {{"screen", FileNameOfPath(scenePath_)}}};
}

// Read apart from the screen, which stays as it is when the scene has an error. The common
// templates are the same for every scene.
bool EditingSession::ReadApart(const std::string& path, LoadScreenDocument& scene, std::string& error) const {
  scene.appDir = document_.appDir;
  scene.largeTargetBox = document_.largeTargetBox;
  scene.smallTargetBox = document_.smallTargetBox;
  scene.worldMap2x = document_.worldMap2x;
  return LoadScene(path, scene, error);
}

void EditingSession::TakeScreen(const LoadScreenDocument& scene) {
  ImagePool pool;
  RestoreState(document_, CaptureState(scene, pool));
}

OpenOutcome EditingSession::Open(const std::string& path, Prompts& prompts) {
  EndGroup();
  LoadScreenDocument scene;
  std::string error;
  if (!ReadApart(path, scene, error)) {
    // The reader's line starts with the file at fault, as the command-line tool prints it.
    prompts.Tell(Report({{Text::Verbatim, {{"text", error}}}}));
    return OpenOutcome::Unreadable;
  }
  if (!MayReplace(prompts)) return OpenOutcome::Kept;
  TakeScreen(scene);
  scenePath_ = path;
  sceneFileAsked_ = false;
  history_.Clear();
  history_.MarkSaved();
  NoteRecentFile(path);
  return OpenOutcome::Opened;
}

bool EditingSession::New(Prompts& prompts) {
  EndGroup();
  if (!MayReplace(prompts)) return false;
  ResetToNew();
  return true;
}

void EditingSession::ResetToNew() {
  EndGroup();
  RestoreState(document_, startScreen_);
  scenePath_.clear();
  sceneFileAsked_ = false;
  history_.Clear();
  history_.MarkSaved();
}

bool EditingSession::Restore(const std::string& copyScene, const std::string& originalPath, Prompts& prompts,
                             std::string& error) {
  EndGroup();
  LoadScreenDocument scene;
  if (!ReadApart(copyScene, scene, error)) return false;
  if (!MayReplace(prompts)) {
    error.clear();
    return false;
  }
  TakeScreen(scene);
  // The record names the file, but anything may have written the record: the file is only
  // proposed, and the first save asks for it, with the replace question of the dialog.
  scenePath_ = originalPath;
  sceneFileAsked_ = !originalPath.empty();
  history_.Clear();
  history_.MarkUnsaved();
  return true;
}

void EditingSession::NoteRecentFile(const std::string& path) {
  AddRecentFile(recentFiles_, path);
  observer().RecentFilesChanged();
}

void EditingSession::OpenRecent(int index, Prompts& prompts) {
  if (index < 0 || index >= static_cast<int>(recentFiles_.size())) return;
  const std::string path = recentFiles_[static_cast<std::size_t>(index)];
  if (Open(path, prompts) != OpenOutcome::Unreadable) return;
  RemoveRecentFile(recentFiles_, path);
  observer().RecentFilesChanged();
}
