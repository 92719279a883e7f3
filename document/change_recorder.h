// ChangeRecorder: told by the document functions just before they change the load screen
// (anything drawn or saved; selection changes are not told), so the state from before each
// change can be kept. The editor's undo history is one; the command-line tool has none.
#pragma once

class LoadScreenDocument;

class ChangeRecorder {
 public:
  virtual ~ChangeRecorder() = default;
  // `document` is still unchanged when this is called.
  virtual void WillChange(const LoadScreenDocument& document) = 0;
};
