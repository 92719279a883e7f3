// EditingSession: the screen being edited and what the editor keeps about it for the run.
//
// It owns the one document with its undo history, the scene file the screen belongs to,
// the start screen File > New gives back, the recent scene files, and the choices the
// dialogs remember (the SHP dialog's, the export the preview shows, the marker colour, the
// last file chosen). It opens, saves, renews and restores the screen, asking through
// Prompts, and tells the window layer what changed through a SessionObserver. Everything
// here runs without a window: the tests and the GUI test driver's model of the screen use
// the same session as the editor.
//
// Paths are full names in the narrow encoding of file names.
#pragma once

#include <string>
#include <vector>

#include "document_state.h"
#include "edit_keys.h"
#include "interface_texts.h"
#include "load_screen_document.h"
#include "output_names.h"
#include "prompts.h"
#include "shp_form.h"
#include "undo_history.h"

// What the session tells the window layer. Each has an empty default, so an observer
// implements only what it shows.
class SessionObserver {
 public:
  virtual ~SessionObserver() = default;
  // The picture changed: show it now.
  virtual void Repaint() {}
  // The side or the cameo count changed: "Allied - 2".
  virtual void SideChanged(const std::string& /*text*/) {}
  // A key that means nothing while a marker is selected.
  virtual void Beep() {}
  // The marker list changed: a drag in progress ends.
  virtual void MarkerListChanged() {}
  // The screen is about to change (every recorded change, also inside an undo group) or was
  // just undone or redone.
  virtual void ScreenChanged() {}
  // Undo, Redo, whether the screen is modified or which scene it belongs to may differ.
  virtual void HistoryChanged() {}
  // A command's state that follows the document may differ (Delete item, the layers).
  virtual void CommandStatesChanged() {}
  // The recent scene files changed.
  virtual void RecentFilesChanged() {}
  // The screen was saved to `path`.
  virtual void SceneSaved(const std::string& /*path*/) {}
};

// The choices the dialogs remember for the rest of the run.
struct RememberedChoices {
  // The last picture chosen in the screenshot chooser, which opens in its folder.
  std::string screenshotFile;
  // The files last chosen in the SHP file dialog and the save-as-image dialog, which
  // propose names from them and the scene (output_names.h).
  ChosenOutput shpFile;
  ChosenOutput imageFile;
  int markerColour = 0;  // the add-item dialog's side colour: 0 blue, 1 red, 2 purpure
  ShpChoices shp;
  // The SHP export last confirmed with OK (without its SHP path): what the preview shows.
  // Before the first: a new octree palette of 256 colours, undithered.
  ShpExportSettings confirmedShp;
};

enum class OpenOutcome { Opened, Unreadable, Kept };

class EditingSession {
 public:
  explicit EditingSession(SessionObserver* observer = nullptr);
  EditingSession(const EditingSession&) = delete;
  EditingSession& operator=(const EditingSession&) = delete;
  // Null tells no one.
  void SetObserver(SessionObserver* observer);

  LoadScreenDocument& document() { return document_; }
  const LoadScreenDocument& document() const { return document_; }
  UndoHistory& history() { return history_; }
  const UndoHistory& history() const { return history_; }
  RememberedChoices& choices() { return choices_; }
  const RememberedChoices& choices() const { return choices_; }

  // The editor starts in stages around its window (editor_start.h); once the first picture
  // stands, every change from here on is a step of the history and nothing is modified.
  void BeginRecording();
  // What File > New gives back: the screen as it is now.
  void RememberStartScreen();
  // The whole start in one call on the package in `appDir` (ending with a separator), as the
  // editor ends it: false with `message` when a template is missing.
  bool Start(const std::string& appDir, std::string& message);

  // What every command does first: a run of key moves or a drag in progress ends, as one
  // undo step.
  void EndGroup() { history_.EndGroup(document_); }
  // One key in the view with the step its modifiers give (edit_keys.h).
  void Key(EditMode mode, int key, int step);
  bool Undo();
  bool Redo();

  const std::string& scenePath() const { return scenePath_; }
  bool Modified() const { return history_.Modified(); }
  // "Vantorel 1.11" for an untouched untitled screen, otherwise with " - <scene file>" (or
  // " - Untitled") and " *" while modified.
  TextLine Title() const;
  // Enabled from the start; grayed and enabled again as the document's marker commands say.
  bool DeleteItemEnabled() const { return deleteItemEnabled_; }

  // Reads the scene at `path` apart from the screen; when it reads and the user does not
  // keep unsaved changes (MayReplace), it becomes the screen with a fresh history, its file
  // the recent list's first. A scene that cannot be read is reported with the reader's line
  // and changes nothing.
  OpenOutcome Open(const std::string& path, Prompts& prompts);
  // Saves to the scene file, or asks for one first: when there is none, and when it came
  // from a recovery record (Restore), which is proposed. False when cancelled or failed
  // (reported: the earlier files stay as they were).
  bool Save(Prompts& prompts);
  bool SaveAs(Prompts& prompts);
  // Asks as Open does, then ResetToNew. False when the user kept the screen.
  bool New(Prompts& prompts);
  // The start screen without asking: no scene file, an empty history, nothing unsaved.
  void ResetToNew();
  // True when nothing is unsaved or the user let it go (No) or saved it (Yes); false for
  // Cancel and for a save that failed or was cancelled. MayReplace asks before another
  // screen takes this one's place, MayClose before the editor closes; both ask
  // SaveChangesQuestion.
  bool MayReplace(Prompts& prompts);
  bool MayClose(Prompts& prompts);
  // "Save changes to mission1.ini?" ("Untitled" for a screen never saved).
  Message SaveChangesQuestion() const;
  // Makes the scene at `copyScene` (a recovery copy) the screen as unsaved work belonging to
  // `originalPath` (empty: to no file), asking as Open does. The file is not trusted: the
  // first save goes through Save as with it proposed. False with the reader's line in
  // `error` when the copy cannot be read, with `error` empty when the user kept the screen.
  bool Restore(const std::string& copyScene, const std::string& originalPath, Prompts& prompts, std::string& error);

  // Newest first; set once at start from what the user's settings hold.
  const std::vector<std::string>& RecentFiles() const { return recentFiles_; }
  void SetRecentFiles(std::vector<std::string> files) { recentFiles_ = std::move(files); }
  // Opens entry `index`; one that cannot be read is reported and leaves the list.
  void OpenRecent(int index, Prompts& prompts);

 private:
  // The document's window services, carried out by the observer; the Delete item state kept.
  class Shell final : public DocumentShell {
   public:
    explicit Shell(EditingSession& session) : session_(session) {}
    void RepaintView() override;
    void SetSideStatus(const char* text) override;
    void SetDeleteItemEnabled(bool enabled) override;
    void SetLayerChecks(bool top, bool bottom) override;
    void Beep() override;
    void MarkerListChanged() override;

   private:
    EditingSession& session_;
  };
  // Passes every change to the history, then tells the observer: a change inside a group is
  // seen too.
  class Watcher final : public ChangeRecorder {
   public:
    explicit Watcher(EditingSession& session) : session_(session) {}
    void WillChange(const LoadScreenDocument& document) override;

   private:
    EditingSession& session_;
  };

  bool SaveTo(const std::string& path, Prompts& prompts);
  bool AskToSaveChanges(const Message& question, Prompts& prompts);
  bool ReadApart(const std::string& path, LoadScreenDocument& scene, std::string& error) const;
  void TakeScreen(const LoadScreenDocument& scene);
  void NoteRecentFile(const std::string& path);
  SessionObserver& observer() { return *observer_; }

  SessionObserver nobody_;
  SessionObserver* observer_;
  Shell shell_{*this};
  Watcher watcher_{*this};
  UndoHistory history_;
  LoadScreenDocument document_{&shell_};
  std::string scenePath_;
  bool sceneFileAsked_ = false;  // the next save asks for the file, proposing scenePath_
  DocumentState startScreen_;    // holds its share of the start screen's pictures for the run
  std::vector<std::string> recentFiles_;
  RememberedChoices choices_;
  bool deleteItemEnabled_ = true;
};
