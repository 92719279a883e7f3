// Prompts as message boxes (UTF-16, so the Chinese words show whatever the code page is)
// and the system's scene file dialogs, owned by one window: the main window's for the
// commands, a dialog's own for what it asks and reports.
#pragma once

#include <windows.h>

#include "prompts.h"

class MessageBoxPrompts final : public Prompts {
 public:
  explicit MessageBoxPrompts(HWND owner = nullptr) : owner_(owner) {}
  void SetOwner(HWND owner) { owner_ = owner; }
  HWND owner() const { return owner_; }

  void Tell(const Prompt& prompt) override;
  Answer Ask(const Prompt& prompt, bool withCancel) override;
  bool ChooseSceneToOpen(std::string& path) override;
  bool ChooseSceneToSave(std::string& path) override;

 private:
  int Show(const Prompt& prompt, UINT buttons);
  HWND owner_;
};
