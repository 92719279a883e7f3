// UndoHistory: the editor's undo and redo of every change to the load screen.
//
// It is the document's ChangeRecorder: each document function that is about to change the
// screen tells it, and it keeps the state from before (DocumentState, with images shared
// through one ImagePool) as one step. Groups make several changes one step: the editor opens
// one for a mouse drag, for a dialog that changes the screen live, and for a run of arrow-key
// moves of one target (keyed by the target, so the next key of the same run goes on in it).
//
// Steps are numbered versions of the document: Modified() tells whether the document differs
// from the version last marked saved, also after undoing back to it. At most `limit` steps
// are kept; the oldest go first.
#pragma once

#include <cstddef>
#include <deque>
#include <functional>

#include "change_recorder.h"
#include "document_state.h"

inline constexpr std::size_t kUndoSteps = 256;

class UndoHistory final : public ChangeRecorder {
 public:
  explicit UndoHistory(std::size_t limit = kUndoSteps) : limit_(limit < 1 ? 1 : limit) {}

  void WillChange(const LoadScreenDocument& document) override;

  // Opens a group whose changes undo as one step, recorded at its first change with the
  // selection of the moment the group opened (so a drag undoes to the screen as it was
  // before the press that selected the marker). With the key of the group already open (not
  // 0) that group simply goes on; otherwise the open one ends first. EndGroup drops the
  // group's step when the document holds again what it held before (a cancelled dialog, a
  // drag back to where it started), and gives back the redo steps the group's first change
  // had put aside.
  void BeginGroup(const LoadScreenDocument& document, long key = 0);
  void EndGroup(const LoadScreenDocument& document);
  bool GroupOpen() const { return group_.open; }

  bool CanUndo() const { return !undo_.empty(); }
  bool CanRedo() const { return !redo_.empty(); }
  // Ends an open group, then takes the document one step back (or forward). False, nothing
  // changed, when there is no such step.
  bool Undo(LoadScreenDocument& document);
  bool Redo(LoadScreenDocument& document);
  // Forgets every step (a scene was opened); an open group ends without a step.
  void Clear();
  // The document now holds what its file holds (saved, or just read).
  void MarkSaved();
  // The document holds work that no file holds (a recovered copy): modified whatever is
  // undone or redone, until it is saved.
  void MarkUnsaved();
  bool Modified() const { return current_ != saved_; }

  std::size_t UndoSteps() const { return undo_.size(); }
  std::size_t RedoSteps() const { return redo_.size(); }
  // Bytes of pixels the kept steps hold (each distinct image counted once).
  std::size_t ImageBytes() const { return pool_.Bytes(); }
  // Called whenever CanUndo, CanRedo or Modified may have changed.
  void SetListener(std::function<void()> listener) { listener_ = std::move(listener); }

 private:
  struct Step {
    DocumentState state;
    unsigned long version;  // of the document in that state
  };
  struct Group {
    bool open = false;
    long key = 0;
    bool recorded = false;
    int selection = -1;  // the document's selection when the group opened
    std::deque<Step> redoSetAside;
  };

  // Undo and Redo: the document takes the last step of `from`; what it held goes onto `to`.
  bool Travel(std::deque<Step>& from, std::deque<Step>& to, LoadScreenDocument& document);
  void Notify() {
    if (listener_) listener_();
  }

  std::size_t limit_;
  std::deque<Step> undo_;
  std::deque<Step> redo_;
  Group group_;
  ImagePool pool_;
  unsigned long current_ = 0;
  unsigned long saved_ = 0;
  unsigned long lastVersion_ = 0;
  std::function<void()> listener_;
};
