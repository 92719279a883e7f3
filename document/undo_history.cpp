#include "undo_history.h"

#include <utility>

void UndoHistory::WillChange(const LoadScreenDocument& document) {
  if (group_.open && group_.recorded) return;
  undo_.push_back({CaptureState(document, pool_), current_});
  current_ = ++lastVersion_;
  if (group_.open) {
    undo_.back().state.selectedMarker = group_.selection;
    group_.recorded = true;
    group_.redoSetAside = std::move(redo_);
  }
  redo_.clear();
  // The group's own step is the newest, so trimming never takes it.
  while (undo_.size() > limit_) undo_.pop_front();
  Notify();
}

void UndoHistory::BeginGroup(const LoadScreenDocument& document, long key) {
  if (group_.open && key != 0 && group_.key == key) return;
  EndGroup(document);
  group_.open = true;
  group_.key = key;
  group_.selection = document.selectedMarker;
}

void UndoHistory::EndGroup(const LoadScreenDocument& document) {
  if (!group_.open) return;
  Group ended = std::move(group_);
  group_ = Group{};
  if (!ended.recorded || undo_.empty() || !SameContent(undo_.back().state, document)) return;
  current_ = undo_.back().version;
  undo_.pop_back();
  redo_ = std::move(ended.redoSetAside);
  Notify();
}

bool UndoHistory::Undo(LoadScreenDocument& document) { return Travel(undo_, redo_, document); }

bool UndoHistory::Redo(LoadScreenDocument& document) { return Travel(redo_, undo_, document); }

bool UndoHistory::Travel(std::deque<Step>& from, std::deque<Step>& to, LoadScreenDocument& document) {
  EndGroup(document);
  if (from.empty()) return false;
  Step step = std::move(from.back());
  from.pop_back();
  to.push_back({CaptureState(document, pool_), current_});
  current_ = step.version;
  RestoreState(document, step.state);
  Notify();
  return true;
}

void UndoHistory::Clear() {
  group_ = Group{};
  undo_.clear();
  redo_.clear();
  Notify();
}

void UndoHistory::MarkSaved() {
  saved_ = current_;
  Notify();
}

void UndoHistory::MarkUnsaved() {
  // No version of the document is ever numbered this.
  saved_ = static_cast<unsigned long>(-1);
  Notify();
}
