// The services of the window layer that the document needs. The editor implements them
// with its windows; the command-line tool and the tests use NullDocumentShell (or a
// recording fake).
#pragma once

class DocumentShell {
 public:
  virtual ~DocumentShell() = default;
  // Render the document and show it at once.
  virtual void RepaintView() {}
  // Text of the status bar's first part, "<side> - <cameo count>".
  virtual void SetSideStatus(const char* /*text*/) {}
  // Enables or grays the "Delete item" menu command.
  virtual void SetDeleteItemEnabled(bool /*enabled*/) {}
  // Check marks of the upper and lower layer menu items.
  virtual void SetLayerChecks(bool /*top*/, bool /*bottom*/) {}
  // The warning beep for a key that means nothing while a marker is selected.
  virtual void Beep() {}
  // The marker list was appended to or shrank: a drag in progress must end.
  virtual void MarkerListChanged() {}
};

class NullDocumentShell final : public DocumentShell {};
